// Old sheet numbers and the conversions between the two numberings.
//
// Old numbers, one form per scale (fields separated by "-"):
//   1:100万 K-49          1:50万  J-50-C        1:25万 L-51-[2]
//   1:20万  I-48-XXXV     1:10万  I-49-15       1:5万  I-48-20-B
//   1:2.5万 L-48-14-C-3   1:1万   M-47-2-(14)   1:5000 D-45-48-(26)-C
// Each form is its parent's old number, "-" and the sheet's index among the
// k × k sheets of the parent, counted row by row from the north-west and
// written as the scale table says (letters "A".."D" for 1..4).  The same
// table serves writing and reading.  The scales of the 2012 edition below
// 1:5000 have no old number.
//
// LEGAL:   K-49  K-049  k-49  J-50-C  J-50-9  J-50-09  L-51-[16]  I-48-XXXV
//          i-48-xxxv  I-49-144  I-48-20-B  M-47-2-(64)  L-48-14-C-03
//          D-45-48-(26)-C
// ILLEGAL: Z-49  K-49X  K-49.5  "K-49 "  KK-49  K-490  X-99-XV  I--XV
//          I-48-IIII  J-50-0  J-50-E  J-50-145  L-51-[0]  L-51-[17]
//          L-51-[]  L-51-[2  M-47-2-()  M-47-2-(65)  L-48-14-C-5
//          L-48-14-E-3  D-45-48-(26)-E  -K-49  K-49-  K--49  A-31-1-A-1-1
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/scale.h"
#include "core/sheet.h"
#include "core/text.h"

namespace tufu {

/// Roman numerals "I".."XXXVI" of the 1:20万 form.
/// `luoma`: the numeral of 1..36, else "".  `alb`: the value of a numeral
/// (exact, case-sensitive), else nothing.  `testluoma`: whether `s` is one.
std::string_view luoma(int al);
std::optional<int> alb(std::string_view lm);
bool testluoma(std::string_view s);

/// The longest old number ("J-50-144-(64)-D").
inline constexpr std::size_t kOldNumberMax = 15;
using OldNumber = FixedText<24>;

/// The sheet's old number written at `out` (room for kOldNumberMax bytes);
/// returns the end.  Nothing is written for a scale without old numbers.
char* writeold(char* out, const Sheet& s);
OldNumber oldnumberof(const Sheet& s);
std::string oldnumber(const Sheet& s);

/// Reads a typed old number (with "-") in either letter case, one check per
/// rule: the sheet, or the rule the text broke.  The same in both editions.
Parsed parseold(std::string_view text);
std::optional<Sheet> readold(std::string_view oldmap);

/// A converted number with its scale.
struct Converted {
  std::string mapno;      ///< the number in the other numbering
  char code;              ///< scale code 'A'..'I'
  std::string_view label; ///< scale label, e.g. "1:20万"
};

/// `newold`: the old number of the sheet whose new number (or internal
/// 1:20万 code) is `mapna`; nothing for a text that `readnew` refuses.
std::optional<Converted> newold(std::string_view mapna);

/// `oldnew`: the new number (the internal code at 1:20万) of an old number;
/// nothing for a text that `teststr` refuses.
std::optional<Converted> oldnew(std::string_view oldmap);

/// The sheets of every smaller scale that contain `s`: first the chain of
/// the scale table (each sheet's parent, up to 1:100万), then the other
/// scales that hold it (1:20万 for a 1:10万 sheet or larger).
std::vector<Sheet> containing(const Sheet& s);

/// One sheet that contains another, with its numbers.
struct Containing {
  const Scale* scale;
  std::string newno;  ///< new number, or the internal code at 1:20万
  std::string oldno;
};

/// `containing` with the numbers written.
std::vector<Containing> containingsheets(const Sheet& s);

/// `bigbil`: the same for a 10-character new number with code 'B'..'I';
/// empty for anything else (a 1:100万 sheet has no containing sheet).
std::vector<Containing> bigbil(std::string_view s);

}  // namespace tufu
