#include "core/sheet.h"

#include <cmath>
#include <cstring>

#include "angles/digits.h"
#include "core/utf8.h"

namespace tufu {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isdigit_(char c) { return c >= '0' && c <= '9'; }

// The value of a run of digits (checked by the caller).
int digits(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

std::string decimal(int v) { return std::to_string(v); }

// Degrees, minutes and seconds summed and taken to the unit below; nothing
// for a value that is not finite or lies outside 0..limit.
std::optional<Angle> toangle(double d, double m, double s, Angle limit) {
  return snapunits((d * 3600 + m * 60 + s) * static_cast<double>(kSecond), limit);
}

Parsed refuse(std::string why, NumberFault fault, int position) {
  return Parsed{std::nullopt, std::move(why), fault, position};
}

// The scale codes that a new number of `length` characters can carry in
// the edition: "B至I的字母" or "J或K的字母".
std::string codesof(std::size_t length, Edition e) {
  bool letters[26] = {};
  for (const Scale& s : scales(e))
    if (s.digits > 0 && static_cast<std::size_t>(s.numberlength()) == length)
      letters[s.code - 'A'] = true;
  std::string out;
  int first = -1, last = -1, n = 0;
  for (int i = 0; i < 26; ++i) {
    if (!letters[i]) continue;
    if (first < 0) first = i;
    last = i;
    ++n;
  }
  if (n == last - first + 1 && n > 2) {
    out += static_cast<char>('A' + first);
    out += "至";
    out += static_cast<char>('A' + last);
  } else {
    for (int i = 0; i < 26; ++i) {
      if (!letters[i]) continue;
      if (!out.empty()) out += "或";
      out += static_cast<char>('A' + i);
    }
  }
  return out + "的字母";
}

}  // namespace

Sheet sheetin(const Scale& scale, char rowletter, int zone, int row, int col) {
  return Sheet{&scale, (zone - kFirstZone) * scale.rows + col - 1,
               (rowletter - 'A') * scale.rows + scale.rows - row};
}

bool ongrid(const Sheet& s) {
  return s.scale != nullptr && s.x >= 0 && s.y >= 0 && s.x < kGridZones * s.scale->rows &&
         s.y < kGridRows * s.scale->rows;
}

std::optional<Sheet> sheetat(const Scale& scale, Angle lon, Angle lat) {
  if (lon < 0 || lon > kLonLimit || lat < 0 || lat > kLatLimit) return std::nullopt;
  // No sheet lies east of 180° or north of 60°: a point on either limit
  // belongs to the last sheet west or south of it (zone 60, row 'O').
  return sheetunder(scale, lon == kLonLimit ? lon - 1 : lon, lat == kLatLimit ? lat - 1 : lat);
}

Sheet sheetunder(const Scale& scale, Angle lon, Angle lat) {
  // Floor division: a point on an edge belongs to the sheet north and east
  // of it.
  return Sheet{&scale, scale.bylon.quotient(lon), scale.bylat.quotient(lat)};
}

char* writenew(char* p, const Sheet& s) {
  const int rows = s.scale->rows;
  const QuotRem across = s.scale->byrows.split(s.x), up = s.scale->byrows.split(s.y);
  *p++ = static_cast<char>('A' + up.q);
  p = writepadded(p, static_cast<std::uint32_t>(kFirstZone + across.q), 2);
  if (s.scale->digits > 0) {
    *p++ = s.scale->code;
    p = writepadded(p, static_cast<std::uint32_t>(rows - up.r), s.scale->digits);
    p = writepadded(p, static_cast<std::uint32_t>(across.r + 1), s.scale->digits);
  }
  return p;
}

NewNumber newnumber(const Sheet& s) {
  NewNumber out;
  out.end(writenew(out.begin(), s));
  return out;
}

std::string sheetnumber(const Sheet& s) { return newnumber(s).str(); }

Parsed parsenew(std::string_view text, Edition e, Reading how) {
  const bool typed = how == Reading::Typed;
  const std::size_t n = text.size();
  const bool long12 = e == Edition::k2012;
  if (n != 3 && n != 10 && !(n == 12 && long12))
    return refuse(long12 ? "新图幅编号应为3位(如J50)、10位(如J50C001002)或12位(如J50J00010001)"
                         : "新图幅编号应为3位(如J50)或10位(如J50C001002)",
                  NumberFault::NewLength, 0);
  const char rowletter = upper(text[0]);
  const char lastrow = typed ? kTypedLastRow : static_cast<char>('A' + kGridRows - 1);
  if (rowletter < 'A' || rowletter > lastrow)
    return refuse(std::string("第1位行号应为A至") + lastrow + "的字母", NumberFault::NewRow, 1);
  if (!isdigit_(text[1]) || !isdigit_(text[2]))
    return refuse("第2、3位列号应为数字", NumberFault::NewZone, 2);
  const int zone = digits(text.substr(1, 2));
  const int lastzone = typed ? kTypedLastZone : kFirstZone + kGridZones - 1;
  if (zone < kFirstZone || zone > lastzone)
    return refuse("第2、3位列号应在31至" + decimal(lastzone) + "之间", NumberFault::NewZone, 2);
  const Scale& million = *byid(0);
  if (n == 3) return Parsed{sheetin(million, rowletter, zone, 1, 1), {}};

  const Scale* scale = bycode(upper(text[3]), e);
  // A program-formed 10-character number with code 'A' names the 1:100万
  // sheet; its row and column are not read.
  if (!typed && n == 10 && scale == &million)
    return Parsed{sheetin(million, rowletter, zone, 1, 1), {}};
  if (scale == nullptr || scale->digits == 0 ||
      static_cast<std::size_t>(scale->numberlength()) != n)
    return refuse("第4位比例尺代码应为" + codesof(n, e), NumberFault::NewCode, 4);
  for (std::size_t i = 4; i < n; ++i)
    if (!isdigit_(text[i]))
      return refuse("第5至" + decimal(static_cast<int>(n)) + "位行列号应为数字",
                    NumberFault::NewDigits, characterat(text, i));
  const std::size_t d = static_cast<std::size_t>(scale->digits);
  const int row = digits(text.substr(4, d)), col = digits(text.substr(4 + d, d));
  const int lastdigit = 4 + scale->digits;
  if (row < 1 || row > scale->rows)
    return refuse("第5至" + decimal(lastdigit) + "位图幅行号应在1至" + decimal(scale->rows) +
                      "之间",
                  NumberFault::NewSheetRow, 5);
  if (col < 1 || col > scale->rows)
    return refuse("第" + decimal(lastdigit + 1) + "至" + decimal(static_cast<int>(n)) +
                      "位图幅列号应在1至" + decimal(scale->rows) + "之间",
                  NumberFault::NewSheetCol, lastdigit + 1);
  return Parsed{sheetin(*scale, rowletter, zone, row, col), {}};
}

std::optional<Sheet> readnew(std::string_view text) {
  return parsenew(text, Edition::k1992, Reading::Formed).sheet;
}

std::optional<std::string> newmapna(int blc, Angle lon, Angle lat) {
  const Scale* scale = byblc(blc);
  if (scale == nullptr) return std::nullopt;
  auto s = sheetat(*scale, lon, lat);
  if (!s) return std::nullopt;
  return sheetnumber(*s);
}

std::optional<std::string> newmapna(int blc, double jd, double jf, double jm, double wd,
                                    double wf, double wm) {
  auto lon = toangle(jd, jf, jm, kLonLimit);
  auto lat = toangle(wd, wf, wm, kLatLimit);
  if (!lon || !lat) return std::nullopt;
  return newmapna(blc, *lon, *lat);
}

Bounds boundsof(const Sheet& s) {
  const Scale& sc = *s.scale;
  const Angle west = s.x * sc.lonsize, south = s.y * sc.latsize;
  return Bounds{west, south, west + sc.lonsize, south + sc.latsize};
}

namespace {

// Fills an extent in place: its texts are written straight into their
// members.
void fillextent(Extent& e, const Sheet& s) {
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

Extent extentof(const Sheet& s) {
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
