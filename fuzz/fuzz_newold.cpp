// Any text: a new number that converts gives an old number that is accepted
// and converts back to the same new number; its containing sheets hold it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);
  auto old = tufu::newold(s);
  auto sheet = tufu::readnew(s);
  FUZZ_CHECK(old.has_value() == sheet.has_value(), s);
  if (!old) return 0;
  auto back = tufu::oldnew(old->mapno);
  const bool typeable = sheet->rowletter() <= 'O' && sheet->zone() <= 60;
  FUZZ_CHECK(back.has_value() == typeable, s);
  if (back) FUZZ_CHECK(tufu::readnew(back->mapno) == sheet, s);
  const tufu::Bounds b = tufu::boundsof(*sheet);
  for (const tufu::Containing& c : tufu::bigbil(s)) {
    auto p = tufu::readnew(c.newno);
    FUZZ_CHECK(p.has_value(), s);
    const tufu::Bounds pb = tufu::boundsof(*p);
    FUZZ_CHECK(pb.west <= b.west && b.east <= pb.east && pb.south <= b.south &&
                   b.north <= pb.north,
               s);
    FUZZ_CHECK(tufu::newold(c.newno)->mapno == c.oldno, s);
  }
  return 0;
}
