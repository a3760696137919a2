// A block of sheets: the sheets of one scale that cover a rectangle of
// longitude and latitude.
#pragma once

#include <optional>
#include <string>

#include "angles/angle.h"
#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

struct BlockCorners {
  SheetRef bottomleft, topleft, topright, bottomright;
  int rows;  ///< sheets from south to north
  int cols;  ///< sheets from west to east
  std::string count() const;  ///< "rows*cols", e.g. "2*1"
};

/// The sheets of `scale` that cover the rectangle west..east, south..north
/// (tenths of a second).  A north or east bound that lies on a sheet edge
/// of the scale is taken one second back, so the block ends in the sheets
/// south or west of it; west and south are used as they are.  Nothing when
/// east is not above west or north not above south, or when a bound lies
/// outside 0..180° E or 0..60° N.
///   北京 (114°30′..118°, 39°..41°30′) at 1:100万 → J50 K50 K50 J50, 2*1
std::optional<BlockCorners> blockquery(const Scale& scale, Tenths west, Tenths east,
                                       Tenths south, Tenths north);

}  // namespace tufu
