// The nine map scales and the 1:1,000,000 grid that every sheet number rests on.
//
// A scale is named in four ways: its code letter inside sheet numbers
// ('A'..'I'), its position in the scale list (0..8), the selector `blc` that
// `newmapna` takes (1..9, always list position + 1) and the size-text index
// (the code's distance from 'A').  1:20万 (code 'I') exists only in the old
// numbering; it stands between 1:25万 and 1:10万 in the list.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "angles/angle.h"

namespace tufu {

struct Scale {
  char code;                 ///< 'A'..'I'
  std::string_view label;    ///< "1:100万" ...
  int listpos;               ///< 0..8
  int blc;                   ///< 1..9
  Tenths lonsize;            ///< one sheet's longitude extent
  Tenths latsize;            ///< one sheet's latitude extent
  int rows;                  ///< sheets along each side of a 1:100万 sheet
  std::string_view jchatext; ///< longitude size text, e.g. "1°30′"
  std::string_view wchatext; ///< latitude size text, e.g. "1°"
  int parts;                 ///< parts an edge text shows: 1 (°), 2 (′) or 3 (″)

  int sizeindex() const { return code - 'A'; }
  int cols() const { return rows; }
};

/// The nine scales in list order: 1:100万, 1:50万, 1:25万, 1:20万, 1:10万,
/// 1:5万, 1:2.5万, 1:1万, 1:5000.
const std::array<Scale, 9>& scales();

/// Lookups; nullptr when nothing matches.  `bycode` ignores letter case.
const Scale* bycode(char code);
const Scale* byblc(int blc);
const Scale* bylistpos(int listpos);
const Scale* bylabel(std::string_view label);
const Scale* byrows(int rows);

/// Reads a scale as a user names it: "1:5万", "5万", "1:50000", "50000",
/// and the same for every scale ("5千" and "5000" for 1:5000).
const Scale* parsescale(std::string_view text);

/// The 1:100万 grid: 4° rows lettered from 'A' at the equator, 6° zones
/// numbered from 31 at 0° E.
inline constexpr Tenths kRowHeight = 4 * kDegree;
inline constexpr Tenths kZoneWidth = 6 * kDegree;

struct SizeTexts {
  std::string_view jcha;  ///< longitude size, e.g. "6°"
  std::string_view wcha;  ///< latitude size, e.g. "4°"
};

/// The size texts of the scale with size-text index `i` (0..8); nothing for
/// any other index.  Index 8 is 1:20万: "1°" and "40′".
std::optional<SizeTexts> jwcha(int i);

}  // namespace tufu
