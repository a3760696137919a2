#include "core/recognize.h"

#include "core/oldnumber.h"

namespace tufu {

std::string_view readstr(std::string_view s, int i) {
  if (i <= 0 || s.empty()) return {};
  std::size_t k = static_cast<std::size_t>(i);
  if (k > s.size()) k = s.size();
  return s.substr(k - 1, 1);
}

bool isneworold(std::string_view s) { return s.find('-') == std::string_view::npos; }

Parsed recognize(std::string_view s, Edition e) {
  return isneworold(s) ? parsenew(s, e, Reading::Typed) : parseold(s);
}

std::string whyrefused(std::string_view s, Edition e) { return recognize(s, e).error; }

bool teststr(std::string_view s, Edition e) { return recognize(s, e).sheet.has_value(); }

}  // namespace tufu
