// Small helpers around GDAL shared by the grid and the annotation.
#pragma once

#include <ogr_spatialref.h>

#include <chrono>
#include <cstdint>
#include <functional>
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

/// Asks whether to go on at most every tenth of a second, however the
/// time is spent: the caller checks `due()` as often as it likes (between
/// features, between vertices), and a GeoPackage's SQLite asks it while a
/// statement runs (see `watch`).  Once `ask` has answered false, it stays
/// stopped.
class Ticker {
 public:
  explicit Ticker(std::function<bool()> ask) : ask_(std::move(ask)) {}
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;

  /// False once the answer was to stop.
  bool due() {
    if (stopped_ || !ask_) return !stopped_;
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return true;
    next_ = now + std::chrono::milliseconds(100);
    stopped_ = !ask_();
    return !stopped_;
  }
  bool stopped() const { return stopped_; }
  /// Asks at once, whenever it last asked: the last word before a commit.
  bool now() {
    next_ = {};
    return due();
  }

  /// Lets the SQLite database behind `ds` (a GeoPackage) ask `due()` while
  /// it works, so that a long statement (the spatial index) or the closing
  /// stops when asked; nothing for other drivers.  The ticker outlives the
  /// dataset.
  void watch(GDALDataset& ds);

 private:
  std::function<bool()> ask_;
  std::chrono::steady_clock::time_point next_{};
  bool stopped_ = false;
};

/// Why writing a file beside `path` may have failed when the driver says
/// nothing: a full disk or a file size limit, else "".
std::string writereason(const std::string& path);

/// Why a file of `bytes` bytes could not be written beside `path` (the
/// free space or the file size limit), else "".
std::string noroomfor(const std::string& path, std::uint64_t bytes);

struct DatasetCloser {
  void operator()(GDALDataset* ds) const;
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

/// Closes a dataset whose output is given up (a failed or stopped write):
/// the driver is told not to finish the file.  GDAL's DXF writer otherwise
/// assembles the file and, when its writes have failed, reads back a header
/// it never wrote into a short buffer, past its end.
void abandon(DatasetPtr& ds);

struct TransformDeleter {
  void operator()(OGRCoordinateTransformation* ct) const {
    OGRCoordinateTransformation::DestroyCT(ct);
  }
};
using TransformPtr = std::unique_ptr<OGRCoordinateTransformation, TransformDeleter>;

}  // namespace tufu::gis
