#include "core/scale.h"

#include <charconv>

namespace tufu {
namespace {

using enum IndexStyle;
constexpr Edition k92 = Edition::k1992;
constexpr Edition k12 = Edition::k2012;

}  // namespace

// id, label, denominator, column suffix, code, digits, rows, lonsize,
// latsize, size texts, edge parts, shown new number, old number and its
// form, names, parent in the chain of containing sheets, edition.
constexpr std::array<Scale, 12> kAllScales = [] {
  std::array<Scale, 12> table{{
    {0, "1:100万", 1000000, "100w", 'A', 0, 1, 6 * kDegree, 4 * kDegree, "6°", "4°", 1,
     true, true, {}, true, -1, k92},
    {1, "1:50万", 500000, "50w", 'B', 3, 2, 3 * kDegree, 2 * kDegree, "3°", "2°", 1,
     true, true, {0, 2, Letter}, true, 0, k92},
    {2, "1:25万", 250000, "25w", 'C', 3, 4, 90 * kMinute, 1 * kDegree, "1°30′", "1°", 2,
     true, true, {0, 4, Bracket}, true, 1, k92},
    {3, "1:20万", 200000, "20w", 'I', 3, 6, 1 * kDegree, 40 * kMinute, "1°", "40′", 2,
     false, true, {0, 6, Roman}, true, 1, k92},
    {4, "1:10万", 100000, "10w", 'D', 3, 12, 30 * kMinute, 20 * kMinute, "30′", "20′", 2,
     true, true, {0, 12, Decimal}, true, 2, k92},
    {5, "1:5万", 50000, "5w", 'E', 3, 24, 15 * kMinute, 10 * kMinute, "15′", "10′", 2,
     true, true, {4, 2, Letter}, true, 4, k92},
    {6, "1:2.5万", 25000, "25k", 'F', 3, 48, 450 * kSecond, 300 * kSecond, "7′30″", "5′", 3,
     true, true, {5, 2, Decimal}, false, 5, k92},
    {7, "1:1万", 10000, "1w", 'G', 3, 96, 225 * kSecond, 150 * kSecond, "3′45″", "2′30″", 3,
     true, true, {4, 8, Paren}, false, 6, k92},
    {8, "1:5000", 5000, "5k", 'H', 3, 192, 225 * kSecond / 2, 75 * kSecond, "1′52.5″", "1′15″", 3,
     true, true, {7, 2, Letter}, false, 7, k92},
    {9, "1:2000", 2000, "2k", 'I', 3, 576, 75 * kSecond / 2, 25 * kSecond, "37.5″", "25″", 3,
     true, false, {}, false, 8, k12},
    {10, "1:1000", 1000, "1k", 'J', 4, 1152, 75 * kSecond / 4, 25 * kSecond / 2, "18.75″", "12.5″", 3,
     true, false, {}, false, 9, k12},
    {11, "1:500", 500, "500", 'K', 4, 2304, 75 * kSecond / 8, 25 * kSecond / 4, "9.375″", "6.25″", 3,
     true, false, {}, false, 10, k12},
  }};
  for (Scale& s : table) {
    s.byrows = Divisor(s.rows);
    s.bylon = AngleDivisor(s.lonsize);
    s.bylat = AngleDivisor(s.latsize);
    if (s.old.k > 0) s.old.byk = Divisor(s.old.k);
  }
  // The old-number fields of each scale, from the head down.
  for (Scale& s : table) {
    if (!s.hasold) continue;
    int depth = 0;
    for (int id = s.id; table[static_cast<std::size_t>(id)].old.parent >= 0;
         id = table[static_cast<std::size_t>(id)].old.parent)
      ++depth;
    s.oldfields = depth;
    for (int id = s.id; table[static_cast<std::size_t>(id)].old.parent >= 0;
         id = table[static_cast<std::size_t>(id)].old.parent) {
      const Scale& form = table[static_cast<std::size_t>(id)];
      OldStep& step = s.oldsteps[--depth];
      step.style = form.old.style;
      step.k = form.old.k;
      step.byf = Divisor(s.rows / form.rows);
      step.byk = Divisor(form.old.k);
    }
  }
  return table;
}();

namespace {

constexpr const std::array<Scale, 12>& kScales = kAllScales;

// Every scale fills one 1:100万 sheet exactly, its sheets tile those of the
// scale that holds them, an old number's parent holds k × k of its sheets,
// and the row and column numbers fit their digits.
constexpr bool consistent() {
  for (const Scale& s : kScales) {
    if (s.lonsize * s.rows != kZoneWidth || s.latsize * s.rows != kRowHeight) return false;
    if (s.parent >= 0 && !kScales[static_cast<std::size_t>(s.parent)].holds(s)) return false;
    if (s.hasold && s.old.parent >= 0 &&
        kScales[static_cast<std::size_t>(s.old.parent)].rows * s.old.k != s.rows)
      return false;
    if (s.hasold && s.old.parent < 0 && s.rows != 1) return false;
    if (s.byrows.split(kGridZones * s.rows - 1).q != kGridZones - 1) return false;
    int room = 1;
    for (int d = 0; d < s.digits; ++d) room *= 10;
    if (s.digits > 0 && s.rows >= room) return false;
  }
  return true;
}
static_assert(consistent());

constexpr std::size_t count(Edition e) { return e == k92 ? 9 : 12; }

}  // namespace

const Scale* bycode(char code, Edition e) {
  if (code >= 'a' && code <= 'z') code = static_cast<char>(code - 'a' + 'A');
  // In the 2012 edition the larger scales come first, so that 'I' is 1:2000.
  const std::span<const Scale> all = scales(e);
  for (auto it = all.rbegin(); it != all.rend(); ++it)
    if (it->code == code) return &*it;
  return nullptr;
}

const Scale* byblc(int blc, Edition e) { return byid(blc - 1, e); }

const Scale* byid(int id, Edition e) {
  return id >= 0 && static_cast<std::size_t>(id) < count(e) ? &kScales[static_cast<std::size_t>(id)]
                                                             : nullptr;
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

const Scale* parsescale(std::string_view text, Edition e) {
  std::string_view t = text;
  if (t.starts_with("1:")) t.remove_prefix(2);
  for (const Scale& s : scales(e)) {
    const std::string_view label = s.label.substr(2);  // "5万", "5000"
    if (t == label) return &s;
    char digits[12];
    const auto written = std::to_chars(digits, digits + sizeof digits, s.denominator);
    if (t == std::string_view(digits, static_cast<std::size_t>(written.ptr - digits))) return &s;
    // "5千", "2千", "1千": thousands written with 千.
    if (s.denominator < 10000 && s.denominator % 1000 == 0 && t.size() == 4 &&
        t[0] == static_cast<char>('0' + s.denominator / 1000) && t.substr(1) == "千")
      return &s;
  }
  return nullptr;
}

std::optional<SizeTexts> jwcha(int i) {
  if (i < 0 || i > 8) return std::nullopt;
  const Scale* s = bycode(static_cast<char>('A' + i), k92);
  return SizeTexts{s->jchatext, s->wchatext};
}

}  // namespace tufu
