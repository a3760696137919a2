#include "gis/formats.h"

#include <array>
#include <filesystem>

namespace tufu::gis {

namespace {

constexpr std::string_view kShapefileSidecars[] = {"shx", "dbf", "prj", "cpg",
                                                   "qix", "sbn", "sbx", "qpj"};
constexpr std::string_view kCsvSidecars[] = {"csvt", "prj"};

constexpr std::array<FormatInfo, 7> kFormats{{
    {Format::GeoPackage, "gpkg", "GPKG", "GeoPackage", "gpkg", {}, true, true, false, false},
    {Format::Shapefile, "shp", "ESRI Shapefile", "ESRI Shapefile", "shp", kShapefileSidecars,
     true, true, true, true},
    {Format::GeoJSON, "geojson", "GeoJSON", "GeoJSON", "geojson", {}, true, true, false, false},
    {Format::KML, "kml", "KML", "KML", "kml", {}, true, true, true, false},
    {Format::DXF, "dxf", "DXF", "DXF", "dxf", {}, false, false, true, false},
    {Format::FlatGeobuf, "fgb", "FlatGeobuf", "FlatGeobuf", "fgb", {}, true, true, true, true},
    {Format::CSV, "csv", "CSV", "CSV", "csv", kCsvSidecars, true, true, false, true},
}};

}  // namespace

bool sameletters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

namespace {
bool same(std::string_view a, std::string_view b) { return sameletters(a, b); }
}  // namespace

std::span<const FormatInfo> formats() { return kFormats; }

const FormatInfo& defaultformat() { return kFormats[0]; }

const FormatInfo* formatnamed(std::string_view name) {
  for (const FormatInfo& f : kFormats)
    if (same(name, f.word) || same(name, f.driver) || same(name, f.title) ||
        same(name, f.extension))
      return &f;
  if (same(name, "json")) return &kFormats[2];
  return nullptr;
}

const FormatInfo* formatoffile(std::string_view path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext.size() < 2) return nullptr;
  const std::string_view bare = std::string_view(ext).substr(1);
  for (const FormatInfo& f : kFormats)
    if (same(bare, f.extension)) return &f;
  if (same(bare, "json")) return &kFormats[2];
  return nullptr;
}

bool hasextension(std::string_view path, const FormatInfo& format) {
  const std::string ext = std::filesystem::path(path).extension().string();
  return ext.size() > 1 && same(std::string_view(ext).substr(1), format.extension);
}

}  // namespace tufu::gis
