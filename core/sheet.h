// Sheets and their new numbers: from a point to its sheet, from a sheet to
// its extent, and the reading and writing of new numbers.
//
// A sheet is an integer position: its scale, the number of sheet columns of
// that scale between 0° E and its west edge (x), and the number of sheet
// rows between the equator and its south edge (y).  Its edges are
// x × lonsize, (x + 1) × lonsize, y × latsize and (y + 1) × latsize.
//
// A new sheet number has 3 characters at 1:100万 (row letter, zone: "J50")
// and otherwise row letter, zone, scale code and the sheet's row and column
// inside its 1:100万 sheet, each in the scale's number of digits: the row
// counted from 1 at the north edge, the column from 1 at the west edge
// ("J50C001002", and in the 2012 edition "J50J00010001").  Code 'I' with
// three digits is the internal 1:20万 code in the 1992 edition
// ("J50I001003"), which carries a 1:20万 sheet through conversion, extent
// and names and is never shown as a new number; in the 2012 edition it is
// 1:2000.
//
// Edges are half-open: a point on a parallel belongs to the sheet north of
// it, a point on a meridian to the sheet east of it, at every scale; only
// on the outer limits, 180° E and 60° N, where no sheet lies beyond, a
// point belongs to the sheet west or south of it.
//
// LEGAL typed new numbers (1992):  J50  j50c001002  J50I006006  O60H192192
// LEGAL typed new numbers (2012):  J50I576576  J50J00010001  J50K23042304
// ILLEGAL:  ""  J5  J50C00100  J50A001001  J30  J61  P50  J30C001001
//   J61C001001  J50B003001  "J50C001002 "  J50J00010001 (1992)
//   J50I577001 (2012)  J50K00012305 (2012)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/scale.h"
#include "core/text.h"

namespace tufu {

/// A sheet in integer form.  Only sheets of the grid (see `ongrid`) are
/// numbered.
struct Sheet {
  const Scale* scale = nullptr;  ///< never null in a sheet that names one
  int x = 0;                     ///< sheet columns between 0° E and its west edge
  int y = 0;                     ///< sheet rows between the equator and its south edge

  /// The 1:100万 sheet it lies in: row letter 'A' (0°–4° N) ... and zone
  /// 31 (0°–6° E) ...
  char rowletter() const { return static_cast<char>('A' + scale->byrows.split(y).q); }
  int zone() const { return kFirstZone + scale->byrows.split(x).q; }
  /// Its row and column inside that sheet, from 1 at the north and the west.
  int row() const { return scale->rows - scale->byrows.split(y).r; }
  int col() const { return scale->byrows.split(x).r + 1; }

