#include "core/block.h"

#include <algorithm>

namespace tufu {

std::string BlockCorners::count() const {
  return std::to_string(rows) + "*" + std::to_string(cols);
}

std::optional<BlockCorners> blockquery(const Scale& scale, Tenths west, Tenths east,
                                       Tenths south, Tenths north) {
  if (west < 0 || south < 0 || east > kLonLimit || north > kLatLimit) return std::nullopt;
  if (!(east > west) || !(north > south)) return std::nullopt;
  // A bound on a sheet edge ends the block in the sheets before that edge.
  if (north % scale.latsize == 0) north = std::max(north - kSecond, south);
  if (east % scale.lonsize == 0) east = std::max(east - kSecond, west);

  BlockCorners b{*sheetat(scale, west, south), *sheetat(scale, west, north),
                 *sheetat(scale, east, north), *sheetat(scale, east, south), 0, 0};
  const Bounds sw = boundsof(b.bottomleft), ne = boundsof(b.topright);
  b.rows = static_cast<int>((ne.north - sw.south) / scale.latsize);
  b.cols = static_cast<int>((ne.east - sw.west) / scale.lonsize);
  return b;
}

}  // namespace tufu
