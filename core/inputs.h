// The inputs of the point and block queries as every face reads them, with
// the refusals: a point, the four bounds of a block, and the block they
// give at a scale.
//
// Two readings exist.  The command line and the web page take every angle
// form `readangle` knows (116,23,30, 116.391667, 116°23′30″) and name the
// coordinate refused; the window's fields take angle texts (`readlon`,
// `readlat`) and name the field and what is wrong with it.
//
//   readbounds("114,30", "118", "39", "41,30")  → 114°30′..118°, 39°..41°30′
//   readbounds("118", "114,30", "39", "41,30")  → "东界应大于西界"
//   readbounds("181", "182", "39", "40")        → "经度应为0至180度的度,分,秒或十进制度"
//   readboundfields("181", "182", "39", "40")   → "西界经度不能大于180°"
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/block.h"
#include "core/scale.h"

namespace tufu {

/// Bounds out of order.
inline constexpr std::string_view kEastNotAboveWest = "东界应大于西界";
inline constexpr std::string_view kNorthNotAboveSouth = "北界应大于南界";
/// Bounds in order that still give no block.
inline constexpr std::string_view kNoBlock = "区块无效";

struct Point {
  Angle lon = 0, lat = 0;
};

/// A point read, or the rule it broke.
struct PointInput {
  std::optional<Point> point;
  std::string error;  ///< empty when `point` holds a value
};

/// A point from the command line or the web page (`readangle`): the
/// longitude is checked first.
PointInput readpoint(std::string_view lon, std::string_view lat);

/// A point from the window's two fields (`readlon`, `readlat`): the refusal
/// names the field, "经度不能大于180°".
PointInput readpointfields(std::string_view lon, std::string_view lat);

/// The four bounds of a block query.
struct BlockBounds {
  Angle west = 0, east = 0, south = 0, north = 0;
};

/// Bounds read, or the rule they broke.
struct BoundsInput {
  std::optional<BlockBounds> bounds;
  std::string error;  ///< empty when `bounds` holds a value
};

/// Why bounds are out of order (east not above west, then north not above
/// south), or "".
std::string_view whyunordered(const BlockBounds& b);

/// Bounds from the command line or the web page (`readangle`), checked in
/// this order: the longitudes, the latitudes, then their order.
BoundsInput readbounds(std::string_view west, std::string_view east, std::string_view south,
                       std::string_view north);

/// Bounds from the window's four fields (`readlon`, `readlat`), checked
/// field by field from the west bound to the north bound, the refusal
/// naming the field ("东界经度不能大于180°"), then their order.
BoundsInput readboundfields(std::string_view west, std::string_view east,
                            std::string_view south, std::string_view north);

/// The block of `scale` that covers the bounds, or `kNoBlock`.
BlockAnswer blockcovering(const Scale& scale, const BlockBounds& b);

/// `readbounds` and then `blockcovering`.
BlockAnswer readblock(const Scale& scale, std::string_view west, std::string_view east,
                      std::string_view south, std::string_view north);

}  // namespace tufu
