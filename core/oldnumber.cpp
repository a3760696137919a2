#include "core/oldnumber.h"

#include <array>
#include <cstdint>

#include "core/utf8.h"

namespace tufu {
namespace {

constexpr std::array<std::string_view, 36> kNumerals{
    "I",     "II",     "III",    "IV",    "V",     "VI",     "VII",    "VIII",   "IX",
    "X",     "XI",     "XII",    "XIII",  "XIV",   "XV",     "XVI",    "XVII",   "XVIII",
    "XIX",   "XX",     "XXI",    "XXII",  "XXIII", "XXIV",   "XXV",    "XXVI",   "XXVII",
    "XXVIII", "XXIX",  "XXX",    "XXXI",  "XXXII", "XXXIII", "XXXIV",  "XXXV",   "XXXVI"};

constexpr IndexStyle kStyles[] = {IndexStyle::Letter, IndexStyle::Decimal, IndexStyle::Bracket,
                                   IndexStyle::Roman, IndexStyle::Paren};

bool isdigit_(char c) { return c >= '0' && c <= '9'; }

bool alldigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isdigit_(c)) return false;
  return true;
}

// Decimal value of an all-digit text, leading zeros allowed; anything above
// 99999 reads as 99999, which every range check refuses.
int value(std::string_view s) {
  int v = 0;
  for (char c : s) {
    v = v * 10 + (c - '0');
    if (v > 99999) return 99999;
  }
  return v;
}

const Scale& scaleof(int id) { return kAllScales[id]; }

// Every index an old number can hold (1 .. 144) in every style, formed once:
// writing a number then copies a few bytes.
struct IndexText {
  char text[7]{};
  std::uint8_t size = 0;
};
constexpr int kLargestIndex = 144;
constexpr int kStyleCount = 5;
using IndexTable = std::array<std::array<IndexText, kLargestIndex + 1>, kStyleCount>;

constexpr IndexTable makeindextexts() {
  IndexTable t{};
  for (int style = 0; style < kStyleCount; ++style) {
    for (int n = 1; n <= kLargestIndex; ++n) {
      IndexText& e = t[static_cast<std::size_t>(style)][static_cast<std::size_t>(n)];
      char buf[16]{};
      const auto st = static_cast<IndexStyle>(style);
      std::size_t size = 0;
      switch (st) {
        case IndexStyle::Letter: buf[size++] = static_cast<char>('A' + n - 1); break;
        case IndexStyle::Roman: {
          const std::string_view r = n <= 36 ? kNumerals[static_cast<std::size_t>(n - 1)] : "";
          for (char c : r) buf[size++] = c;
          break;
        }
        default: {
          if (st == IndexStyle::Bracket) buf[size++] = '[';
          if (st == IndexStyle::Paren) buf[size++] = '(';
          if (n >= 100) buf[size++] = static_cast<char>('0' + n / 100);
          if (n >= 10) buf[size++] = static_cast<char>('0' + n / 10 % 10);
          buf[size++] = static_cast<char>('0' + n % 10);
          if (st == IndexStyle::Bracket) buf[size++] = ']';
          if (st == IndexStyle::Paren) buf[size++] = ')';
        }
      }
      for (std::size_t c = 0; c < size; ++c) e.text[c] = buf[c];
      e.size = static_cast<std::uint8_t>(size);
    }
  }
  return t;
}
constexpr IndexTable kIndexTexts = makeindextexts();

// Index `n` (1 .. 144, the most sheets an old-number field counts) written
// in `style`; nothing for any other n.
inline char* writeindex(char* p, int n, IndexStyle style) {
  if (n < 1 || n > kLargestIndex) return p;
  const IndexText& e = kIndexTexts[static_cast<std::size_t>(style)][static_cast<std::size_t>(n)];
  for (std::size_t c = 0; c < e.size; ++c) p[c] = e.text[c];
  return p + e.size;
}

std::string indextext(int n, IndexStyle style) {
  char buf[16];
  return std::string(buf, writeindex(buf, n, style));
}

// What a form's index field holds: "A至D", "1至144", "[1]至[16]" ...
std::string rangetext(const Scale& s) {
  return indextext(1, s.old.style) + "至" + indextext(s.old.k * s.old.k, s.old.style);
}

