// What the C interface takes from the core, in one place: the names of
// scale fields and lookups, the refusal texts of points and blocks, and the
// codes of the kinds of refusal.  When the core renames something,
// this file follows and the interface stays as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/block.h"
#include "core/describe.h"
#include "core/inputs.h"
#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/regions.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"
#include "tufu/tufu.h"

namespace tufu::capi {

inline constexpr int kScaleCount = 12;

/// The edition of a year, or nothing.
inline std::optional<Edition> editionof(int year) {
  if (year == 1992) return Edition::k1992;
  if (year == 2012) return Edition::k2012;
  return std::nullopt;
}
inline int yearof(Edition e) { return e == Edition::k1992 ? 1992 : 2012; }

/// The scale at list position `index`, in any edition, or null.
inline const Scale* scaleat(int index) { return byid(index); }
/// The same, only when the edition has it.
inline const Scale* scaleat(int index, Edition e) {
  const Scale* s = byid(index);
  return s != nullptr && s->in(e) ? s : nullptr;
}
inline int indexof(const Scale& s) { return s.id; }
inline int scalecount(Edition e) { return static_cast<int>(scales(e).size()); }

/// A sheet the caller names by scale index and position, when it lies on
/// the grid that numbers are formed on.
inline std::optional<Sheet> sheetof(int index, int x, int y) {
  const Scale* s = scaleat(index);
  if (s == nullptr) return std::nullopt;
  const Sheet sheet{s, x, y};
  if (x < 0 || y < 0 || !ongrid(sheet)) return std::nullopt;
  return sheet;
}

/// The TUFU_E_* code of the kind of rule a refused number broke.
tufu_status statusof(NumberFault fault);

}  // namespace tufu::capi
