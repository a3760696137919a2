// Any text, in both editions: recognition never crashes, a refusal names
// its rule, and an accepted number names a sheet whose numbers in both
// numberings are accepted again and name the same sheet.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);
  (void)tufu::readstr(s, static_cast<int>(size % 20));
  for (tufu::Edition e : {tufu::Edition::k1992, tufu::Edition::k2012}) {
    const tufu::Parsed p = tufu::recognize(s, e);
    FUZZ_CHECK(p.sheet.has_value() == p.error.empty(), s);
    FUZZ_CHECK(p.sheet.has_value() == tufu::teststr(s, e), s);
    if (!p.sheet) continue;
    const tufu::Sheet& sheet = *p.sheet;
    FUZZ_CHECK(tufu::ongrid(sheet) && sheet.scale->in(e), s);
    // The number that names the sheet in this edition (a 1:20万 sheet only
    // by its old number in the 2012 edition) reads back to it.
    const std::string newno = tufu::sheetnumber(sheet), oldno = tufu::oldnumber(sheet);
    if (sheet.scale->shownew || e == tufu::Edition::k1992)
      FUZZ_CHECK(tufu::recognize(newno, e).sheet == sheet, s);
    FUZZ_CHECK(oldno.empty() == !sheet.scale->hasold, s);
    if (!oldno.empty()) FUZZ_CHECK(tufu::recognize(oldno, e).sheet == sheet, s);
    // The old numbering knows no edition.
    if (!tufu::isneworold(s)) FUZZ_CHECK(tufu::readold(s) == sheet, s);
  }
  if (!tufu::teststr(s) && !tufu::isneworold(s)) FUZZ_CHECK(!tufu::oldnew(s), s);
  return 0;
}
