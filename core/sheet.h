// New sheet numbers: from a point to its sheet, and from a sheet to its extent.
//
// A new sheet number has 3 characters at 1:100万 (row letter, zone: "J50")
// and 10 characters at every other scale: row letter, zone, scale code,
// three-digit row counted from 1 at the north edge of the 1:100万 sheet,
// three-digit column counted from 1 at its west edge ("J50C001002").
// Code 'I' marks the internal 1:20万 code (e.g. "J50I001003"), which carries a
// 1:20万 sheet through conversion, extent and names and is never shown as
// a new number.
//
// Edges are half-open: a point on a parallel belongs to the sheet north of
// it, a point on a meridian to the sheet east of it, at every scale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/scale.h"

namespace tufu {

/// A sheet in integer form.
struct SheetRef {
  char rowletter = 'A';         ///< 1:100万 row, 'A' (0°-4° N) ...
  int zone = 31;                ///< 1:100万 column, 31 (0°-6° E) ...
  const Scale* scale = nullptr; ///< never null in a valid ref
  int row = 1;                  ///< 1..scale->rows, from the north
  int col = 1;                  ///< 1..scale->rows, from the west

  friend bool operator==(const SheetRef&, const SheetRef&) = default;
};

/// The sheet of `scale` that holds the point (`lon`, `lat`).  Defined for
/// 0 ≤ lon ≤ 180° E and 0 ≤ lat ≤ 60° N, both limits included (180° gives
/// zone 61 and 60° row 'P'); nothing for any other point.
std::optional<SheetRef> sheetat(const Scale& scale, Tenths lon, Tenths lat);

/// The same without the range check, for points inside sheets that the
/// program has formed itself: 0 ≤ lon < 186° E (zone 61 ends there) and
/// 0 ≤ lat < 64° N (row 'P').
SheetRef sheetunder(const Scale& scale, Tenths lon, Tenths lat);

/// The sheet's number: "J50" or "J50C001002".
std::string sheetnumber(const SheetRef& s);

/// Reads a new sheet number as the program forms it, in either letter case:
/// rows 'A'..'P', zones 31..61, scale codes 'B'..'I' with row and column in
/// range, or the 3-character 1:100万 form.  A 10-character text with code
/// 'A' names its 1:100万 sheet (its row and column are ignored).  Nothing
/// for any other text.  (Typed numbers are checked by `teststr` first.)
std::optional<SheetRef> readnew(std::string_view text);

/// `newmapna`: the new number of the sheet of scale selector `blc` (1..9)
/// that holds the point, given as degrees, minutes and seconds that are
/// summed (minutes and seconds may exceed 59).  Nothing for a `blc` outside
/// 1..9 or a point outside the range of `sheetat`.  Fractions finer than a
/// tenth of a second are taken to the tenth below.
std::optional<std::string> newmapna(int blc, double jd, double jf, double jm,
                                    double wd, double wf, double wm);
/// The same for a point already in tenths of a second.
std::optional<std::string> newmapna(int blc, Tenths lon, Tenths lat);

/// A sheet's edges in tenths of a second.
struct Bounds {
  Tenths west, south, east, north;
};
Bounds boundsof(const SheetRef& s);

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
Extent extentof(const SheetRef& s);

}  // namespace tufu
