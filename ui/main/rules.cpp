#include "ui/main/rules.h"

namespace tufu {

BlockCheck checkblockbounds(std::string_view west, std::string_view east, std::string_view south,
                            std::string_view north) {
  struct Field {
    std::string_view text;
    const char* name;
    Angle limit;
  };
  const Field fields[] = {{west, "西界经度", kLonLimit},
                          {east, "东界经度", kLonLimit},
                          {south, "南界纬度", kLatLimit},
                          {north, "北界纬度", kLatLimit}};
  BlockCheck check;
  for (const Field& f : fields)
    if (std::string why = whyrefusedfield(f.text, f.limit); !why.empty()) {
      check.refusal = f.name + why;
      return check;
    }
  const auto w = readlon(west), e = readlon(east);
  const auto s = readlat(south), n = readlat(north);
  if (!w || !e || !s || !n) return check;
  if (!(*e > *w)) {
    check.refusal = "东界应大于西界";
    return check;
  }
  if (!(*n > *s)) {
    check.refusal = "北界应大于南界";
    return check;
  }
  check.bounds = BlockBounds{*w, *e, *s, *n};
  return check;
}

bool containsscale(const Scale& own, const Scale& target, Edition e) {
  return target.in(e) && target.rows > own.rows && own.holds(target);
}

bool hascontainingrow(const Scale& s, Edition e) { return s.in(e) && &s != &scales(e).back(); }

bool fitstable(const Block& b) { return b.blockrows <= kMaxRows && b.blockcols <= kMaxCols; }

}  // namespace tufu
