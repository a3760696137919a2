// Angle texts: the degree-minute-second text typed into coordinate fields,
// and the arc-second units every computation works in.
//
// An angle text holds degrees, minutes and seconds separated by commas:
// 45°5′30″ is typed "45,5,30".  Before a text is read it is padded with
// ",0,0,0", so "45" and "45,5" are complete; parts after the third are never
// read.  Minutes and seconds are not limited to 59: only the total counts.
//
// LEGAL field texts (longitude):  "116,23,30"  "116"  "136,30"  "45,,30"
//   "00,00,00"  "180,0,0"  "179,60,0"  "0,0,648000"  "45,5,30,x"  ""
// ILLEGAL:  "180,0,1" (over 180°)  "45.5" (decimal point)  "-5" (sign)
//   " 45" (blank)  "45度5分30秒"  "４５" (full-width digits)
// Latitudes are the same with a limit of 60°: "60,0,0" is legal,
// "60,0,1" is not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tufu {

/// Angles inside the program are whole numbers of fortieths of an
/// arc-second.  Every sheet edge of every scale is a whole number of them
/// (1:5000 edges fall on half seconds, 1:1000 on eighths, 1:500 sheets are
/// 9.375″ × 6.25″), so rows, columns and edges are computed by exact integer
/// division.
using Angle = std::int64_t;

inline constexpr Angle kSecond = 40;
inline constexpr Angle kMinute = 60 * kSecond;
inline constexpr Angle kDegree = 60 * kMinute;
inline constexpr Angle kLonLimit = 180 * kDegree;  ///< largest longitude typed
inline constexpr Angle kLatLimit = 60 * kDegree;   ///< largest latitude typed

/// A measure in units (fractional) as an angle: a value within 10^-6 units
/// of a whole unit is that unit, anything else the unit below it, so that a
/// point typed or computed on an edge is on it and any other keeps to the
/// sheet that holds it; nothing for NaN, infinities and values outside
/// 0..limit.
///   LEGAL:   5568000.0 → 5568000   5567999.9999999995 → 5568000
///            5567999.5 → 5567999
///   ILLEGAL: -0.5  NaN  limit + 0.5
inline std::optional<Angle> snapunits(double units, Angle limit) {
  if (!(units >= 0.0 && units <= static_cast<double>(limit))) return std::nullopt;
  // Truncation is the floor here, with no call into the maths library.
  Angle a = static_cast<Angle>(units);
  if (units - static_cast<double>(a) > 1.0 - 1e-6) ++a;
  return a > limit ? limit : a;
}

/// Decimal degrees as an angle, by `snapunits`: the double nearest to an
/// edge (38.666666666666664 for 38°40′) is on that edge.  A value above the
/// limit by however little is outside.
///   LEGAL:   0  116.25  38.666666666666664  180 (limit kLonLimit)
///   ILLEGAL: -1e-300  180.00000000000003  NaN  INFINITY
inline std::optional<Angle> unitsofdegrees(double degrees, Angle limit) {
  if (!(degrees >= 0.0 && degrees <= static_cast<double>(limit / kDegree))) return std::nullopt;
  return snapunits(degrees * static_cast<double>(kDegree), limit);
}

/// The leading-number reading of a text: blanks, tabs and line feeds are
/// skipped anywhere; then an optional sign, digits, an optional decimal point
/// with digits and an optional exponent ("E" or "D") are read up to the
/// first character that cannot continue the number.  "&H" and "&O"
/// introduce a hexadecimal or octal integer.  Nothing readable reads 0.
double leadingnumber(std::string_view text);

/// `text` followed by ",0,0,0".
std::string padangle(std::string_view text);

/// Check of a padded longitude text: 1 when its first three parts hold only
/// the digits 0 to 9 (an empty part passes) and their total is at most 180°.
bool tsttxt1(std::string_view st);
/// Check of a padded latitude text: as `tsttxt1` with a limit of 60°.
bool tsttxt2(std::string_view st);

