// Any sheet of the grid at any scale: each neighbour shares the sheet's edge
// on its side (its corner at the corners), lies within 0°–180° E and
// 0°–60° N, is missing only where it would leave them, and has the sheet as
// its own neighbour on the other side.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "check.h"
#include "core/neighbours.h"
#include "core/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  std::uint32_t xraw, yraw;
  std::memcpy(&xraw, data, 4);
  std::memcpy(&yraw, data + 4, 4);
  const tufu::Scale& scale = tufu::kAllScales[data[8] % 12];
  // Sheets whose south-west corners lie within the numbering's range.
  const int xs = static_cast<int>(tufu::kLonLimit / scale.lonsize) + 1;
  const int ys = static_cast<int>(tufu::kLatLimit / scale.latsize) + 1;
  const tufu::Sheet s{&scale, static_cast<int>(xraw % static_cast<std::uint32_t>(xs)),
                      static_cast<int>(yraw % static_cast<std::uint32_t>(ys))};
  const std::string in = tufu::sheetnumber(s);
  const tufu::Bounds b = tufu::boundsof(s);
  const tufu::NeighbourGrid grid = tufu::neighbours(s);
  FUZZ_CHECK(grid[1][1] == s, in);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      if (r == 1 && c == 1) continue;
      const int dx = c - 1, dy = 1 - r;
      const auto& n = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      const tufu::Bounds want{b.west + dx * scale.lonsize, b.south + dy * scale.latsize,
                              b.east + dx * scale.lonsize, b.north + dy * scale.latsize};
      const bool inside = want.west >= 0 && want.south >= 0 && want.east <= tufu::kLonLimit &&
                          want.north <= tufu::kLatLimit;
      FUZZ_CHECK(n.has_value() == inside, in);
      if (!n) continue;
      const tufu::Bounds nb = tufu::boundsof(*n);
      FUZZ_CHECK(nb == want, in);
      if (dx > 0) FUZZ_CHECK(nb.west == b.east, in);
      if (dx < 0) FUZZ_CHECK(nb.east == b.west, in);
      if (dy > 0) FUZZ_CHECK(nb.south == b.north, in);
      if (dy < 0) FUZZ_CHECK(nb.north == b.south, in);
      FUZZ_CHECK(tufu::ongrid(*n), in);
      // A sheet that itself reaches beyond 180° E or 60° N (the sheets of
      // the points at the limits) is nobody's neighbour.
      const bool within = b.east <= tufu::kLonLimit && b.north <= tufu::kLatLimit;
      FUZZ_CHECK(tufu::neighbour(*n, -dx, -dy).has_value() == within, in);
      if (within) FUZZ_CHECK(tufu::neighbour(*n, -dx, -dy) == s, in);
    }
  return 0;
}
