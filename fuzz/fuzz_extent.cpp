// Any point and scale of either edition: the sheet that holds a point
// encloses it (west and south edges included, east and north excluded but
// for the 180° and 60° limits), its number and its description read back,
// and the south-west corner lies in it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "check.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "core/block.h"
#include "core/describe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  std::int32_t lonraw, latraw;
  std::memcpy(&lonraw, data, 4);
  std::memcpy(&latraw, data + 4, 4);
  const tufu::Scale* scale = tufu::byid(data[8] % 13 - 1);
  const tufu::Angle lon = lonraw % (tufu::kLonLimit + 2);
  const tufu::Angle lat = latraw % (tufu::kLatLimit + 2);
  const char* in = "point";
  if (scale == nullptr) {
    FUZZ_CHECK(!tufu::newmapna(0, lon, lat), in);
    return 0;
  }
  auto s = tufu::sheetat(*scale, lon, lat);
  const bool inside = lon >= 0 && lon <= tufu::kLonLimit && lat >= 0 && lat <= tufu::kLatLimit;
  FUZZ_CHECK(s.has_value() == inside, in);
  if (!s) return 0;
  const std::string no = tufu::sheetnumber(*s);
  const tufu::Edition edition = scale->since;
  FUZZ_CHECK(tufu::parsenew(no, edition, tufu::Reading::Formed).sheet == s, no);
  const tufu::SheetInfo d = tufu::describe(*s, nullptr);
  const tufu::Bounds b = d.bounds;
  FUZZ_CHECK(b == tufu::boundsof(*s), no);
  // A point on 180° E or 60° N lies in the sheet west or south of it.
  const bool east = lon < b.east || (lon == tufu::kLonLimit && b.east == tufu::kLonLimit);
  const bool north = lat < b.north || (lat == tufu::kLatLimit && b.north == tufu::kLatLimit);
  FUZZ_CHECK(b.west <= lon && east && b.south <= lat && north, no);
  FUZZ_CHECK(tufu::sheetat(*scale, b.west, b.south) == s, no);
  // The edge texts are the edges, read back as angles.
  FUZZ_CHECK(tufu::readangle(d.west.view(), tufu::kLonLimit + tufu::kZoneWidth) == b.west, no);
  FUZZ_CHECK(tufu::readangle(d.north.view(), tufu::kLatLimit + tufu::kRowHeight) == b.north, no);
  auto k = tufu::blockof(*s, *s);
  FUZZ_CHECK(k && k->blockrows == 1 && k->blockcols == 1 && k->sheet(0, 0) == *s, no);
  return 0;
}
