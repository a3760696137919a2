// Old sheet numbers and the conversions between the two numberings.
//
// Old numbers, one form per scale (fields separated by "-"):
//   1:100万 K-49          1:50万  J-50-C        1:25万 L-51-[2]
//   1:20万  I-48-XXXV     1:10万  I-49-15       1:5万  I-48-20-B
//   1:2.5万 L-48-14-C-3   1:1万   M-47-2-(14)   1:5000 D-45-48-(26)-C
// Inside its parent, a child's index is (row − 1) × k + column, counted from
// the north-west; letters stand for 1..4 ("A".."D").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

/// Roman numerals "I".."XXXVI" of the 1:20万 form.
/// `luoma`: the numeral of 1..36, else "".  `alb`: the value of a numeral
/// (exact, case-sensitive), else nothing.  `testluoma`: whether `s` is one.
std::string_view luoma(int al);
std::optional<int> alb(std::string_view lm);
bool testluoma(std::string_view s);

/// A converted number with its scale.
struct Converted {
  std::string mapno;      ///< the number in the other numbering
  char code;              ///< scale code 'A'..'I'
  std::string_view label; ///< scale label, e.g. "1:20万"
};

/// The old number of a sheet.
std::string oldnumber(const SheetRef& s);

/// `newold`: the old number of the sheet whose new number (or internal
/// 1:20万 code) is `mapna`; nothing for a text that `readnew` refuses.
std::optional<Converted> newold(std::string_view mapna);

/// Reads an old number in either letter case; nothing when `teststr` would
/// refuse it.
std::optional<SheetRef> readold(std::string_view oldmap);

/// `oldnew`: the new number (the internal code at 1:20万) of an old number;
/// nothing for a text that `teststr` refuses.
std::optional<Converted> oldnew(std::string_view oldmap);

/// One sheet that contains another.
struct Containing {
  const Scale* scale;
  std::string newno;  ///< new number, or the internal code at 1:20万
  std::string oldno;
};

/// The sheets of every smaller scale that contain `s`, in the order
/// 1:1万 … 1:25万, 1:50万, 1:100万 and last 1:20万 (which holds 1:10万 and
/// the larger scales but not 1:25万).
std::vector<Containing> containingsheets(const SheetRef& s);

/// `bigbil`: the same for a 10-character new number with code 'B'..'I';
/// empty for anything else (a 1:100万 sheet has no containing sheet).
std::vector<Containing> bigbil(std::string_view s);

}  // namespace tufu
