// Any text: the angle checks agree with reading the field, accepted angles
// lie within their limits, and a written angle reads back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);
  const std::string padded = tufu::padangle(s);
  auto lon = tufu::readlon(s);
  auto lat = tufu::readlat(s);
  FUZZ_CHECK(lon.has_value() == tufu::tsttxt1(padded), s);
  FUZZ_CHECK(lat.has_value() == tufu::tsttxt2(padded), s);
  if (lat) FUZZ_CHECK(lon.has_value(), s);
  if (lon) {
    FUZZ_CHECK(*lon >= 0 && *lon <= tufu::kLonLimit && *lon % tufu::kSecond == 0, s);
    FUZZ_CHECK(static_cast<double>(*lon) ==
                   tufu::changesec(padded) * static_cast<double>(tufu::kSecond),
               s);
    // The comma text of the angle reads back to the same angle.
    FUZZ_CHECK(tufu::readlon(tufu::formatangle(*lon, 3, false)) == lon, s);
  }
  for (tufu::Angle limit : {tufu::kLonLimit, tufu::kLatLimit}) {
    auto a = tufu::readangle(s, limit);
    if (a) FUZZ_CHECK(*a >= 0 && *a <= limit, s);
  }
  (void)tufu::leadingnumber(s);
  (void)tufu::dfms(tufu::leadingnumber(s));
  return 0;
}
