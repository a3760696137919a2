// The current block: the grid of sheets that the sheet table lists and draws.
//
// No Qt here: the table window and the command-line tool share it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/block.h"
#include "core/sheet.h"

namespace tufu {

/// `outputranges`: the block whose south-west corner sheet is `sw` and
/// north-east corner sheet `ne` (new numbers or internal 1:20万 codes);
/// `nw` and `se` are accepted and ignored.  Nothing when `sw` or `ne` is not
/// a sheet number, when they differ in scale, or when `ne` lies south or
/// west of `sw`.
///   outputranges("J50", "", "", "K51") → 1:100万, 2 rows, 2 columns,
///   west 114°, south 36°, east 126°, north 44°
std::optional<Block> outputranges(std::string_view sw, std::string_view nw,
                                  std::string_view se, std::string_view ne);

/// The width in pixels of a grid line of the sheet table: parallels 3 on
/// multiples of 4° and 2 on multiples of 2°, meridians 3 on multiples of 6°
/// and 2 on multiples of 3°, all others 1.
int parallelwidth(Angle lat);
int meridianwidth(Angle lon);

/// One sheet of a block.
struct BlockSheet {
  Sheet sheet;
  std::string newno;  ///< new number (the internal code at 1:20万)
  std::string oldno;
  Bounds bounds;
};

/// The sheet in row `row` (0 = northernmost) and column `col` (0 =
/// westernmost) of the block, with its numbers.  Both must be inside the
/// block.
BlockSheet blocksheet(const Block& b, int row, int col);

}  // namespace tufu
