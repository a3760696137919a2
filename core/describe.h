// One description of a sheet: the numbers to show, the extent and size
// texts, the bounds and the place name.  The command-line tool, the panels,
// the sheet table and the exports all take what they show from here.
#pragma once

#include <string_view>

#include "core/oldnumber.h"
#include "core/sheet.h"
#include "core/text.h"

namespace tufu {

/// Where place names come from (the gazetteer, with any merged lists).
class Names {
 public:
  virtual ~Names() = default;
  /// The place name of `s`, or "".
  virtual std::string_view name(const Sheet& s) const = 0;
};

using AngleText = FixedText<kAngleTextMax>;

struct SheetInfo {
  Sheet sheet;
  NewNumber newno;                     ///< the number to show; "" at 1:20万
  OldNumber oldno;                     ///< "" where the scale has none
  AngleText west, east, south, north;  ///< edge texts, e.g. "115°30′"
  std::string_view lonsize, latsize;   ///< size texts, e.g. "1°30′"
  std::string_view name;               ///< "" when there is none
  Bounds bounds;
};

/// Everything about `s`; names from `names` (none when null).
SheetInfo describe(const Sheet& s, const Names* names);

/// The numbers and name only: what a corner, a neighbour or a table cell
/// shows.  The edge texts are left empty.
SheetInfo brief(const Sheet& s, const Names* names);

/// The name shown for `s`: its place name, or where it has none its new
/// number, or its old number at 1:20万 (the adjoining-sheet diagram).
std::string_view nameornumber(const SheetInfo& info);

}  // namespace tufu
