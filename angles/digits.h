// Small whole numbers written as decimal text without a division loop: the
// digits of angles, sheet rows and columns and old-number indexes.
#pragma once

#include <cstdint>
#include <cstring>

namespace tufu {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

/// 0 ≤ v < 1000 written at `p` without leading zeros; returns the end.
inline char* writesmall(char* p, std::uint32_t v) {
  if (v < 10) {
    *p++ = static_cast<char>('0' + v);
    return p;
  }
  if (v >= 100) {
    *p++ = static_cast<char>('0' + v / 100);
    v %= 100;
  }
  std::memcpy(p, kDigitPairs + 2 * v, 2);
  return p + 2;
}

/// 0 ≤ v < 10000 written at `p` in exactly `width` (2, 3 or 4) digits,
/// zero-padded; returns the end.
inline char* writepadded(char* p, std::uint32_t v, int width) {
  const std::uint32_t hi = v / 100, lo = v % 100;
  if (width == 4) {
    std::memcpy(p, kDigitPairs + 2 * hi, 2);
    p += 2;
  } else if (width == 3) {
    *p++ = static_cast<char>('0' + hi);
  }
  std::memcpy(p, kDigitPairs + 2 * lo, 2);
  return p + 2;
}

}  // namespace tufu
