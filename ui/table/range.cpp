#include "ui/table/range.h"

#include "core/oldnumber.h"

namespace tufu {

std::optional<Block> outputranges(std::string_view sw, std::string_view /*nw*/,
                                  std::string_view /*se*/, std::string_view ne) {
  auto a = readnew(sw), b = readnew(ne);
  if (!a || !b || a->scale != b->scale) return std::nullopt;
  const Bounds swb = boundsof(*a), neb = boundsof(*b);
  if (neb.west < swb.west || neb.south < swb.south) return std::nullopt;
  const Scale& s = *a->scale;
  Block k;
  k.scale = &s;
  k.blockscale = s.blc;
  k.blocklonsize = s.lonsize;
  k.blocklatsize = s.latsize;
  k.blockswlon = swb.west;
  k.blockswlat = swb.south;
  k.blocknelon = neb.west;
  k.blocknelat = neb.south;
  k.blockrows = static_cast<int>((neb.south - swb.south) / s.latsize) + 1;
  k.blockcols = static_cast<int>((neb.west - swb.west) / s.lonsize) + 1;
  return k;
}

BlockSheet blocksheet(const Block& b, int row, int col) {
  // The centre of the sheet keeps the lookup clear of every edge.
  const Tenths lon = b.blockswlon + col * b.blocklonsize + b.blocklonsize / 2;
  const Tenths lat = b.north() - (row + 1) * b.blocklatsize + b.blocklatsize / 2;
  BlockSheet out;
  out.sheet = sheetunder(*b.scale, lon, lat);
  out.newno = sheetnumber(out.sheet);
  out.oldno = oldnumber(out.sheet);
  out.bounds = boundsof(out.sheet);
  return out;
}

}  // namespace tufu
