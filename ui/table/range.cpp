#include "ui/table/range.h"

#include "core/oldnumber.h"

namespace tufu {

std::optional<Block> outputranges(std::string_view sw, std::string_view /*nw*/,
                                  std::string_view /*se*/, std::string_view ne) {
  const auto a = readnew(sw), b = readnew(ne);
  if (!a || !b) return std::nullopt;
  return blockof(*a, *b);
}

int parallelwidth(Angle lat) {
  if (lat % (4 * kDegree) == 0) return 3;
  if (lat % (2 * kDegree) == 0) return 2;
  return 1;
}

int meridianwidth(Angle lon) {
  if (lon % (6 * kDegree) == 0) return 3;
  if (lon % (3 * kDegree) == 0) return 2;
  return 1;
}

BlockSheet blocksheet(const Block& b, int row, int col) {
  BlockSheet out;
  out.sheet = b.sheet(row, col);
  out.newno = sheetnumber(out.sheet);
  out.oldno = oldnumber(out.sheet);
  out.bounds = boundsof(out.sheet);
  return out;
}

}  // namespace tufu
