#include "core/sheet.h"

#include <cmath>

namespace tufu {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isdigit_(char c) { return c >= '0' && c <= '9'; }

int digits(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

void appendpad3(std::string& out, int v) {
  out += static_cast<char>('0' + v / 100 % 10);
  out += static_cast<char>('0' + v / 10 % 10);
  out += static_cast<char>('0' + v % 10);
}

// Degrees, minutes and seconds summed and taken to the tenth below; nothing
// for a value that is not finite or lies outside 0..limit.
std::optional<Tenths> totenths(double d, double m, double s, Tenths limit) {
  double tenths = (d * 3600 + m * 60 + s) * static_cast<double>(kSecond);
  if (!(tenths >= 0 && tenths <= static_cast<double>(limit))) return std::nullopt;
  double nearest = std::nearbyint(tenths);
  return std::abs(tenths - nearest) < 1e-6 ? static_cast<Tenths>(nearest)
                                           : static_cast<Tenths>(std::floor(tenths));
}

}  // namespace

std::optional<SheetRef> sheetat(const Scale& scale, Tenths lon, Tenths lat) {
  if (lon < 0 || lon > kLonLimit || lat < 0 || lat > kLatLimit) return std::nullopt;
  return sheetunder(scale, lon, lat);
}

SheetRef sheetunder(const Scale& scale, Tenths lon, Tenths lat) {
  SheetRef s;
  s.scale = &scale;
  s.rowletter = static_cast<char>('A' + lat / kRowHeight);
  s.zone = static_cast<int>(lon / kZoneWidth) + 31;
  if (scale.rows > 1) {
    // Floor division of the remainders: a point on an edge belongs to the
    // sheet north and east of it.
    s.row = scale.rows - static_cast<int>((lat % kRowHeight) / scale.latsize);
    s.col = static_cast<int>((lon % kZoneWidth) / scale.lonsize) + 1;
  }
  return s;
}

std::string sheetnumber(const SheetRef& s) {
  std::string out;
  out.reserve(10);
  out += s.rowletter;
  out += static_cast<char>('0' + s.zone / 10 % 10);
  out += static_cast<char>('0' + s.zone % 10);
  if (s.scale->rows > 1) {
    out += s.scale->code;
    appendpad3(out, s.row);
    appendpad3(out, s.col);
  }
  return out;
}

std::optional<SheetRef> readnew(std::string_view text) {
  if (text.size() != 3 && text.size() != 10) return std::nullopt;
  SheetRef s;
  s.rowletter = upper(text[0]);
  if (s.rowletter < 'A' || s.rowletter > 'P') return std::nullopt;
  if (!isdigit_(text[1]) || !isdigit_(text[2])) return std::nullopt;
  s.zone = digits(text.substr(1, 2));
  if (s.zone < 31 || s.zone > 61) return std::nullopt;
  s.scale = bycode('A');
  if (text.size() == 3) return s;
  const Scale* scale = bycode(upper(text[3]));
  if (scale == nullptr) return std::nullopt;
  if (scale->rows == 1) return s;  // the 1:100万 sheet; row and column are not read
  for (char c : text.substr(4))
    if (!isdigit_(c)) return std::nullopt;
  s.scale = scale;
  s.row = digits(text.substr(4, 3));
  s.col = digits(text.substr(7, 3));
  if (s.row < 1 || s.row > scale->rows || s.col < 1 || s.col > scale->rows) return std::nullopt;
  return s;
}

std::optional<std::string> newmapna(int blc, Tenths lon, Tenths lat) {
  const Scale* scale = byblc(blc);
  if (scale == nullptr) return std::nullopt;
  auto s = sheetat(*scale, lon, lat);
  if (!s) return std::nullopt;
  return sheetnumber(*s);
}

std::optional<std::string> newmapna(int blc, double jd, double jf, double jm, double wd,
                                    double wf, double wm) {
  auto lon = totenths(jd, jf, jm, kLonLimit);
  auto lat = totenths(wd, wf, wm, kLatLimit);
  if (!lon || !lat) return std::nullopt;
  return newmapna(blc, *lon, *lat);
}

Bounds boundsof(const SheetRef& s) {
  const Scale& sc = *s.scale;
  Bounds b;
  b.west = (s.zone - 31) * kZoneWidth + (s.col - 1) * sc.lonsize;
  b.south = (s.rowletter - 'A') * kRowHeight + (sc.rows - s.row) * sc.latsize;
  b.east = b.west + sc.lonsize;
  b.north = b.south + sc.latsize;
  return b;
}

namespace {

// Fills an extent in place: its texts are written straight into their
// members, the hot path of every point query.
void fillextent(Extent& e, const SheetRef& s) {
  e.bounds = boundsof(s);
  const int parts = s.scale->parts;
  formatangle(e.rangewest, e.bounds.west, parts, true);
  formatangle(e.rangeeast, e.bounds.east, parts, true);
  formatangle(e.rangesouth, e.bounds.south, parts, true);
  formatangle(e.rangenorth, e.bounds.north, parts, true);
  formatangle(e.rangewestdms, e.bounds.west, 3, false);
  formatangle(e.rangesouthdms, e.bounds.south, 3, false);
}

}  // namespace

Extent extentof(const SheetRef& s) {
  Extent e;
  fillextent(e, s);
  return e;
}

std::optional<Extent> maprange(std::string_view mapna) {
  auto s = readnew(mapna);
  if (!s) return std::nullopt;
  std::optional<Extent> e(std::in_place);
  fillextent(*e, *s);
  return e;
}

}  // namespace tufu
