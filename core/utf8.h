// Well-formed UTF-8, one sequence at a time: what the writers pass on as it
// is, and what they escape or refuse.
#pragma once

#include <cstddef>
#include <string_view>

namespace tufu {

/// The length of the well-formed UTF-8 sequence at the start of `s`, or 0
/// when it is not one (a stray continuation byte, an overlong form, a
/// surrogate, beyond U+10FFFF, or cut short).  `s` is not empty.
inline std::size_t utf8sequence(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return 1;
  std::size_t n;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF)) return 0;
  }
  return n;
}

/// The character (from 1) that holds byte `offset` of `s`: every byte that
/// is not a continuation byte starts a character.
inline int characterat(std::string_view s, std::size_t offset) {
  int n = 1;
  for (std::size_t i = 0; i < offset && i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
  return n;
}

/// Whether `s` is well-formed UTF-8 throughout.
inline bool wellformed(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = utf8sequence(s.substr(i));
    if (n == 0) return false;
    i += n;
  }
  return true;
}

}  // namespace tufu
