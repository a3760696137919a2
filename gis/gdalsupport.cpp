#include "gis/gdalsupport.h"

#include <gdal.h>
#include <gdal_priv.h>

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>

namespace tufu::gis {

void registergdal() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

std::optional<OGRSpatialReference> epsgsrs(int epsg) {
  OGRSpatialReference srs;
  if (epsg <= 0 || srs.importFromEPSG(epsg) != OGRERR_NONE) return std::nullopt;
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return srs;
}

std::string checkending(const std::string& path, const FormatInfo& format) {
  std::string_view ending;
  if (format.format == Format::GeoJSON) ending = "}";
  else if (format.format == Format::KML) ending = "</kml>";
  else return "";
  std::ifstream in(path, std::ios::binary);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  constexpr std::streamoff kTail = 64;
  in.seekg(size > kTail ? size - kTail : 0);
  std::string tail(std::istreambuf_iterator<char>(in), {});
  while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' '))
    tail.pop_back();
  if (!in.bad() && tail.ends_with(ending)) return "";
  return "文件没有写完整 (磁盘已满?)";
}

void Ticker::watch(GDALDataset& ds) {
  auto* db = static_cast<sqlite3*>(ds.GetInternalHandle("SQLITE_HANDLE"));
  if (db == nullptr) return;
  // Every few thousand steps of SQLite's machine: often enough to stop
  // within a tenth of a second, seldom enough to cost nothing.
  sqlite3_progress_handler(
      db, 4096, [](void* self) { return static_cast<Ticker*>(self)->due() ? 0 : 1; }, this);
}

std::string writereason(const std::string& path) {
  // No byte free, or a file size limit at all: the write met it.
  if (std::string why = noroomfor(path, 1); !why.empty()) return why;
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    return "超出文件大小的限制 (ulimit -f)";
  return "";
}

std::string noroomfor(const std::string& path, std::uint64_t bytes) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  struct statvfs fs {};
  if (statvfs(folder.c_str(), &fs) == 0 &&
      static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize < bytes)
    return "磁盘已满";
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      limit.rlim_cur < bytes)
    return "超出文件大小的限制 (ulimit -f)";
  return "";
}

void abandon(DatasetPtr& ds) {
  if (ds) ds->MarkSuppressOnClose();
  ds.reset();
}

void DatasetCloser::operator()(GDALDataset* ds) const {
  if (ds != nullptr) GDALClose(GDALDataset::ToHandle(ds));
}

}  // namespace tufu::gis
