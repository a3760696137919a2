// Sheet numbers for a layer of points: every row of a point layer (any
// source GDAL reads, CSV with longitude and latitude columns among them)
// is written again with the numbers of the sheets that hold its point.
//
// The columns added are new_<s> and old_<s> for each scale asked for, <s>
// being the scale's denominator in 万 ("w") where it is a whole number of
// them, else in thousands ("k"), else as it is: new_100w, old_100w (1:100万),
// new_5w, old_5w (1:5万), new_25k, old_25k (1:2.5万), new_1w (1:1万),
// new_5k (1:5000), new_2k, new_1k, new_500.  A scale without shown new
// numbers (1:20万) gets no new_ column, one without old numbers (1:2000,
// 1:1000, 1:500) no old_ column.  An existing column of that name is
// filled again.
//
// A row whose point lies outside 0°–180° E and 0°–60° N, or that has no
// point, is kept with its sheet columns empty (null); nothing is dropped.
// Points read from longitude and latitude fields are written as point
// geometry (CGCS2000) to the formats whose rows need one (Shapefile,
// FlatGeobuf, KML).  Text must be UTF-8 unless another encoding is named.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/scale.h"
#include "gis/formats.h"
#include "gis/grid.h"

namespace tufu::gis {

/// The part of a column name that stands for the scale: "5w", "25k", "500".
std::string scalesuffix(const Scale& s);

struct AnnotateOptions {
  std::vector<const Scale*> scales;
  /// Fields that hold longitude and latitude (decimal degrees, or
  /// degrees,minutes,seconds).  When empty: the layer's point geometry, or
  /// else fields called lon, lng, longitude, x or 经度 and lat, latitude,
  /// y or 纬度 (any letter case).
  std::string lonfield, latfield;
  const FormatInfo* format = nullptr;  ///< of the output; nullptr: its file name decides
  bool overwrite = false;
  /// The layer to read; "": the first.
  std::string layer;
  /// The encoding of a CSV or Shapefile input: "" (UTF-8), or "GBK",
  /// "GB18030", "CP936" (all read as GB18030).
  std::string encoding;
  /// Called about ten times a second with the rows read so far, also while
  /// standard input is awaited and while the file is completed.  Returning
  /// false stops the writing within a tenth of a second or so; nothing is
  /// written then.
  std::function<bool(std::int64_t rows)> progress;
};

/// Whether `name` is an encoding `AnnotateOptions::encoding` takes.
bool knownencoding(std::string_view name);

struct Annotated : Outcome {
  std::int64_t blank = 0;      ///< rows without a point in the numbering's range
  std::int64_t notpoints = 0;  ///< of them, rows whose geometry is a line or polygon
  bool encoding = false;       ///< refused: text that is not UTF-8
  std::string layer;           ///< the layer read
  int layers = 0;              ///< layers in the input
};

/// Reads a layer of `in` ("-": CSV on standard input) and writes it to
/// `out` with the sheet columns added, as a whole or not at all.
Annotated annotate(const std::string& in, const std::string& out, const AnnotateOptions& options);

}  // namespace tufu::gis
