// Small helpers around GDAL shared by the grid and the annotation.
#pragma once

#include <ogr_spatialref.h>

#include <memory>
#include <optional>
#include <string>

#include "gis/formats.h"

class GDALDataset;

namespace tufu::gis {

/// Registers GDAL's drivers (once per process).
void registergdal();

/// A reference system from its EPSG code, with longitude (easting) first
/// in every coordinate pair; nothing when PROJ does not know the code.
std::optional<OGRSpatialReference> epsgsrs(int epsg);

/// Whether the file a driver has closed at `path` ends as the format ends.
/// The GeoJSON and KML writers do not report failed writes (a full disk):
/// a file cut short lacks its closing text.  "" when complete (or of
/// another format), else the reason.
std::string checkending(const std::string& path, const FormatInfo& format);

struct DatasetCloser {
  void operator()(GDALDataset* ds) const;
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

struct TransformDeleter {
  void operator()(OGRCoordinateTransformation* ct) const {
    OGRCoordinateTransformation::DestroyCT(ct);
  }
};
using TransformPtr = std::unique_ptr<OGRCoordinateTransformation, TransformDeleter>;

}  // namespace tufu::gis
