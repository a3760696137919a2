#include "core/neighbours.h"

namespace tufu {

std::optional<Sheet> neighbour(const Sheet& s, int dx, int dy) {
  const Sheet n{s.scale, s.x + dx, s.y + dy};
  const Scale& sc = *s.scale;
  if (n.x < 0 || n.y < 0 || (n.x + 1) * sc.lonsize > kLonLimit ||
      (n.y + 1) * sc.latsize > kLatLimit)
    return std::nullopt;
  return n;
}

NeighbourGrid neighbours(const Sheet& s) {
  NeighbourGrid grid;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
          r == 1 && c == 1 ? std::optional<Sheet>(s) : neighbour(s, c - 1, 1 - r);
  return grid;
}

}  // namespace tufu
