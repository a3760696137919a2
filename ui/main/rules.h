// The checks the window makes itself: whether the four bounds of the block
// query form a block (and why not), which scales a sheet contains, which
// rows the containing table has, and whether a block fits the sheet table.
// The panels and the window ask these functions and repeat none of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/block.h"
#include "core/scale.h"

namespace tufu {

struct BlockBounds {
  Angle west, east, south, north;
};

/// The four field texts of the block query read as bounds, or why they are
/// refused: the first field that its angle check refuses, named ("西界经度"
/// ...), then "东界应大于西界" or "北界应大于南界".  `refusal` is "" exactly
/// when `bounds` holds.
struct BlockCheck {
  std::optional<BlockBounds> bounds;
  std::string refusal;
};
BlockCheck checkblockbounds(std::string_view west, std::string_view east, std::string_view south,
                            std::string_view north);

/// Whether a sheet of `own` contains sheets of the larger scale `target` in
/// edition `e`: the target belongs to the edition, is larger, and its sheets
/// tile the sheet.
bool containsscale(const Scale& own, const Scale& target, Edition e);

/// Whether the containing table has a row for the sheets of `s` in edition
/// `e`: every scale of the edition but its largest, whose sheets contain no
/// other.
bool hascontainingrow(const Scale& s, Edition e);

/// The sheet table takes at most 60 rows and 48 columns.
inline constexpr int kMaxRows = 60;
inline constexpr int kMaxCols = 48;
inline constexpr std::string_view kTooLargeTitle = "错误";
inline constexpr std::string_view kTooLargeText = "图幅过大！最大输出60*48";
bool fitstable(const Block& b);

}  // namespace tufu