// The field as an index of `style` among k × k sheets: 1.. k², else 0.
int readindex(std::string_view f, IndexStyle style, int k) {
  const int last = k * k;
  auto inrange = [last](int v) { return v >= 1 && v <= last ? v : 0; };
  switch (style) {
    case IndexStyle::Letter:
      return f.size() == 1 && f[0] >= 'A' && f[0] < 'A' + last ? f[0] - 'A' + 1 : 0;
    case IndexStyle::Decimal:
      return alldigits(f) ? inrange(value(f)) : 0;
    case IndexStyle::Bracket: {
      // The digits between the first "[" and the next "]".
      if (f.size() < 2 || f.front() != '[' || f.back() != ']') return 0;
      std::string_view inner = f.substr(1);
      inner = inner.substr(0, inner.find(']'));
      return alldigits(inner) ? inrange(value(inner)) : 0;
    }
    case IndexStyle::Roman: {
      const auto n = alb(f);
      return n ? inrange(*n) : 0;
    }
    case IndexStyle::Paren: {
      // The digits after "(" up to the next "(" or ")".
      if (f.size() < 2 || f.front() != '(' || f.back() != ')') return 0;
      std::string_view inner = f.substr(1);
      inner = inner.substr(0, inner.find_first_of("()"));
      return alldigits(inner) ? inrange(value(inner)) : 0;
    }
  }
  return 0;
}

// A field written in brackets can only be a 1:25万 index, so its refusal
// names that scale.
bool bracketed(std::string_view f) { return f.size() > 1 && f.front() == '[' && f.back() == ']'; }

// Whether an old number of scale `s` can go on for exactly `more` fields.
bool reaches(const Scale& s, int more) {
  if (more == 0) return true;
  for (const Scale& c : scales(Edition::k2012))
    if (c.hasold && c.old.parent == s.id && reaches(c, more - 1)) return true;
  return false;
}

// The sheet of the parent scale that holds `s`.
Sheet up(const Sheet& s, const Scale& parent) {
  const int f = s.scale->rows / parent.rows;
  return Sheet{&parent, s.x / f, s.y / f};
}

// The child in place `n` (from 1, row by row from the north-west) among the
// k × k sheets of `child`'s scale inside `parent`.
Sheet down(const Sheet& parent, const Scale& child, int n) {
  const int k = child.rows / parent.scale->rows;
  const int r = (n - 1) / k, c = (n - 1) % k;
  return Sheet{&child, parent.x * k + c, parent.y * k + (k - 1 - r)};
}

Parsed refuse(std::string why, NumberFault fault, int position) {
  return Parsed{std::nullopt, std::move(why), fault, position};
}

std::string ordinal(int field) { return "第" + std::to_string(field) + "段"; }

}  // namespace

std::string_view luoma(int al) {
  if (al < 1 || al > 36) return {};
  return kNumerals[static_cast<std::size_t>(al - 1)];
}

std::optional<int> alb(std::string_view lm) {
  for (std::size_t i = 0; i < kNumerals.size(); ++i)
    if (kNumerals[i] == lm) return static_cast<int>(i + 1);
  return std::nullopt;
}

bool testluoma(std::string_view s) { return alb(s).has_value(); }

char* writeold(char* p, const Sheet& s) {
  if (!s.scale->hasold) return p;
  const int rows = s.scale->rows;
  const QuotRem across = s.scale->byrows.split(s.x), up = s.scale->byrows.split(s.y);
  *p++ = static_cast<char>('A' + up.q);
  *p++ = '-';
  const int zone = kFirstZone + across.q;
  *p++ = static_cast<char>('0' + zone / 10 % 10);
  *p++ = static_cast<char>('0' + zone % 10);
  // Each field: the ancestor's place among the k × k sheets of its parent.
  const int row = rows - 1 - up.r, col = across.r;  // from 0 inside the 1:100万 sheet
  for (int i = 0; i < s.scale->oldfields; ++i) {
    const OldStep& step = s.scale->oldsteps[i];
    const int r = step.byk.split(step.byf.split(row).q).r;
    const int c = step.byk.split(step.byf.split(col).q).r;
    *p++ = '-';
    p = writeindex(p, r * step.k + c + 1, step.style);
  }
  return p;
}

OldNumber oldnumberof(const Sheet& s) {
  OldNumber out;
  out.end(writeold(out.begin(), s));
  return out;
}

std::string oldnumber(const Sheet& s) { return oldnumberof(s).str(); }

