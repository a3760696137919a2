// Helpers of the GIS tests: a scratch folder, and a written layer read back
// through GDAL.
#pragma once

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace gistest {

namespace fs = std::filesystem;

/// A fresh folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tufu-gis-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }
  /// The names of everything in the folder, hidden ones included, sorted.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

/// One feature as read back.
struct Feature {
  std::map<std::string, std::string> text;  ///< every field as text ("" when null)
  std::map<std::string, double> number;     ///< every field as a number
  OGREnvelope envelope;
  std::vector<std::pair<double, double>> points;  ///< outer ring, or the point
  bool hasgeometry = false;
};

struct Layer {
  bool opened = false;
  int epsg = 0;  ///< 0 when the file records none
  std::vector<Feature> features;
};

inline Layer readlayer(const std::string& path) {
  GDALAllRegister();
  Layer out;
  // GDAL's GeoJSON reader takes texts such as "1:5万" for times unless told
  // to keep dates as text; the file holds the text.
  const char* const options[] = {"DATE_AS_STRING=YES", nullptr};
  const bool geojson = path.ends_with(".geojson");
  GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                            nullptr, geojson ? options : nullptr));
  if (!ds || ds->GetLayerCount() < 1) return out;
  out.opened = true;
  OGRLayer* layer = ds->GetLayer(0);
  if (const OGRSpatialReference* srs = layer->GetSpatialRef()) {
    OGRSpatialReference copy(*srs);
    if (copy.GetAuthorityCode(nullptr) == nullptr) copy.AutoIdentifyEPSG();
    if (const char* code = copy.GetAuthorityCode(nullptr)) out.epsg = std::atoi(code);
  }
  OGRFeatureDefn* defn = layer->GetLayerDefn();
  for (auto& f : *layer) {
    Feature r;
    for (int i = 0; i < defn->GetFieldCount(); ++i) {
      const std::string name = defn->GetFieldDefn(i)->GetNameRef();
      const bool set = f->IsFieldSetAndNotNull(i);
      r.text[name] = set ? f->GetFieldAsString(i) : "";
      r.number[name] = set ? f->GetFieldAsDouble(i) : 0.0;
    }
    if (const OGRGeometry* g = f->GetGeometryRef()) {
      r.hasgeometry = true;
      g->getEnvelope(&r.envelope);
      const OGRwkbGeometryType type = wkbFlatten(g->getGeometryType());
      const OGRSimpleCurve* curve = nullptr;
      if (type == wkbPolygon) curve = g->toPolygon()->getExteriorRing();
      if (type == wkbLineString) curve = g->toLineString();
      if (curve != nullptr)
        for (int i = 0; i < curve->getNumPoints(); ++i)
          r.points.emplace_back(curve->getX(i), curve->getY(i));
      if (type == wkbPoint) r.points.emplace_back(g->toPoint()->getX(), g->toPoint()->getY());
    }
    out.features.push_back(std::move(r));
  }
  return out;
}

}  // namespace gistest
