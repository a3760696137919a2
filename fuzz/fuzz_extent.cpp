// Any point and scale: the sheet that holds a point encloses it (west and
// south edges included, east and north excluded but for the 180° and 60°
// limits), its extent reads back, and the south-west corner lies in it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "check.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "ui/table/range.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  std::int32_t lonraw, latraw;
  std::memcpy(&lonraw, data, 4);
  std::memcpy(&latraw, data + 4, 4);
  const tufu::Scale* scale = tufu::byblc(data[8] % 10);
  const tufu::Angle lon = lonraw % (tufu::kLonLimit + 2);
  const tufu::Angle lat = latraw % (tufu::kLatLimit + 2);
  const char* in = "point";
  if (scale == nullptr) {
    FUZZ_CHECK(!tufu::newmapna(data[8] % 10, lon, lat), in);
    return 0;
  }
  auto s = tufu::sheetat(*scale, lon, lat);
  const bool inside = lon >= 0 && lon <= tufu::kLonLimit && lat >= 0 && lat <= tufu::kLatLimit;
  FUZZ_CHECK(s.has_value() == inside, in);
  if (!s) return 0;
  const std::string no = tufu::sheetnumber(*s);
  auto e = tufu::maprange(no);
  FUZZ_CHECK(e.has_value(), no);
  const tufu::Bounds b = e->bounds;
  FUZZ_CHECK(b.west <= lon && lon < b.east && b.south <= lat && lat < b.north, no);
  FUZZ_CHECK(tufu::sheetat(*scale, b.west, b.south) == s, no);
  auto k = tufu::outputranges(no, "", "", no);
  FUZZ_CHECK(k && k->blockrows == 1 && k->blockcols == 1 && tufu::blocksheet(*k, 0, 0).sheet == *s,
             no);
  return 0;
}
