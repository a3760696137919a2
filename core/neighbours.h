// The sheets that adjoin a sheet at its own scale, across the borders of
// 1:100万 sheets and zones: the east neighbour of J50C001004 is J51C001001,
// the north neighbour of J50C001001 is K50C004001.  The numbering covers
// 0°–180° E and 0°–60° N; there is no sheet beyond (no wrap at 180°).
#pragma once

#include <array>
#include <optional>

#include "core/sheet.h"

namespace tufu {

/// The sheet `dx` columns east and `dy` rows north of `s`, when it lies
/// within 0°–180° E and 0°–60° N.
std::optional<Sheet> neighbour(const Sheet& s, int dx, int dy);

/// The 3 × 3 sheets around `s` as they lie on a map: [0] = NW, N, NE;
/// [1] = W, the sheet itself, E; [2] = SW, S, SE.  The middle always holds
/// `s`.
using NeighbourGrid = std::array<std::array<std::optional<Sheet>, 3>, 3>;
NeighbourGrid neighbours(const Sheet& s);

}  // namespace tufu