/// Seconds value of the first three comma-separated parts of `s`, each read
/// by the leading-number reading.  No check.
double changesec(std::string_view s);

/// A coordinate field's text as an angle: pads it, checks it with `tsttxt1`
/// (`readlon`) or `tsttxt2` (`readlat`) and returns it, or nothing when the
/// check refuses it.
std::optional<Angle> readlon(std::string_view fieldtext);
std::optional<Angle> readlat(std::string_view fieldtext);

/// Why a coordinate field's text is refused by `readlon` (limit 180°) or
/// `readlat` (limit 60°), in Chinese and without the field's name, or ""
/// when it is accepted:
///   "116.39"     → "只能输入数字和逗号 (度,分,秒), 不能有“.”"
///   "200"        → "不能大于180°"
/// A character that is not a digit is named before a value over the limit.
std::string whyrefusedfield(std::string_view fieldtext, Angle limit);

/// An angle for the command line, at most `limit`: a comma text as above,
/// the same with decimal seconds ("116,23,30.5", from GPS), decimal degrees
/// ("116.391667"), or degrees, minutes and seconds with their marks as the
/// tool writes them ("116°23′30″", also typed with ' and ", seconds
/// possibly decimal).  A value finer than a unit is taken to the unit below,
/// which keeps every point in the sheet that holds it; a value above the
/// limit by however little is refused.  No sign, blank or exponent, and
/// no empty text: a text without a digit is refused.  Decimals are read
/// exactly, however many there are (116.39166666666667, as programs print
/// a double).
///   LEGAL:   116,23,30  116  136,30  116,23,30.5  116.391667  116°23′30″
///            116°23'30"  116°23′  116°  116°23′30.25″  180.0
///            116.39166666666667  45,,30
///   ILLEGAL: ""  ","  180.00001  -1.5  1e2  116,23.5,0  " 116"  116°23″5′
///            116.5°30′
std::optional<Angle> readangle(std::string_view text, Angle limit);

/// Refusals of a typed longitude and latitude (the command line, the web).
inline constexpr std::string_view kLonRefused = "经度应为0至180度的度,分,秒或十进制度";
inline constexpr std::string_view kLatRefused = "纬度应为0至60度的度,分,秒或十进制度";

/// Why `readangle` refuses `text` as a longitude (`limit` kLonLimit) or a
/// latitude (kLatLimit), in Chinese:
///   ""      → "经度不能为空"
///   "200"   → "经度应为0至180度的度,分,秒或十进制度"
std::string whyrefusedangle(std::string_view text, Angle limit);

/// An angle as degrees, minutes and seconds, e.g. 114°1′52.5″ or 39°8′45″.
/// All three parts are always written; the seconds carry the decimals they
/// need and no more (52.5, 18.75, 9.375).  Negative values are written with
/// a leading "-".
std::string dfms(Angle t);
/// The same for a number of arc-seconds, taken to the nearest fortieth (""
/// for a value that is not finite or beyond any angle).
std::string dfms(double seconds);

/// An angle written with only its first `parts` parts (1: degrees, 2: and
/// minutes, 3: and seconds).  With `symbols` the parts carry "°", "′" and
/// "″" ("115°30′"); without, they are separated by commas ("115,30").  The
/// parts left out are dropped, not rounded: callers pass values that are
/// whole in the parts they keep.
std::string formatangle(Angle t, int parts, bool symbols);
/// The same, written over `out` (which keeps its storage).
void formatangle(std::string& out, Angle t, int parts, bool symbols);

/// The longest text `writeangle` writes.
inline constexpr std::size_t kAngleTextMax = 32;
/// The same written at `out`, which has room for kAngleTextMax bytes;
/// returns the end of the text.  No allocation.
char* writeangle(char* out, Angle t, int parts, bool symbols);

}  // namespace tufu
