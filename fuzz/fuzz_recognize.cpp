// Any text: recognition never crashes, agrees with the readers, and an
// accepted number names a sheet whose numbers in both numberings are
// accepted again and name the same sheet.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);
  const bool ok = tufu::teststr(s);
  FUZZ_CHECK(ok == tufu::whyrefused(s).empty(), s);
  (void)tufu::readstr(s, static_cast<int>(size % 20));
  if (!ok) {
    if (!tufu::isneworold(s)) FUZZ_CHECK(!tufu::oldnew(s), s);
    return 0;
  }
  tufu::Sheet sheet;
  if (tufu::isneworold(s)) {
    auto r = tufu::readnew(s);
    FUZZ_CHECK(r.has_value(), s);
    sheet = *r;
  } else {
    auto r = tufu::readold(s);
    FUZZ_CHECK(r.has_value(), s);
    sheet = *r;
  }
  const std::string newno = tufu::sheetnumber(sheet), oldno = tufu::oldnumber(sheet);
  FUZZ_CHECK(tufu::teststr(newno) && tufu::teststr(oldno), s);
  FUZZ_CHECK(tufu::readnew(newno) == sheet && tufu::readold(oldno) == sheet, s);
  return 0;
}
