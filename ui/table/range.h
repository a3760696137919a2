// The current block: the grid of sheets that the sheet table lists and draws.
//
// No Qt here: the table window and the command-line tool share it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

struct Block {
  const Scale* scale = nullptr;  ///< scale of every sheet of the block
  int blockscale = 0;            ///< the scale's `blc`, 1..9
  Tenths blocklonsize = 0;       ///< one sheet's longitude size
  Tenths blocklatsize = 0;       ///< one sheet's latitude size
  Tenths blockswlon = 0;         ///< west edge of the south-west sheet: the block's west edge
  Tenths blockswlat = 0;         ///< south edge of the south-west sheet: the block's south edge
  Tenths blocknelon = 0;         ///< west edge of the north-east sheet
  Tenths blocknelat = 0;         ///< south edge of the north-east sheet
  int blockrows = 0;             ///< sheet rows, south to north
  int blockcols = 0;             ///< sheet columns, west to east

  Tenths east() const { return blocknelon + blocklonsize; }
  Tenths north() const { return blocknelat + blocklatsize; }
  friend bool operator==(const Block&, const Block&) = default;
};

/// `outputranges`: the block whose south-west corner sheet is `sw` and
/// north-east corner sheet `ne` (new numbers or internal 1:20万 codes);
/// `nw` and `se` are accepted and ignored.  Nothing when `sw` or `ne` is not
/// a sheet number, when they differ in scale, or when `ne` lies south or
/// west of `sw`.
///   outputranges("J50", "", "", "K51") → 1:100万, 2 rows, 2 columns,
///   west 114°, south 36°, east 126°, north 44°
std::optional<Block> outputranges(std::string_view sw, std::string_view nw,
                                  std::string_view se, std::string_view ne);

/// One sheet of a block.
struct BlockSheet {
  SheetRef sheet;
  std::string newno;  ///< new number (the internal code at 1:20万)
  std::string oldno;
  Bounds bounds;
};

/// The sheet in row `row` (0 = northernmost) and column `col` (0 =
/// westernmost) of the block.  Both must be inside the block.
BlockSheet blocksheet(const Block& b, int row, int col);

}  // namespace tufu
