#include "core/block.h"

#include <algorithm>

#include "core/oldnumber.h"

namespace tufu {

Sheet Block::sheet(int row, int col) const {
  return Sheet{scale, static_cast<int>(blockswlon / blocklonsize) + col,
               static_cast<int>(blocknelat / blocklatsize) - row};
}

std::string Block::counttext() const {
  return std::to_string(blockrows) + "*" + std::to_string(blockcols);
}

std::string manysheets(std::int64_t count) {
  return "共 " + std::to_string(count) + " 幅图, 超过 " + std::to_string(kManySheets) + " 幅";
}

std::optional<Block> blockof(const Sheet& sw, const Sheet& ne) {
  if (sw.scale == nullptr || sw.scale != ne.scale || ne.x < sw.x || ne.y < sw.y)
    return std::nullopt;
  const Scale& s = *sw.scale;
  Block k;
  k.scale = &s;
  k.blockscale = s.blc();
  k.blocklonsize = s.lonsize;
  k.blocklatsize = s.latsize;
  k.blockswlon = sw.x * s.lonsize;
  k.blockswlat = sw.y * s.latsize;
  k.blocknelon = ne.x * s.lonsize;
  k.blocknelat = ne.y * s.latsize;
  k.blockrows = ne.y - sw.y + 1;
  k.blockcols = ne.x - sw.x + 1;
  return k;
}

std::optional<Block> blockquery(const Scale& scale, Angle west, Angle east, Angle south,
                                Angle north) {
  if (west < 0 || south < 0 || east > kLonLimit || north > kLatLimit) return std::nullopt;
  if (!(east > west) || !(north > south)) return std::nullopt;
  // A bound on a sheet edge ends the block in the sheets before that edge.
  if (north % scale.latsize == 0) north = std::max(north - kSecond, south);
  if (east % scale.lonsize == 0) east = std::max(east - kSecond, west);
  return blockof(sheetunder(scale, west, south), sheetunder(scale, east, north));
}

std::optional<Block> contained(const Sheet& s, const Scale& target) {
  const Scale& own = *s.scale;
  if (target.rows < own.rows || !own.holds(target)) return std::nullopt;
  const int ratio = target.rows / own.rows;
  const Sheet sw{&target, s.x * ratio, s.y * ratio};
  const Sheet ne{&target, sw.x + ratio - 1, sw.y + ratio - 1};
  return blockof(sw, ne);
}

BlockAnswer containedblock(const Sheet& s, const Scale& target) {
  if (auto b = contained(s, target)) return BlockAnswer{b, {}};
  return BlockAnswer{std::nullopt, std::string(target.label) + "的图幅不能整齐地嵌套在" +
                                       std::string(s.scale->label) + "图幅之内"};
}

bool offerscontained(const Scale& own, const Scale& target, Edition e) {
  return target.in(e) && target.rows > own.rows && own.holds(target);
}

std::vector<const Scale*> containedscales(const Scale& own, Edition e) {
  std::vector<const Scale*> out;
  for (const Scale& t : scales(e))
    if (offerscontained(own, t, e)) out.push_back(&t);
  return out;
}

std::optional<Block> outputranges(std::string_view sw, std::string_view ne) {
  const auto a = readnew(sw), b = readnew(ne);
  if (!a || !b) return std::nullopt;
  return blockof(*a, *b);
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
