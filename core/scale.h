// The map scales and the 1:1,000,000 grid that every sheet number rests on.
//
// The scale table is the one place that knows how a scale behaves: its
// label, denominator, code letter in new numbers, the digits of row and
// column, its side count and sheet size, whether its new number is shown,
// how its old number is written, whether its sheets carry names, and which
// smaller scale holds its sheets.  Nothing else decides by a code letter, a
// label or a list position.
//
// Two editions of the numbering are known.  The 1992 edition (GB/T
// 13989-92) has nine scales, 1:100万 to 1:5000, among them 1:20万, which
// exists only in the old numbering; inside the program its sheets carry a
// new-form code with scale letter 'I' (the internal 1:20万 code) that is
// never shown as a new number.  The 2012 edition (GB/T 13989-2012) adds
// 1:2000, 1:1000 and 1:500, and gives the letter 'I' to 1:2000: a typed
// 10-character number with 'I' is then a 1:2000 sheet, and a 1:20万 sheet is
// reached through its old number.
//
// In list order the scales are 1:100万, 1:50万, 1:25万, 1:20万, 1:10万,
// 1:5万, 1:2.5万, 1:1万, 1:5000, and in the 2012 edition also 1:2000,
// 1:1000, 1:500.  A scale's list position is its `id`; `blc`, the selector
// that `newmapna` takes, is the list position + 1.  These are the two names
// of a scale's place in the list.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "angles/angle.h"

namespace tufu {

enum class Edition { k1992, k2012 };

/// How the index of a sheet inside its parent is written in an old number,
/// in the order a refusal lists them.
enum class IndexStyle {
  Letter,   ///< "A".."D"
  Decimal,  ///< "1".."144", leading zeros read
  Bracket,  ///< "[1]".."[16]"
  Roman,    ///< "I".."XXXVI"
  Paren,    ///< "(1)".."(64)"
};

/// Quotient and remainder of a division.
struct QuotRem {
  int q, r;
};

/// Division of 0 ≤ v < 2^17 by a fixed divisor 1 ≤ d < 2^13, exact, by a
/// multiplication: the rows and columns of the grid are divided by the side
/// counts and factors of the scale table on every number written.
struct Divisor {
  int d = 1;
  std::uint32_t magic = 1u << 30;  ///< ⌈2^30 / d⌉

  constexpr explicit Divisor(int by = 1) : d(by), magic(((1u << 30) + by - 1) / by) {}
  constexpr QuotRem split(int v) const {
    const int q = static_cast<int>((static_cast<std::uint64_t>(v) * magic) >> 30);
    return {q, v - q * d};
  }
};

/// Division of an angle 0 ≤ v < 2^25 units (233°) by a fixed sheet size
/// 1 ≤ d < 2^25, exact, by a multiplication: every point's sheet is found
/// so.  With L = ⌈log2 d⌉ and magic = ⌈2^(25+L) / d⌉ the error
/// magic·d − 2^(25+L) is below d, so v·magic / 2^(25+L) stays below
/// v/d + 1/d and its floor is v/d's; v·magic < 2^25 · (2^26 + 1) fits in 64
/// bits.
struct AngleDivisor {
  static constexpr int kBits = 25;
  std::uint64_t magic = 1;
  int shift = 0;

  constexpr explicit AngleDivisor(std::int64_t d = 1) {
    int ceillog = 0;
    while ((std::int64_t{1} << ceillog) < d) ++ceillog;
    shift = kBits + ceillog;
    magic = ((std::uint64_t{1} << shift) + static_cast<std::uint64_t>(d) - 1) /
            static_cast<std::uint64_t>(d);
  }
  constexpr int quotient(std::int64_t v) const {
    return static_cast<int>((static_cast<std::uint64_t>(v) * magic) >> shift);
  }
};

/// How a scale's old number extends the old number of its parent: "-" and
/// the index of the sheet among the k × k sheets of the parent, counted row
/// by row from the north-west.
struct OldForm {
  int parent = -1;  ///< id of the parent scale; -1 for the 1:100万 head ("J-50")
  int k = 0;        ///< sheets along each side of the parent
  IndexStyle style = IndexStyle::Decimal;
  Divisor byk{};    ///< division by k
};

/// One field of an old number below the 1:100万 head, as seen from a sheet
/// of a given scale: the field holds the index of the sheet's ancestor of
/// that form among the k × k sheets of its parent.
struct OldStep {
  IndexStyle style = IndexStyle::Decimal;
  int k = 1;
  Divisor byf{};  ///< the sheet's row or column to the ancestor's
  Divisor byk{};
};

struct Scale {
  int id;                     ///< list position: 0 (1:100万) .. 11 (1:500)
  std::string_view label;     ///< "1:100万" ...
  int denominator;            ///< 1000000 ...
  /// The scale in the names of annotate's columns (new_5w, old_25k): the
  /// denominator in 万 ("w") when it is a whole number of them, else in
  /// thousands ("k"), else as it is: "100w", "5w", "25k", "5k", "500".
  std::string_view suffix;
  char code;                  ///< letter in new numbers ('A' for 1:100万)
  int digits;                 ///< digits of row and of column; 0 at 1:100万
  int rows;                   ///< sheets along each side of a 1:100万 sheet
  Angle lonsize;              ///< one sheet's longitude extent
  Angle latsize;              ///< one sheet's latitude extent
  std::string_view jchatext;  ///< longitude size text, e.g. "1°30′"
  std::string_view wchatext;  ///< latitude size text, e.g. "1°"
  int parts;                  ///< parts an edge text shows: 1 (°), 2 (′) or 3 (″)
  bool shownew;               ///< its new number is shown (not the 1:20万 code)
  bool hasold;                ///< it has an old number
  OldForm old;                ///< how that old number is written
  bool named;                 ///< its sheets can carry place names
  int parent;                 ///< id of the next smaller scale whose sheets hold its own; -1 at 1:100万
  Edition since;              ///< the first edition that has the scale
  Divisor byrows{};           ///< division by `rows`
  AngleDivisor bylon{};       ///< division by `lonsize`
  AngleDivisor bylat{};       ///< division by `latsize`
  OldStep oldsteps[4]{};      ///< the fields of its old number after the head, in order
  int oldfields = 0;          ///< how many

