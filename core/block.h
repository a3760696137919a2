// A block of sheets: a rectangle of sheets of one scale, the one description
// used by the block query, the hierarchy, the sheet table, `--list`, and the
// exports; and the range enumeration, which forms a block from its corner
// sheets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "angles/angle.h"
#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

/// The block's fields carry their established names; a block is formed by
/// `blockof`, `blockquery` or `contained`, which keep them consistent.
struct Block {
  const Scale* scale = nullptr;  ///< scale of every sheet of the block
  int blockscale = 0;            ///< the scale's `blc`
  Angle blocklonsize = 0;        ///< one sheet's longitude size
  Angle blocklatsize = 0;        ///< one sheet's latitude size
  Angle blockswlon = 0;          ///< west edge of the south-west sheet: the block's west edge
  Angle blockswlat = 0;          ///< south edge of the south-west sheet: the block's south edge
  Angle blocknelon = 0;          ///< west edge of the north-east sheet
  Angle blocknelat = 0;          ///< south edge of the north-east sheet
  int blockrows = 0;             ///< sheet rows, south to north
  int blockcols = 0;             ///< sheet columns, west to east

  Angle east() const { return blocknelon + blocklonsize; }
  Angle north() const { return blocknelat + blocklatsize; }
  bool empty() const { return scale == nullptr || blockrows <= 0 || blockcols <= 0; }
  std::int64_t sheetcount() const { return empty() ? 0 : std::int64_t{blockrows} * blockcols; }

  /// The sheet in row `row` (0 = northernmost) and column `col` (0 =
  /// westernmost).  Both must lie inside the block.
  Sheet sheet(int row, int col) const;
  Sheet bottomleft() const { return sheet(blockrows - 1, 0); }
  Sheet topleft() const { return sheet(0, 0); }
  Sheet topright() const { return sheet(0, blockcols - 1); }
  Sheet bottomright() const { return sheet(blockrows - 1, blockcols - 1); }
  /// "rows*cols", e.g. "2*1".
  std::string counttext() const;

  friend bool operator==(const Block&, const Block&) = default;
};

/// The most sheets a listing or a written grid holds unless the user asks
/// for more: beyond it a file takes gigabytes and hours.
inline constexpr std::int64_t kManySheets = 10'000'000;
/// Why a set of `count` sheets (more than kManySheets) is not written
/// without being asked: "共 493682688 幅图, 超过 10000000 幅".
std::string manysheets(std::int64_t count);

/// The block from its south-west sheet to its north-east sheet; nothing
/// when the two differ in scale or `ne` lies south or west of `sw`.
std::optional<Block> blockof(const Sheet& sw, const Sheet& ne);

/// The sheets of `scale` that cover the rectangle west..east, south..north.
/// A north or east bound that lies on a sheet edge of the scale is taken one
/// second back, so the block ends in the sheets south or west of it; west
/// and south are used as they are.  Nothing when east is not above west or
/// north not above south, or when a bound lies outside 0..180° E or
/// 0..60° N.
///   北京 (114°30′..118°, 39°..41°30′) at 1:100万 → J50 K50 K50 J50, 2*1
std::optional<Block> blockquery(const Scale& scale, Angle west, Angle east, Angle south,
                                Angle north);

/// The block of sheets of `target` that `s` contains; nothing when target
/// does not nest in the sheet's scale (a smaller scale, or 1:20万 against
/// 1:25万, where a side would hold 1.5 sheets).
std::optional<Block> contained(const Sheet& s, const Scale& target);

/// A block, or the rule that refused it (in Chinese).
struct BlockAnswer {
  std::optional<Block> block;
  std::string error;  ///< empty when `block` holds a value
};

/// `contained`, or why there is no such block:
///   J50C001001 at 1:20万 → "1:20万的图幅不能整齐地嵌套在1:25万图幅之内"
BlockAnswer containedblock(const Sheet& s, const Scale& target);

/// Whether a sheet of `own` contains a block of `target`, a larger scale of
/// the edition whose sheets tile its own: the scales the hierarchy offers.
bool offerscontained(const Scale& own, const Scale& target, Edition e);
/// Those scales, in list order.
std::vector<const Scale*> containedscales(const Scale& own, Edition e);

/// `outputranges`: the block whose south-west corner sheet is `sw` and
/// north-east corner sheet `ne` (new numbers or internal 1:20万 codes).
/// Nothing when `sw` or `ne` is not a sheet number, when they differ in
/// scale, or when `ne` lies south or west of `sw`.
///   outputranges("J50", "K51") → 1:100万, 2 rows, 2 columns,
///   west 114°, south 36°, east 126°, north 44°
std::optional<Block> outputranges(std::string_view sw, std::string_view ne);
/// The same with all four corners, south-west, north-west, south-east and
/// north-east, as the panels hand them over; the north-west and south-east
/// corners follow from the other two and are not read.
inline std::optional<Block> outputranges(std::string_view sw, std::string_view /*nw*/,
                                         std::string_view /*se*/, std::string_view ne) {
  return outputranges(sw, ne);
}

/// One sheet of a block, with its numbers.
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
