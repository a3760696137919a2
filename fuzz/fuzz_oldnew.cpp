// Any text: an old number that converts is accepted, and its new number
// converts back to an old number of the same sheet.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view s(reinterpret_cast<const char*>(data), size);
  auto n = tufu::oldnew(s);
  FUZZ_CHECK(n.has_value() == (!tufu::isneworold(s) && tufu::teststr(s)), s);
  if (!n) return 0;
  auto old = tufu::newold(n->mapno);
  FUZZ_CHECK(old.has_value() && old->code == n->code, s);
  FUZZ_CHECK(tufu::readold(old->mapno) == tufu::readold(s), s);
  FUZZ_CHECK(n->mapno.size() == (n->code == 'A' ? 3u : 10u), s);
  return 0;
}
