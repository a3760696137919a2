// Recognition and checking of typed sheet numbers.
//
// A text without "-" is read by the new numbering, a text with one or more
// "-" by the old numbering.  Letters may be typed in either case; nothing
// else is normalised, so blanks and full-width characters are refused.
//
// LEGAL:   J50  j50c001002  J50I006006  K-49  K-049  J-50-C  J-50-9
//          L-51-[16]  I-48-XXXV  I-48-IV  I-49-144  I-48-20-B
//          M-47-2-(64)  L-48-14-C-03  D-45-48-(26)-C
//          and in the 2012 edition J50I576576  J50J00010001  J50K23042304
// ILLEGAL: ""  J5  J50C00100  J50A001001  J30  J30C001001  J61C001001
//          J50B003001  J50I007001 (1992)  "J50C001002 "  Z-49  K-49X  K-49.5
//          "K-49 "  KK-49  K-490  X-99-XV  I--XV  I-48-IIII  J-50-0
//          J-50-E  J-50-145  L-51-[0]  L-51-[17]  L-51-[]  L-51-[2
//          M-47-2-()  M-47-2-(65)  L-48-14-C-5  L-48-14-E-3  L-48-14-CC-3
//          D-45-48-(26)-E  -K-49  K-49-  K--49  L-48-14--3  A-31-1-A-1-1
//
// The row letter is one of 'A'..'O' and the zone 31..60 in every form of
// both numberings.
#pragma once

#include <string>
#include <string_view>

#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

/// `readstr`: the i-th character of `s` (from 1); the last character for i
/// beyond the end; "" for i = 0 or an empty `s`.
std::string_view readstr(std::string_view s, int i);

/// `isneworold`: true when `s` holds no "-" (new numbering, or no number).
bool isneworold(std::string_view s);

/// A typed number in either numbering: the sheet, or the rule it broke.
Parsed recognize(std::string_view s, Edition e = Edition::k1992);

/// `teststr`: whether `s` is an acceptable sheet number of either numbering.
bool teststr(std::string_view s, Edition e = Edition::k1992);

/// Why `s` is refused: the rule it broke, or "" when it is acceptable.
std::string whyrefused(std::string_view s, Edition e = Edition::k1992);

}  // namespace tufu
