#include "core/scale.h"

#include <string>

namespace tufu {
namespace {

constexpr std::array<Scale, 9> kScales{{
    {'A', "1:100万", 0, 1, 6 * kDegree, 4 * kDegree, 1, "6°", "4°", 1},
    {'B', "1:50万", 1, 2, 3 * kDegree, 2 * kDegree, 2, "3°", "2°", 1},
    {'C', "1:25万", 2, 3, 90 * kMinute, 1 * kDegree, 4, "1°30′", "1°", 2},
    {'I', "1:20万", 3, 4, 1 * kDegree, 40 * kMinute, 6, "1°", "40′", 2},
    {'D', "1:10万", 4, 5, 30 * kMinute, 20 * kMinute, 12, "30′", "20′", 2},
    {'E', "1:5万", 5, 6, 15 * kMinute, 10 * kMinute, 24, "15′", "10′", 2},
    {'F', "1:2.5万", 6, 7, 450 * kSecond, 300 * kSecond, 48, "7′30″", "5′", 3},
    {'G', "1:1万", 7, 8, 225 * kSecond, 150 * kSecond, 96, "3′45″", "2′30″", 3},
    {'H', "1:5000", 8, 9, 1125, 75 * kSecond, 192, "1′52.5″", "1′15″", 3},
}};

// Every scale fills one 1:100万 sheet exactly.
constexpr bool tiles() {
  for (const Scale& s : kScales)
    if (s.lonsize * s.rows != kZoneWidth || s.latsize * s.rows != kRowHeight) return false;
  return true;
}
static_assert(tiles());

// The denominator of each scale, for reading "1:50000" and "50000".
constexpr int kDenominators[9] = {1000000, 500000, 250000, 200000, 100000,
                                  50000,   25000,  10000,  5000};

}  // namespace

const std::array<Scale, 9>& scales() { return kScales; }

const Scale* bycode(char code) {
  if (code >= 'a' && code <= 'z') code = static_cast<char>(code - 'a' + 'A');
  for (const Scale& s : kScales)
    if (s.code == code) return &s;
  return nullptr;
}

const Scale* byblc(int blc) { return blc >= 1 && blc <= 9 ? &kScales[blc - 1] : nullptr; }

const Scale* bylistpos(int listpos) {
  return listpos >= 0 && listpos <= 8 ? &kScales[listpos] : nullptr;
}

const Scale* bylabel(std::string_view label) {
  for (const Scale& s : kScales)
    if (s.label == label) return &s;
  return nullptr;
}

const Scale* byrows(int rows) {
  for (const Scale& s : kScales)
    if (s.rows == rows) return &s;
  return nullptr;
}

const Scale* parsescale(std::string_view text) {
  std::string_view t = text;
  if (t.starts_with("1:")) t.remove_prefix(2);
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    std::string_view label = kScales[i].label.substr(2);  // "5万", "5000"
    if (t == label || t == std::to_string(kDenominators[i])) return &kScales[i];
  }
  if (t == "5千") return &kScales[8];
  return nullptr;
}

std::optional<SizeTexts> jwcha(int i) {
  if (i < 0 || i > 8) return std::nullopt;
  const Scale* s = bycode(static_cast<char>('A' + i));
  return SizeTexts{s->jchatext, s->wchatext};
}

}  // namespace tufu