Parsed parseold(std::string_view text) {
  std::string t(text);
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (t.empty()) return refuse("图幅编号为空", NumberFault::Empty, 0);
  if (t.front() == '-' || t.back() == '-')
    return refuse("旧图幅编号不能以“-”开头或结尾", NumberFault::OldDash,
                  t.front() == '-' ? 1 : characterat(t, t.size()) - 1);
  // The character where byte `p` of a field lies.
  const auto at = [&t](std::string_view p) {
    return characterat(t, static_cast<std::size_t>(p.data() - t.data()));
  };
  // Fields between the "-".
  std::string_view f[6];
  int d = 0;
  {
    std::string_view rest = t;
    for (;;) {
      std::size_t dash = rest.find('-');
      if (d == 5)  // at the fifth "-"
        return refuse("旧图幅编号最多有4个“-”", NumberFault::OldFields, at(rest) - 1);
      f[d] = rest.substr(0, dash);
      if (f[d].empty())  // at the second "-" of "--"
        return refuse("旧图幅编号不能有空的字段", NumberFault::OldFields, at(rest));
      if (dash == std::string_view::npos) break;
      rest.remove_prefix(dash + 1);
      ++d;
    }
  }
  if (d == 0) return refuse("旧图幅编号应含“-”", NumberFault::OldFields, 0);
  // The 1:100万 sheet, common to every form.
  if (f[0].size() != 1 || f[0][0] < 'A' || f[0][0] > kTypedLastRow)
    return refuse(std::string("行号应为A至") + kTypedLastRow + "的一个字母", NumberFault::OldRow, 1);
  if (!alldigits(f[1])) return refuse("列号应为数字", NumberFault::OldZone, at(f[1]));
  const int zone = value(f[1]);
  if (zone < kFirstZone || zone > kTypedLastZone)
    return refuse("列号应在" + std::to_string(kFirstZone) + "至" + std::to_string(kTypedLastZone) +
                      "之间",
                  NumberFault::OldZone, at(f[1]));
  Sheet sheet = sheetin(scaleof(0), f[0][0], zone, 1, 1);

  // Each further field is the index of a sheet of one of the forms that go
  // on from the sheet read so far and can end with the last field.
  for (int i = 2; i <= d; ++i) {
    const int more = d - i;
    // In the order of their index styles, the order a refusal lists them.
    const Scale* candidates[12];
    int count = 0;
    for (IndexStyle style : kStyles)
      for (const Scale& c : scales(Edition::k2012))
        if (c.hasold && c.old.parent == sheet.scale->id && c.old.style == style &&
            reaches(c, more))
          candidates[count++] = &c;

    const Scale* read = nullptr;
    for (int j = 0; j < count && read == nullptr; ++j)
      if (int n = readindex(f[i], candidates[j]->old.style, candidates[j]->old.k)) {
        read = candidates[j];
        sheet = down(sheet, *read, n);
      }
    if (read != nullptr) continue;

    // The refusal names what the field may hold.
    for (int j = 0; j < count; ++j)
      if (candidates[j]->old.style == IndexStyle::Bracket && bracketed(f[i]))
        return refuse(std::string(candidates[j]->label) + "图号应为" + rangetext(*candidates[j]),
                      NumberFault::OldIndex, at(f[i]));
    if (count == 1) {
      const Scale& c = *candidates[0];
      return refuse(std::string(c.label) + "图号" + (more == 0 ? "的" + ordinal(i + 1) : "") +
                        "应为" + rangetext(c),
                    NumberFault::OldIndex, at(f[i]));
    }
    std::string why = ordinal(i + 1) + "应为";
    for (int j = 0; j < count; ++j) {
      if (j > 0) why += j + 1 == count ? "或" : "、";
      why += rangetext(*candidates[j]);
    }
    if (count == 0) return refuse("旧图幅编号的段数不对", NumberFault::OldFields, 0);
    return refuse(why, NumberFault::OldIndex, at(f[i]));
  }
  return Parsed{sheet, {}};
}

std::optional<Sheet> readold(std::string_view oldmap) { return parseold(oldmap).sheet; }

std::optional<Converted> newold(std::string_view mapna) {
  auto s = readnew(mapna);
  if (!s) return std::nullopt;
  return Converted{oldnumber(*s), s->scale->code, s->scale->label};
}

std::optional<Converted> oldnew(std::string_view oldmap) {
  auto s = readold(oldmap);
  if (!s) return std::nullopt;
  return Converted{sheetnumber(*s), s->scale->code, s->scale->label};
}

std::vector<Sheet> containing(const Sheet& s) {
  std::vector<Sheet> out;
  const Scale& own = *s.scale;
  bool onchain[12] = {};
  for (int p = own.parent; p >= 0; p = scaleof(p).parent) {
    out.push_back(up(s, scaleof(p)));
    onchain[p] = true;
  }
  for (const Scale& other : scales(Edition::k2012))
    if (!onchain[other.id] && other.rows < own.rows && other.holds(own))
      out.push_back(up(s, other));
  return out;
}

std::vector<Containing> containingsheets(const Sheet& s) {
  std::vector<Containing> out;
  for (const Sheet& c : containing(s)) out.push_back({c.scale, sheetnumber(c), oldnumber(c)});
  return out;
}

std::vector<Containing> bigbil(std::string_view s) {
  auto sheet = readnew(s);
  if (!sheet || s.size() != 10) return {};
  return containingsheets(*sheet);
}

}  // namespace tufu
