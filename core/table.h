// The sheet table of a block: how large a table is drawn, and the weight of
// its grid lines.  The window and the web page draw it by these rules.
#pragma once

#include <string_view>

#include "angles/angle.h"
#include "core/block.h"

namespace tufu {

/// The largest table: 60 rows by 48 columns of sheets.
inline constexpr int kTableRows = 60;
inline constexpr int kTableCols = 48;
/// The refusal of a larger block.
inline constexpr std::string_view kTableTooLarge = "图幅过大！最大输出60*48";

/// Whether the block's table can be drawn.
constexpr bool fitstable(const Block& b) {
  return b.blockrows <= kTableRows && b.blockcols <= kTableCols;
}

/// The width in pixels of a grid line of the sheet table: parallels 3 on
/// multiples of 4° and 2 on multiples of 2°, meridians 3 on multiples of 6°
/// and 2 on multiples of 3°, all others 1.
constexpr int parallelwidth(Angle lat) {
  if (lat % (4 * kDegree) == 0) return 3;
  if (lat % (2 * kDegree) == 0) return 2;
  return 1;
}
constexpr int meridianwidth(Angle lon) {
  if (lon % (6 * kDegree) == 0) return 3;
  if (lon % (3 * kDegree) == 0) return 2;
  return 1;
}

}  // namespace tufu
