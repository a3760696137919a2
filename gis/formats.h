// The file formats a sheet grid or an annotated point layer is written in,
// each through its GDAL driver.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tufu::gis {

enum class Format { GeoPackage, Shapefile, GeoJSON, KML, DXF, FlatGeobuf, CSV };

struct FormatInfo {
  Format format;
  std::string_view word;       ///< the name `--format` takes: "gpkg"
  std::string_view driver;     ///< GDAL's short name of the driver: "GPKG"
  std::string_view title;      ///< what a file dialog lists: "GeoPackage"
  std::string_view extension;  ///< the usual extension, without the dot: "gpkg"
  /// Extensions of the files that go with the main one and are written,
  /// replaced or left over beside it ("shx", "dbf" ... for a Shapefile).
  std::span<const std::string_view> sidecars;
  bool crs;     ///< the file records its coordinate reference system (CSV in a .prj)
  bool fields;  ///< the file keeps attribute fields (DXF keeps a label only)
  /// Every feature needs a geometry (a Shapefile or FlatGeobuf row without
  /// one is not written, or not read back).
  bool geometry;
  /// The driver writes a file only under its own extension; under any other
  /// name it makes a folder of files.
  bool ownextension;
};

/// Every format, GeoPackage (the default) first.
std::span<const FormatInfo> formats();
const FormatInfo& defaultformat();

/// The format a user names: its word, its driver's name, its title or its
/// extension, in any letter case ("gpkg", "GeoPackage", "shp", "ESRI
/// Shapefile", "json"); nullptr when none is called so.
const FormatInfo* formatnamed(std::string_view name);

/// The format a file name's extension stands for; nullptr when there is
/// no extension or it belongs to none.
const FormatInfo* formatoffile(std::string_view path);

/// Writes `path` in the format `chosen`, or when that is null in the one its
/// extension stands for: `write(format, result)` fills the result; without
/// a format the result holds the refusal.
template <typename Result, typename Write>
Result writein(const FormatInfo* chosen, const std::string& path, Write&& write) {
  Result result;
  const FormatInfo* format = chosen != nullptr ? chosen : formatoffile(path);
  if (format == nullptr)
    result.error = "无法从文件名 " + path + " 看出格式";
  else
    write(*format, result);
  return result;
}

/// Whether `path` ends in the format's extension, in any letter case.
bool hasextension(std::string_view path, const FormatInfo& format);

/// Whether two names are the same but for the letter case of A–Z.
bool sameletters(std::string_view a, std::string_view b);

}  // namespace tufu::gis
