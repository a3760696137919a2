// The fields of a sheet that the program writes out, in one table: for each
// field how its value is obtained from the sheet's description, its name in
// JSON, CSV and GIS layers, and its place in each output.  A field is added
// here, once, and every output that lists it writes it.
//
//   --json (point, sheet) and the web page:  scale new old west east south
//     north lonsize latsize name bounds
//   block --list --json:  new old name west east south north bounds
//   corners and neighbours:  new old name
//   containing sheets:  scale new old
//   --csv:  scale new old name west east south north lonsize latsize
//     west_deg south_deg east_deg north_deg
//   GIS layers and the web page's exports:  new_no old_no scale denom name
//     west south east north
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "angles/angle.h"
#include "core/describe.h"

namespace tufu {

/// The outputs that write sheet fields.
enum class Output {
  Json,        ///< a sheet of --json point and sheet, and of the web page
  Listed,      ///< each sheet of block --list --json
  Brief,       ///< a corner of a block, a neighbour: numbers and name
  Containing,  ///< a sheet that contains the queried one: scale and numbers
  Csv,         ///< the sheet columns of --csv
  Gis,         ///< the attributes of a GIS layer and of the web page's exports
};

enum class FieldType {
  Text,     ///< `text`
  Integer,  ///< `integer`
  Degrees,  ///< `angle`, written as decimal degrees
  Bounds,   ///< the sheet's bounds, [west, south, east, north] in decimal degrees
};

/// Place of a field in each output, counted from 1; 0 where it is not written.
struct Places {
  int json = 0, listed = 0, brief = 0, containing = 0, csv = 0, gis = 0;
  constexpr int in(Output o) const {
    switch (o) {
      case Output::Json: return json;
      case Output::Listed: return listed;
      case Output::Brief: return brief;
      case Output::Containing: return containing;
      case Output::Csv: return csv;
      case Output::Gis: return gis;
    }
    return 0;
  }
};

struct SheetField {
  std::string_view key;  ///< JSON key ("" where no JSON output has it)
  std::string_view csv;  ///< CSV column
  std::string_view gis;  ///< GIS attribute
  FieldType type;
  /// Whether the program forms the value itself (numbers, labels, edge and
  /// size texts), so that it never needs escaping; a place name may hold
  /// anything a name file holds.
  bool formed;
  Places at;
  int width = 0, precision = 0;  ///< in fixed-width files (a Shapefile's)
  std::string_view (*text)(const SheetInfo&) = nullptr;
  std::int64_t (*integer)(const SheetInfo&) = nullptr;
  Angle (*angle)(const SheetInfo&) = nullptr;

  bool isname() const { return key == "name"; }
};

/// The fields an output writes, in order.
std::span<const SheetField* const> fieldsof(Output o);

/// The column that annotate adds for a scale's new numbers (`old` false) or
/// its old ones: "new_" or "old_" and the scale's suffix ("new_5w",
/// "old_25k"); "" when the scale has no such number (1:20万 shows no new
/// number, 1:2000 and larger have no old one).  The text is static and ends
/// in a NUL.
///   annotatecolumn(1:5万, false) = "new_5w"   annotatecolumn(1:20万, false) = ""
std::string_view annotatecolumn(const Scale& s, bool old);

/// An angle in decimal degrees.
inline double degreesof(Angle a) { return static_cast<double>(a) / static_cast<double>(kDegree); }

}  // namespace tufu