  constexpr int blc() const { return id + 1; }
  constexpr int cols() const { return rows; }
  /// Characters of a new number: 3 at 1:100万, else 4 + 2 × digits.
  constexpr int numberlength() const { return digits == 0 ? 3 : 4 + 2 * digits; }
  constexpr bool in(Edition e) const { return since == Edition::k1992 || e == Edition::k2012; }
  /// Whether the sheets of `target` tile this scale's sheets: a sheet of
  /// this scale holds whole sheets of it (target's side count a multiple of
  /// this one's).  A scale nests in itself.
  constexpr bool holds(const Scale& target) const { return target.rows % rows == 0; }
};

/// Every scale, in list order.
extern const std::array<Scale, 12> kAllScales;

/// The scales of an edition in list order: nine for 1992, twelve for 2012.
inline std::span<const Scale> scales(Edition e = Edition::k1992) {
  return {kAllScales.data(), e == Edition::k1992 ? 9u : 12u};
}

/// Whether sheets of `s` hold sheets of another scale of edition `e`: every
/// scale of the edition but its largest.  These are the rows of a sheet's
/// table of containing sheets.
inline bool holdsothers(const Scale& s, Edition e) {
  return s.in(e) && &s != &scales(e).back();
}

/// Lookups; nullptr when nothing matches.  `bycode` ignores letter case; the
/// letter 'I' is 1:20万 in the 1992 edition and 1:2000 in the 2012 edition.
const Scale* bycode(char code, Edition e = Edition::k1992);
const Scale* byblc(int blc, Edition e = Edition::k1992);
/// By list position among the scales of the edition.
const Scale* byid(int id, Edition e);
/// By list position among all twelve scales.
inline const Scale* byid(int id) { return id >= 0 && id < 12 ? &kAllScales[id] : nullptr; }
const Scale* bylabel(std::string_view label);
const Scale* byrows(int rows);

/// Reads a scale as a user names it: "1:5万", "5万", "1:50000", "50000",
/// and the same for every scale of the edition ("5千" and "5000" for 1:5000,
/// "2千" for 1:2000, "1千" for 1:1000).
const Scale* parsescale(std::string_view text, Edition e = Edition::k1992);

/// The 1:100万 grid: 4° rows lettered from 'A' at the equator, 6° zones
/// numbered from 31 at 0° E.
inline constexpr Angle kRowHeight = 4 * kDegree;
inline constexpr Angle kZoneWidth = 6 * kDegree;
inline constexpr int kFirstZone = 31;
/// The grid the program forms numbers on: rows 'A'..'P' (0°–64° N) and
/// zones 31..61 (0°–186° E), which take in the points up to 60° N and 180° E.
inline constexpr int kGridRows = 16;
inline constexpr int kGridZones = 31;
/// A typed number, in either numbering, names a 1:100万 sheet of rows 'A' to
/// 'O' and zones 31 to 60; the rows and zones beyond are formed from points
/// but never typed.
inline constexpr char kTypedLastRow = 'O';
inline constexpr int kTypedLastZone = 60;

struct SizeTexts {
  std::string_view jcha;  ///< longitude size, e.g. "6°"
  std::string_view wcha;  ///< latitude size, e.g. "4°"
};

/// `jwcha`: the size texts of the 1992 scale whose code letter is 'A' + `i`
/// (0..8); nothing for any other index.  Index 8 is 1:20万: "1°" and "40′".
std::optional<SizeTexts> jwcha(int i);

}  // namespace tufu
