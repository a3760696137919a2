#include "angles/angle.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "angles/digits.h"

namespace tufu {
namespace {

bool isblank_(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The first three comma-separated parts of a padded angle text.
struct Parts {
  std::string_view p[3];
};

Parts firstthree(std::string_view s) {
  Parts out;
  for (int i = 0; i < 3; ++i) {
    std::size_t comma = s.find(',');
    if (comma == std::string_view::npos) {
      out.p[i] = s;
      s = {};
      // A text with fewer than three parts: the rest are empty.
      for (int j = i + 1; j < 3; ++j) out.p[j] = {};
      break;
    }
    out.p[i] = s.substr(0, comma);
    s.remove_prefix(comma + 1);
  }
  return out;
}

bool alldigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool check(std::string_view st, double limitseconds) {
  Parts parts = firstthree(st);
  bool ok = true;
  double total = leadingnumber(parts.p[0]) * 3600 + leadingnumber(parts.p[1]) * 60 +
                 leadingnumber(parts.p[2]);
  if (!(total <= limitseconds)) ok = false;  // also refuses NaN
  for (auto& p : parts.p)
    if (!alldigits(p)) ok = false;
  return ok;
}

std::optional<Angle> readfield(std::string_view fieldtext, Angle limit) {
  std::string padded = padangle(fieldtext);
  if (!check(padded, static_cast<double>(limit / kSecond))) return std::nullopt;
  // Checked: three runs of digits (possibly empty) whose total is within the
  // limit, so each part is an exact whole number here.
  Parts parts = firstthree(padded);
  double seconds = leadingnumber(parts.p[0]) * 3600 + leadingnumber(parts.p[1]) * 60 +
                   leadingnumber(parts.p[2]);
  return static_cast<Angle>(seconds) * kSecond;
}

// Writes v in decimal at p and returns the end.  Most parts of an angle
// have one or two digits.
char* putdigits(char* p, std::uint64_t v) {
  if (v < 10) {
    *p++ = static_cast<char>('0' + v);
    return p;
  }
  if (v < 100) {
    *p++ = static_cast<char>('0' + v / 10);
    *p++ = static_cast<char>('0' + v % 10);
    return p;
  }
  if (v < 1000) {
    *p++ = static_cast<char>('0' + v / 100);
    *p++ = static_cast<char>('0' + v / 10 % 10);
    *p++ = static_cast<char>('0' + v % 10);
    return p;
  }
  char tmp[24];
  std::size_t k = 0;
  do {
    tmp[k++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0);
  while (k > 0) *p++ = tmp[--k];
  return p;
}

template <std::size_t N>
char* putliteral(char* p, const char (&text)[N]) {
  std::memcpy(p, text, N - 1);
  return p + (N - 1);
}

}  // namespace

double leadingnumber(std::string_view text) {
  // Blanks are skipped wherever they stand, as the reading of numeric text
  // has always done.
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!isblank_(c)) s += c;
  std::size_t i = 0, n = s.size();
  if (n >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    bool hex = s[1] == 'H' || s[1] == 'h';
    double v = 0;
    for (i = 2; i < n; ++i) {
      char c = s[i];
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (hex && c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (hex && c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        break;
      if (!hex && d > 7) break;
      v = v * (hex ? 16 : 8) + d;
    }
    return v;
  }
  std::string num;
  if (i < n && (s[i] == '+' || s[i] == '-')) num += s[i++];
  bool digits = false;
  while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) {
    num += s[i++];
    digits = true;
  }
  if (i < n && s[i] == '.') {
    num += s[i++];
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) {
      num += s[i++];
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i < n && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    if (j < n && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    bool expdigits = false;
    while (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) {
      exp += s[j++];
      expdigits = true;
    }
    if (expdigits) num += exp;
  }
  return std::strtod(num.c_str(), nullptr);
}

std::string padangle(std::string_view text) {
  std::string s(text);
  s += ",0,0,0";
  return s;
}

bool tsttxt1(std::string_view st) { return check(st, 648000.0); }
bool tsttxt2(std::string_view st) { return check(st, 216000.0); }

double changesec(std::string_view s) {
  Parts parts = firstthree(s);
  double v = leadingnumber(parts.p[0]) * 3600 + leadingnumber(parts.p[1]) * 60 +
             leadingnumber(parts.p[2]);
  if (!(std::abs(v) <= 3.0e38)) return v;  // beyond single precision
  return static_cast<double>(static_cast<float>(v));
}

std::string whyrefusedfield(std::string_view fieldtext, Angle limit) {
  const std::string padded = padangle(fieldtext);
  if (check(padded, static_cast<double>(limit / kSecond))) return {};
  const Parts parts = firstthree(padded);
  for (const std::string_view part : parts.p) {
    for (std::size_t i = 0; i < part.size(); ++i) {
      if (part[i] >= '0' && part[i] <= '9') continue;
      // The whole character, even when it takes several bytes.
      std::size_t n = 1;
      while (i + n < part.size() && (static_cast<unsigned char>(part[i + n]) & 0xC0) == 0x80) ++n;
      std::string why = "只能输入数字和逗号 (度,分,秒), 不能有“";
      why.append(part.substr(i, n));
      why += "”";
      return why;
    }
  }
  return "不能大于" + std::to_string(limit / kDegree) + "°";
}

std::optional<Angle> readlon(std::string_view fieldtext) { return readfield(fieldtext, kLonLimit); }
std::optional<Angle> readlat(std::string_view fieldtext) { return readfield(fieldtext, kLatLimit); }

namespace {

// An angle read exactly: whole units, and whether a remainder below one
// unit was dropped.
struct Exact {
  Angle units = 0;
  bool below = false;  // the value lies above `units` by less than a unit
};

// "digits[.digits]" scaled by `unit` per whole: exact, no floating point,
// for any number of digits.  The whole part takes at most 9 digits after
// its leading zeros (more lies beyond every limit).
std::optional<Exact> scaled(std::string_view text, Angle unit) {
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  const std::string_view frac =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() || !alldigits(whole)) return std::nullopt;
  if (point != std::string_view::npos && (frac.empty() || !alldigits(frac))) return std::nullopt;
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  if (whole.size() > 9) return std::nullopt;
  Exact e;
  for (char c : whole) e.units = e.units * 10 + (c - '0');
  e.units *= unit;
  // The fraction times the unit, by long multiplication from its last
  // digit: what carries past the point is whole units, and any digit left
  // behind is a remainder below one unit.
  Angle carry = 0;
  for (std::size_t i = frac.size(); i-- > 0;) {
    const Angle v = (frac[i] - '0') * unit + carry;
    e.below = e.below || v % 10 != 0;
    carry = v / 10;
  }
  e.units += carry;
  return e;
}

// Degrees, minutes and seconds, each a run of digits, the seconds (or the
// last part given) possibly with a decimal fraction.
std::optional<Exact> sumparts(std::string_view d, std::string_view m, std::string_view sec) {
  auto pd = scaled(d.empty() ? "0" : d, kDegree);
  auto pm = scaled(m.empty() ? "0" : m, kMinute);
  auto ps = scaled(sec.empty() ? "0" : sec, kSecond);
  if (!pd || !pm || !ps || pd->below || pm->below) return std::nullopt;
  return Exact{pd->units + pm->units + ps->units, ps->below};
}

// The marks of degrees, minutes and seconds, longest first.
constexpr std::string_view kMarks[3][4] = {
    {"°"}, {"′", "'"}, {"′′", "''", "″", "\""}};

// The mark of part `k` at the start of `s`: its length, else 0.
std::size_t mark(std::string_view s, int k) {
  for (std::string_view m : kMarks[k])
    if (!m.empty() && s.starts_with(m)) return m.size();
  return 0;
}

// 116°23′30″, 116°23'30", 116°23′30.5″, 116°23′, 116°: each part a number
// followed by its mark.
std::optional<Exact> readsymbols(std::string_view text) {
  std::string_view part[3];
  int next = 0;
  while (!text.empty()) {
    std::size_t digits = 0;
    while (digits < text.size() && ((text[digits] >= '0' && text[digits] <= '9') || text[digits] == '.'))
      ++digits;
    if (digits == 0) return std::nullopt;
    // Seconds take the longest mark first ("''" before "'").
    int which = -1;
    std::size_t length = 0;
    for (int k = 2; k >= next && which < 0; --k)
      if ((length = mark(text.substr(digits), k)) > 0) which = k;
    if (which < 0) return std::nullopt;
    part[which] = text.substr(0, digits);
    next = which + 1;
    text.remove_prefix(digits + length);
    if (next > 2 && !text.empty()) return std::nullopt;
  }
  if (part[0].empty()) return std::nullopt;
  // Only the last part given may carry a fraction.
  if (part[0].find('.') != std::string_view::npos && (!part[1].empty() || !part[2].empty()))
    return std::nullopt;
  if (part[1].find('.') != std::string_view::npos && !part[2].empty()) return std::nullopt;
  if (part[1].find('.') != std::string_view::npos || part[0].find('.') != std::string_view::npos) {
    auto pd = scaled(part[0], kDegree);
    auto pm = scaled(part[1].empty() ? "0" : part[1], kMinute);
    if (!pd || !pm) return std::nullopt;
    return Exact{pd->units + pm->units, pd->below || pm->below};
  }
  return sumparts(part[0], part[1], part[2]);
}

}  // namespace

std::optional<Angle> readangle(std::string_view text, Angle limit) {
  if (text.find_first_of("0123456789") == std::string_view::npos) return std::nullopt;
  std::optional<Exact> e;
  if (text.find_first_of("'\"") != std::string_view::npos ||
      text.find("°") != std::string_view::npos || text.find("′") != std::string_view::npos ||
      text.find("″") != std::string_view::npos) {
    e = readsymbols(text);
  } else if (text.find('.') == std::string_view::npos) {
    // Comma texts and whole degrees, by the rules of the window's fields.
    return readfield(text, limit);
  } else if (text.find(',') != std::string_view::npos) {
    // Decimal seconds: "116,23,30.5".
    Parts parts = firstthree(text);
    std::size_t commas = 0;
    for (char c : text) commas += c == ',';
    if (commas != 2 || parts.p[0].find('.') != std::string_view::npos ||
        parts.p[1].find('.') != std::string_view::npos)
      return std::nullopt;
    e = sumparts(parts.p[0], parts.p[1], parts.p[2]);
  } else {
    // Decimal degrees: "116.391667".
    e = scaled(text, kDegree);
  }
  // The value itself must lie within the limit, not only its units.
  if (!e || e->units > limit || (e->units == limit && e->below)) return std::nullopt;
  return e->units;
}

std::string whyrefusedangle(std::string_view text, Angle limit) {
  const std::string what = limit == kLatLimit ? "纬度" : "经度";
  if (text.find_first_of("0123456789") == std::string_view::npos &&
      text.find_first_not_of(", \t") == std::string_view::npos)
    return what + "不能为空";
  return std::string(limit == kLatLimit ? kLatRefused : kLonRefused);
}

std::string formatangle(Angle t, int parts, bool symbols) {
  std::string out;
  formatangle(out, t, parts, symbols);
  return out;
}

void formatangle(std::string& out, Angle t, int parts, bool symbols) {
  char buf[kAngleTextMax];
  out.assign(buf, writeangle(buf, t, parts, symbols));
}

char* writeangle(char* p, Angle t, int parts, bool symbols) {
  std::uint64_t u = static_cast<std::uint64_t>(t);
  if (t < 0) {
    *p++ = '-';
    u = 0 - u;
  }
  // Every angle of a sheet fits 32 bits; its parts are then divided as such.
  const std::uint32_t degrees =
      u < (std::uint64_t{1} << 32) ? static_cast<std::uint32_t>(u) / static_cast<std::uint32_t>(kDegree)
                                   : 0;
  if (u < (std::uint64_t{1} << 32) && degrees < 1000)
    p = writesmall(p, degrees);
  else
    p = putdigits(p, u / kDegree);
  const auto rest = static_cast<std::uint32_t>(u % kDegree);  // below one degree
  if (symbols)
    p = putliteral(p, "°");
  else if (parts > 1)
    *p++ = ',';
  if (parts >= 2) {
    p = writesmall(p, rest / static_cast<std::uint32_t>(kMinute));
    if (symbols)
      p = putliteral(p, "′");
    else if (parts > 2)
      *p++ = ',';
  }
  if (parts >= 3) {
    const std::uint32_t units = rest % static_cast<std::uint32_t>(kMinute);
    p = writesmall(p, units / static_cast<std::uint32_t>(kSecond));
    // A fortieth of a second is 0.025″: the fraction has at most three
    // decimals, of which the trailing zeros are left out.
    if (auto thousandths = static_cast<std::uint32_t>(units % kSecond * (1000 / kSecond));
        thousandths != 0) {
      *p++ = '.';
      *p++ = static_cast<char>('0' + thousandths / 100);
      thousandths %= 100;
      if (thousandths != 0) {
        *p++ = static_cast<char>('0' + thousandths / 10);
        if (thousandths % 10 != 0) *p++ = static_cast<char>('0' + thousandths % 10);
      }
    }
    if (symbols) p = putliteral(p, "″");
  }
  return p;
}

std::string dfms(Angle t) { return formatangle(t, 3, true); }

std::string dfms(double seconds) {
  if (!(std::abs(seconds) < 1e14)) return {};  // no angle of any sheet
  return dfms(static_cast<Angle>(std::llround(seconds * static_cast<double>(kSecond))));
}

}  // namespace tufu
