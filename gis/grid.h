// Sheet grids as GIS and CAD layers: one polygon per sheet with its numbers,
// scale, name and edges, written through GDAL's vector drivers.
//
// Fields: new_no (the number to show, "" at 1:20万), old_no ("" at the 2012
// scales below 1:5000), scale (label, "1:5万"), denom (integer), name (""
// where none), west, south, east, north (degrees).  DXF keeps no fields:
// there each sheet is a closed outline on layer SHEET and its numbers and
// name a text in the middle, on layer SHEET_NO.
//
// Coordinates are CGCS2000 longitude and latitude (EPSG:4490) unless a
// projected system is asked for; then every point is transformed by
// GDAL/PROJ, and the sheet edges are densified, since a parallel is not a
// straight line after projection.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/block.h"
#include "core/describe.h"
#include "core/sheet.h"
#include "gis/formats.h"

namespace tufu::gis {

/// The sheets of a grid: blocks of sheets in order, each written row by row
/// from its north-west sheet.  Sheets are formed as they are written, so a
/// block of millions of sheets takes no room.
class SheetSet {
 public:
  SheetSet() = default;
  explicit SheetSet(const Block& b) { add(b); }

  void add(const Block& b);
  void add(const Sheet& s);  ///< a block of this sheet alone
  std::int64_t count() const { return count_; }
  bool empty() const { return count_ == 0; }
  const std::vector<Block>& blocks() const { return blocks_; }
  /// The edges of all sheets together; nothing when there are none.
  std::optional<Bounds> bounds() const;

 private:
  std::vector<Block> blocks_;
  std::int64_t count_ = 0;
};

/// CGCS2000 longitude and latitude.
inline constexpr int kCgcs2000 = 4490;

/// A coordinate reference system as the user asks for it.
struct CrsChoice {
  enum Kind { Geographic, GaussKruger3, GaussKruger6, Epsg } kind = Geographic;
  int zone = 0;  ///< Gauss–Krüger zone; 0 takes the zone of the grid's centre
  int epsg = 0;  ///< for Epsg
};

/// Reads "4490", "gk3", "gk6", "gk3:39", "gk6:20", "EPSG:4527" (or a bare
/// EPSG code); nothing for any other text.
std::optional<CrsChoice> parsecrs(std::string_view text);

/// The CGCS2000 Gauss–Krüger zones with an EPSG code, zone number in the
/// easting: 3° zones 25..45 (central meridians 75°..135° E, EPSG:4513..4533)
/// and 6° zones 13..23 (the same meridians every 6°, EPSG:4491..4501).
/// The zone whose strip holds longitude `lon` (3° zones: central meridian
/// 3 × zone, reaching 1.5° either side; 6° zones: 6 × zone − 6 .. 6 × zone).
int gkzone(CrsChoice::Kind kind, Angle lon);
/// The EPSG code of a zone; nothing for a zone outside the family.
std::optional<int> gkepsg(CrsChoice::Kind kind, int zone);

/// Points put on each sheet edge between its corners.  Edges are not
/// densified in geographic coordinates unless asked; in projected ones each
/// edge is cut into parts of at most one minute of arc.
struct Densify {
  int lon = 0;  ///< on the south and north edges
  int lat = 0;  ///< on the west and east edges
};
Densify defaultdensify(const Scale& scale, bool projected);

struct GridOptions {
  const FormatInfo* format = nullptr;  ///< nullptr: the file name's extension decides
  CrsChoice crs;
  int densify = -1;  ///< points per edge between the corners; -1: the default
  bool overwrite = false;
  /// Writes more than kManySheets sheets; without it such a grid is refused
  /// (`Outcome::toomany`) before anything is written.
  bool force = false;
  const Names* names = nullptr;  ///< place names; none when null
  /// Called about ten times a second with the sheets written and the
  /// total, with all of them while the file is completed and closed (a
  /// GeoPackage's spatial index is built then).  Returning false stops the
  /// writing within a tenth of a second or so; nothing is written then.
  std::function<bool(std::int64_t done, std::int64_t total)> progress;
};

/// What a write did.
struct Outcome {
  std::string error;         ///< "" when the file was written
  bool exists = false;       ///< refused because the output was there already
  bool toomany = false;      ///< refused: more than kManySheets sheets without `force`
  std::int64_t written = 0;  ///< features (grid) or rows (annotation)
  int epsg = 0;              ///< coordinate reference system of the output
  std::vector<std::string> warnings;  ///< GDAL's warnings, as it wrote them
};

/// About how many bytes a grid of `sheets` takes in `format` with `densify`
/// points per edge (-1: the default for the CRS, `projected` or not).
std::int64_t estimatebytes(const SheetSet& sheets, const FormatInfo& format, int densify,
                           bool projected);
/// A size in words: "157 GB", "3.2 MB".
std::string sizetext(std::int64_t bytes);

/// Writes one polygon per sheet of `sheets` to `path`, as a whole or not at
/// all: into a temporary file beside it that replaces it only when
/// complete.  An existing file is refused unless `overwrite`.
Outcome writegrid(const std::string& path, const SheetSet& sheets, const GridOptions& options);

}  // namespace tufu::gis
