#include "angles/angle.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

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

std::optional<Angle> readlon(std::string_view fieldtext) { return readfield(fieldtext, kLonLimit); }
std::optional<Angle> readlat(std::string_view fieldtext) { return readfield(fieldtext, kLatLimit); }

std::optional<Angle> readangle(std::string_view text, Angle limit) {
  if (text.find(',') != std::string_view::npos || alldigits(text))
    return readfield(text, limit);
  // Decimal degrees: digits, one point, digits.  No sign, blank or exponent.
  std::size_t point = text.find('.');
  if (point == std::string_view::npos || text.size() == 1) return std::nullopt;
  std::string_view whole = text.substr(0, point), frac = text.substr(point + 1);
  if (!alldigits(whole) || !alldigits(frac) || whole.size() > 4 || frac.size() > 12)
    return std::nullopt;
  double degrees = std::strtod(std::string(text).c_str(), nullptr);
  double units = degrees * static_cast<double>(kDegree);
  double nearest = std::nearbyint(units);
  Angle t = std::abs(units - nearest) < 1e-6 ? static_cast<Angle>(nearest)
                                              : static_cast<Angle>(std::floor(units));
  if (t > limit) return std::nullopt;
  return t;
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
  p = putdigits(p, u / kDegree);
  const std::uint32_t rest = static_cast<std::uint32_t>(u % kDegree);  // below one degree
  if (symbols)
    p = putliteral(p, "°");
  else if (parts > 1)
    *p++ = ',';
  if (parts >= 2) {
    p = putdigits(p, rest / kMinute);
    if (symbols)
      p = putliteral(p, "′");
    else if (parts > 2)
      *p++ = ',';
  }
  if (parts >= 3) {
    const auto units = static_cast<std::uint32_t>(rest % kMinute);
    p = putdigits(p, units / kSecond);
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