  friend bool operator==(const Sheet&, const Sheet&) = default;
};

/// The sheet of `scale` in row `row` and column `col` (from 1, north and
/// west) of the 1:100万 sheet `rowletter` + `zone`.  The caller keeps the
/// values in range.
Sheet sheetin(const Scale& scale, char rowletter, int zone, int row, int col);

/// Whether the sheet lies on the grid that numbers are formed on: rows 'A'
/// to 'P' and zones 31 to 61.
bool ongrid(const Sheet& s);

/// A whole number that names a sheet of the grid: equal for the same sheet,
/// ordered by scale, then column, then row.
inline std::uint64_t sheetkey(const Sheet& s) {
  return std::uint64_t(static_cast<unsigned>(s.scale->id)) << 48 |
         std::uint64_t(static_cast<unsigned>(s.x)) << 24 | static_cast<unsigned>(s.y);
}

/// The sheet of `scale` that holds the point (`lon`, `lat`).  Defined for
/// 0 ≤ lon ≤ 180° E and 0 ≤ lat ≤ 60° N, both limits included: 180° lies
/// in zone 60 and 60° in row 'O', the last sheets of the grid (180° E,
/// 60° N is O60 at 1:100万 and O60B001002 at 1:50万); nothing for any
/// other point.
std::optional<Sheet> sheetat(const Scale& scale, Angle lon, Angle lat);

/// The same without the range check, for points inside sheets of the grid:
/// 0 ≤ lon < 186° E and 0 ≤ lat < 64° N.
Sheet sheetunder(const Scale& scale, Angle lon, Angle lat);

/// The longest new number.
inline constexpr std::size_t kNewNumberMax = 12;
using NewNumber = FixedText<16>;

/// The sheet's number, written at `out` (room for kNewNumberMax bytes);
/// returns the end.  At 1:20万 the internal code.
char* writenew(char* out, const Sheet& s);
NewNumber newnumber(const Sheet& s);
std::string sheetnumber(const Sheet& s);

/// How strictly a new number is read.
enum class Reading {
  /// As a user types it: rows 'A'..'O', zones 31..60, scale codes of the
  /// edition with row and column in range; the 1:100万 sheet only in its
  /// 3-character form.
  Typed,
  /// As the program forms it: rows 'A'..'P' and zones 31..61 as well, and
  /// a 10-character text with code 'A' names its 1:100万 sheet (its row and
  /// column are not read).
  Formed,
};

/// The kind of rule a refused sheet number broke.
enum class NumberFault {
  None,         ///< not refused
  Empty,        ///< no text at all
  NewLength,    ///< a new number of the wrong length
  NewRow,       ///< its row letter (character 1)
  NewZone,      ///< its zone (characters 2 and 3)
  NewCode,      ///< its scale code (character 4)
  NewDigits,    ///< a sheet row or column that is not all digits
  NewSheetRow,  ///< a sheet row outside the scale's range
  NewSheetCol,  ///< a sheet column outside it
  OldDash,      ///< an old number that starts or ends with "-"
  OldFields,    ///< too many, empty or too few fields
  OldRow,       ///< its row letter
  OldZone,      ///< its zone
  OldIndex,     ///< a field after the zone
};

/// A number read, or the rule it broke (in Chinese, naming the characters
/// concerned), its kind and the character (from 1) where it breaks it.
struct Parsed {
  std::optional<Sheet> sheet;
  std::string error;  ///< empty when `sheet` holds a value
  NumberFault fault = NumberFault::None;
  int position = 0;  ///< the character where the rule breaks; 0 for the whole text
};

/// Reads a new number in either letter case.  The one reader of new numbers.
Parsed parsenew(std::string_view text, Edition e = Edition::k1992,
                Reading how = Reading::Typed);

/// `parsenew(text, 1992, Formed)`: the number as the program forms it, or
/// nothing.
std::optional<Sheet> readnew(std::string_view text);

/// `newmapna`: the new number of the sheet of scale selector `blc` (1..9)
/// that holds the point, given as degrees, minutes and seconds that are
/// summed (minutes and seconds may exceed 59).  Nothing for a `blc` outside
/// 1..9 or a point outside the range of `sheetat`.  Fractions finer than a
/// fortieth of a second are taken to the fortieth below.
std::optional<std::string> newmapna(int blc, double jd, double jf, double jm,
                                    double wd, double wf, double wm);
/// The same for a point already in units.
std::optional<std::string> newmapna(int blc, Angle lon, Angle lat);

/// A sheet's edges.
struct Bounds {
  Angle west, south, east, north;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};
Bounds boundsof(const Sheet& s);

/// The extent texts of `maprange`.
struct Extent {
  std::string rangewest, rangeeast, rangesouth, rangenorth;  ///< "115°30′"
  std::string rangewestdms, rangesouthdms;                   ///< "115,30,0"
  Bounds bounds;
};

/// `maprange`: the extent of the sheet whose new number (or internal 1:20万
/// code) is `mapna`, in either letter case.  The edge texts show degrees
/// only at 1:100万 and 1:50万, degrees and minutes at 1:25万, 1:20万,
/// 1:10万 and 1:5万, and all three parts at the larger scales; zero parts are
/// written.  Nothing for a text that `readnew` refuses.
std::optional<Extent> maprange(std::string_view mapna);
Extent extentof(const Sheet& s);

}  // namespace tufu
