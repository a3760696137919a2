#include "core/oldnumber.h"

#include <array>

#include "core/parse.h"

namespace tufu {
namespace {

constexpr std::array<std::string_view, 36> kNumerals{
    "I",     "II",     "III",    "IV",    "V",     "VI",     "VII",    "VIII",   "IX",
    "X",     "XI",     "XII",    "XIII",  "XIV",   "XV",     "XVI",    "XVII",   "XVIII",
    "XIX",   "XX",     "XXI",    "XXII",  "XXIII", "XXIV",   "XXV",    "XXVI",   "XXVII",
    "XXVIII", "XXIX",  "XXX",    "XXXI",  "XXXII", "XXXIII", "XXXIV",  "XXXV",   "XXXVI"};

// Row and column (from 1) of the parent that holds row or column `x` when
// each parent spans `k` of them.
int parentof(int x, int k) { return (x - 1) / k + 1; }

// Index (from 1) of the child in row `r`, column `c` inside its parent of
// k × k children: (row in parent − 1) × k + column in parent.
int indexin(int r, int c, int k) { return ((r - 1) % k) * k + (c - 1) % k + 1; }

char letter(int n) { return static_cast<char>('A' + n - 1); }

void appendint(std::string& out, int v) {
  char buf[8];
  int k = 0;
  do {
    buf[k++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0);
  while (k > 0) out += buf[--k];
}

// "-N" with N the 1:10万 index of the sheet in row r, column c of the scale
// whose sheets a 1:10万 sheet holds `per` of along each side.
void append100k(std::string& out, int r, int c, int per) {
  out += '-';
  appendint(out, indexin(parentof(r, per), parentof(c, per), 12));
}

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

std::string oldnumber(const SheetRef& s) {
  std::string out;  // short enough to stay in place at most scales
  out += s.rowletter;
  out += '-';
  out += static_cast<char>('0' + s.zone / 10 % 10);
  out += static_cast<char>('0' + s.zone % 10);
  const int r = s.row, c = s.col;
  switch (s.scale->code) {
    case 'A':
      break;
    case 'B':
      out += '-';
      out += letter(indexin(r, c, 2));
      break;
    case 'C':
      out += "-[";
      appendint(out, indexin(r, c, 4));
      out += ']';
      break;
    case 'I':
      out += '-';
      out += luoma(indexin(r, c, 6));
      break;
    case 'D':
      out += '-';
      appendint(out, indexin(r, c, 12));
      break;
    case 'E':  // 1:10万 number, then A..D inside it
      append100k(out, r, c, 2);
      out += '-';
      out += letter(indexin(r, c, 2));
      break;
    case 'F': {  // 1:5万 number, then 1..4 inside it
      append100k(out, r, c, 4);
      out += '-';
      out += letter(indexin(parentof(r, 2), parentof(c, 2), 2));
      out += '-';
      appendint(out, indexin(r, c, 2));
      break;
    }
    case 'G':  // 1:10万 number, then (1..64) inside it
      append100k(out, r, c, 8);
      out += "-(";
      appendint(out, indexin(r, c, 8));
      out += ')';
      break;
    case 'H':  // 1:1万 number, then A..D inside it
      append100k(out, r, c, 16);
      out += "-(";
      appendint(out, indexin(parentof(r, 2), parentof(c, 2), 8));
      out += ")-";
      out += letter(indexin(r, c, 2));
      break;
  }
  return out;
}

std::optional<Converted> newold(std::string_view mapna) {
  auto s = readnew(mapna);
  if (!s) return std::nullopt;
  return Converted{oldnumber(*s), s->scale->code, s->scale->label};
}

std::optional<SheetRef> readold(std::string_view oldmap) {
  return parseold(oldmap).sheet;
}

std::optional<Converted> oldnew(std::string_view oldmap) {
  auto s = readold(oldmap);
  if (!s) return std::nullopt;
  return Converted{sheetnumber(*s), s->scale->code, s->scale->label};
}

std::vector<Containing> containingsheets(const SheetRef& s) {
  std::vector<Containing> out;
  auto parent = [&s](char code, int k) {
    SheetRef p = s;
    p.scale = bycode(code);
    p.row = code == 'A' ? 1 : parentof(s.row, k);
    p.col = code == 'A' ? 1 : parentof(s.col, k);
    return p;
  };
  auto deliver = [&out](const SheetRef& p) {
    out.push_back({p.scale, sheetnumber(p), oldnumber(p)});
  };
  switch (s.scale->code) {
    case 'B': deliver(parent('A', 1)); break;
    case 'C':
    case 'I': {
      SheetRef p = parent('B', s.scale->code == 'C' ? 2 : 3);
      deliver(p);
      deliver(parent('A', 1));
      break;
    }
    case 'D': {
      SheetRef p = parent('C', 3);
      deliver(p);
      for (Containing& c : containingsheets(p)) out.push_back(std::move(c));
      deliver(parent('I', 2));
      break;
    }
    case 'E':
    case 'F':
    case 'G':
    case 'H': {
      const char up = static_cast<char>(s.scale->code == 'E' ? 'D' : s.scale->code - 1);
      SheetRef p = parent(up, 2);
      deliver(p);
      for (Containing& c : containingsheets(p)) out.push_back(std::move(c));
      break;
    }
    default:
      break;
  }
  return out;
}

std::vector<Containing> bigbil(std::string_view s) {
  auto sheet = readnew(s);
  if (!sheet || s.size() != 10) return {};
  return containingsheets(*sheet);
}

}  // namespace tufu
