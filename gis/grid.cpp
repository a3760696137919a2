#include "gis/grid.h"

#include <cstdio>

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/fields.h"
#include "gis/gdalerrors.h"
#include "gis/gdalsupport.h"
#include "gis/staged.h"

namespace tufu::gis {

namespace {

// Features written between commits.
constexpr std::int64_t kBatch = 1 << 16;
constexpr const char* kStopped = "已中断, 没有写出文件";
// The most sheets a FlatGeobuf file is written with a spatial index.
constexpr std::int64_t kIndexedFlatGeobuf = 500000;

double degrees(Angle a) { return static_cast<double>(a) / static_cast<double>(kDegree); }

bool startswith(std::string_view text, std::string_view head) {
  if (text.size() < head.size()) return false;
  for (std::size_t i = 0; i < head.size(); ++i) {
    const char c = text[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != head[i]) return false;
  }
  return true;
}

std::optional<int> number(std::string_view text) {
  int n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || n < 0)
    return std::nullopt;
  return n;
}

// The ring of a sheet, counter-clockwise from its south-west corner, with
// `d` points on each edge between the corners: longitudes and latitudes in
// degrees.
void sheetring(const Bounds& b, const Densify& d, std::vector<double>& xs,
               std::vector<double>& ys) {
  xs.clear();
  ys.clear();
  const auto edge = [&](Angle x0, Angle y0, Angle x1, Angle y1, int between) {
    const int parts = between + 1;
    for (int i = 0; i < parts; ++i) {
      // Exact in units wherever the part is a whole number of them.
      const double t = static_cast<double>(i) / parts;
      xs.push_back(degrees(x0) + (degrees(x1) - degrees(x0)) * t);
      ys.push_back(degrees(y0) + (degrees(y1) - degrees(y0)) * t);
    }
  };
  edge(b.west, b.south, b.east, b.south, d.lon);
  edge(b.east, b.south, b.east, b.north, d.lat);
  edge(b.east, b.north, b.west, b.north, d.lon);
  edge(b.west, b.north, b.west, b.south, d.lat);
  xs.push_back(xs.front());
  ys.push_back(ys.front());
}

// The text of a DXF label: the sheet's numbers and name, one a line.
std::string labeltext(const SheetInfo& d) {
  std::string text;
  for (std::string_view line : {d.newno.view(), d.oldno.view(), d.name}) {
    if (line.empty()) continue;
    if (!text.empty()) text += '\n';
    for (char c : line)
      if (c != '"' && c != '\\') text += c;
  }
  return text;
}

class GridWriter {
 public:
  GridWriter(const FormatInfo& format, const GridOptions& options, Outcome& out)
      : format_(format), options_(options), out_(out) {}
  ~GridWriter() { abandon(dataset_); }  // still open: the write failed or stopped
  GridWriter(const GridWriter&) = delete;
  GridWriter& operator=(const GridWriter&) = delete;

  bool run(const std::string& path, const SheetSet& sheets);

 private:
  bool fail(std::string why) {
    if (out_.error.empty()) out_.error = std::move(why);
    return false;
  }
  bool failgdal(const std::string& what) {
    return fail(what + (trap_.failed() ? ": " + trap_.failure() : std::string()));
  }
  bool setupcrs(const SheetSet& sheets);
  bool spatialindex();
  bool finish(const std::string& path, std::int64_t done);
  bool createlayer(const std::string& name, const SheetSet& sheets);
  bool writesheet(const Sheet& s);
  bool writedxf(const SheetInfo& d);
  bool project(const Sheet& s);

  const FormatInfo& format_;
  const GridOptions& options_;
  Outcome& out_;
  ErrorTrap trap_;
  StagedOutput staged_;  // removed after the dataset is closed
  std::int64_t done_ = 0, total_ = 0;
  Ticker ticker_{[this] { return !options_.progress || options_.progress(done_, total_); }};

  std::optional<OGRSpatialReference> target_;
  TransformPtr transform_;
  bool projected_ = false;

  DatasetPtr dataset_;
  OGRLayer* layer_ = nullptr;
  std::unique_ptr<OGRFeature> feature_;
  OGRLinearRing* ring_ = nullptr;  // owned by feature_
  std::vector<int> fields_;  // of the layer, for each field of the table
  const Scale* densifiedfor_ = nullptr;
  Densify densify_;
  std::vector<double> xs_, ys_;
};

bool GridWriter::setupcrs(const SheetSet& sheets) {
  int epsg = kCgcs2000;
  const CrsChoice& c = options_.crs;
  if (c.kind == CrsChoice::Epsg) {
    epsg = c.epsg;
  } else if (c.kind != CrsChoice::Geographic) {
    const Bounds b = *sheets.bounds();
    const int zone = c.zone != 0 ? c.zone : gkzone(c.kind, (b.west + b.east) / 2);
    const auto code = gkepsg(c.kind, zone);
    const bool three = c.kind == CrsChoice::GaussKruger3;
    if (!code)
      return fail(std::string("CGCS2000 高斯-克吕格投影") + (three ? "3" : "6") + "°分带没有第 " +
                  std::to_string(zone) + " 带 (有 EPSG 代码的为 " + (three ? "25–45" : "13–23") +
                  " 带, 中央经线 75°–135°E)");
    epsg = *code;
  }
  out_.epsg = epsg;
  target_ = epsgsrs(epsg);
  const std::string name = "EPSG:" + std::to_string(epsg);
  if (!target_) return fail("未知的坐标参考系 " + name);
  // A sheet is a ring of longitudes and latitudes, or of eastings and
  // northings: heights, geocentric X, Y, Z or a third axis have no room
  // for it.
  const OGRSpatialReference& t = *target_;
  if (t.IsCompound() || t.IsVertical() || t.IsGeocentric() || t.GetAxesCount() != 2 ||
      !(t.IsProjected() || t.IsGeographic())) {
    const char* kind = t.IsCompound()     ? "复合"
                       : t.IsVertical()   ? "垂直 (高程)"
                       : t.IsGeocentric() ? "地心"
                       : t.IsGeographic() ? "三维地理"
                                          : "";
    return fail(name + " 是" + kind + "坐标参考系, 不能保存图幅网格 (只能用投影坐标参考系或二维地理坐标参考系)");
  }
  if (format_.format == Format::KML && epsg != kCgcs2000 && epsg != 4326)
    return fail("KML 只能保存经纬度坐标 (EPSG:4490 或 EPSG:4326), 不能用 " + name);
  if (t.IsProjected()) {
    double west = 0, south = 0, east = 0, north = 0;
    const char* area = nullptr;
    const Bounds b = *sheets.bounds();
    const double bw = degrees(b.west), be = degrees(b.east), bs = degrees(b.south),
                 bn = degrees(b.north);
    // Within a degree of its area the distortion is still that of its edge.
    constexpr double kNear = 1.0;
    if (t.GetAreaOfUse(&west, &south, &east, &north, &area) && west <= east &&
        (bw < west - kNear || be > east + kNear || bs < south - kNear || bn > north + kNear)) {
      char text[256];
      std::snprintf(text, sizeof text,
                    "网格 (%g°–%g°E, %g°–%g°N) 远在 %s 的使用范围 (%g°–%g°E, %g°–%g°N) 之外, "
                    "变形很大",
                    bw, be, bs, bn, name.c_str(), west, east, south, north);
      out_.warnings.push_back(text);
    }
  }
  if (epsg == kCgcs2000) return true;
  const auto geographic = epsgsrs(kCgcs2000);
  transform_.reset(OGRCreateCoordinateTransformation(&*geographic, &*target_));
  if (!transform_) return failgdal("无法从 EPSG:4490 转换到 EPSG:" + std::to_string(epsg));
  projected_ = target_->IsProjected();
  return true;
}

bool GridWriter::createlayer(const std::string& name, const SheetSet& sheets) {
  CPLStringList layeroptions;
  switch (format_.format) {
    case Format::Shapefile: layeroptions.SetNameValue("ENCODING", "UTF-8"); break;
    case Format::CSV:
      layeroptions.SetNameValue("GEOMETRY", "AS_WKT");
      layeroptions.SetNameValue("CREATE_CSVT", "YES");
      layeroptions.SetNameValue("STRING_QUOTING", "IF_NEEDED");
      break;
    case Format::GeoJSON: layeroptions.SetNameValue("RFC7946", "NO"); break;
    // The index is built once the sheets are in (see spatialindex), where
    // it can be stopped.
    case Format::GeoPackage: layeroptions.SetNameValue("SPATIAL_INDEX", "NO"); break;
    case Format::FlatGeobuf:
      // The index holds an entry per feature in memory until the end.
      if (sheets.count() > kIndexedFlatGeobuf) {
        layeroptions.SetNameValue("SPATIAL_INDEX", "NO");
        out_.warnings.push_back("图幅多于 " + std::to_string(kIndexedFlatGeobuf) +
                                " 幅, FlatGeobuf 文件不建空间索引");
      }
      break;
    default: break;
  }
  const bool dxf = format_.format == Format::DXF;
  layer_ = dataset_->CreateLayer(dxf ? "entities" : name.c_str(), &*target_,
                                 dxf ? wkbUnknown : wkbPolygon, layeroptions.List());
  if (layer_ == nullptr) return failgdal("无法建立图层");

  if (format_.fields) {
    const bool shapefile = format_.format == Format::Shapefile;
    bool named = false;
    for (const Block& b : sheets.blocks()) named = named || b.scale->named;
    for (const SheetField* f : fieldsof(Output::Gis)) {
      const std::string field(f->gis);
      OGRFieldDefn defn(field.c_str(), f->type == FieldType::Integer   ? OFTInteger
                                      : f->type == FieldType::Degrees ? OFTReal
                                                                      : OFTString);
      // Only a Shapefile keeps fixed widths; elsewhere they would only limit.
      if (shapefile) {
        defn.SetWidth(f->isname() && !named ? 1 : f->width);
        defn.SetPrecision(f->precision);
      }
      if (layer_->CreateField(&defn) != OGRERR_NONE) return failgdal("无法建立字段");
      fields_.push_back(layer_->GetLayerDefn()->GetFieldIndex(field.c_str()));
    }
  }
  feature_.reset(OGRFeature::CreateFeature(layer_->GetLayerDefn()));
  if (!dxf) {
    auto* polygon = new OGRPolygon;
    ring_ = new OGRLinearRing;
    polygon->addRingDirectly(ring_);
    feature_->SetGeometryDirectly(polygon);
  }
  return true;
}

bool GridWriter::project(const Sheet& s) {
  if (densifiedfor_ != s.scale) {
    densifiedfor_ = s.scale;
    densify_ = options_.densify >= 0 ? Densify{options_.densify, options_.densify}
                                     : defaultdensify(*s.scale, projected_);
  }
  sheetring(boundsof(s), densify_, xs_, ys_);
  if (transform_ &&
      !transform_->Transform(static_cast<int>(xs_.size()), xs_.data(), ys_.data(), nullptr,
                             nullptr))
    return failgdal("坐标转换失败 (" + sheetnumber(s) + ")");
  return true;
}

bool GridWriter::writedxf(const SheetInfo& d) {
  // The outline, a closed polyline.
  OGRLineString outline;
  outline.setPoints(static_cast<int>(xs_.size()), xs_.data(), ys_.data());
  feature_->SetField("Layer", "SHEET");
  feature_->SetGeometry(&outline);
  feature_->SetStyleString("PEN(c:#000000)");
  feature_->SetFID(OGRNullFID);
  if (layer_->CreateFeature(feature_.get()) != OGRERR_NONE) return false;  // the caller says why

  // The label, in the middle, sized to fit the sheet.
  double cx = degrees((d.bounds.west + d.bounds.east) / 2);
  double cy = degrees((d.bounds.south + d.bounds.north) / 2);
  if (transform_ && !transform_->Transform(1, &cx, &cy)) return failgdal("坐标转换失败");
  // Corners: south-west at 0, south-east after the south edge's points,
  // north-west before the west edge's points and the closing point.
  const std::size_t n = xs_.size() - 1;
  const double width = std::hypot(xs_[0] - xs_[static_cast<std::size_t>(densify_.lon) + 1],
                                  ys_[0] - ys_[static_cast<std::size_t>(densify_.lon) + 1]);
  const double height = std::hypot(xs_[0] - xs_[n - static_cast<std::size_t>(densify_.lat) - 1],
                                   ys_[0] - ys_[n - static_cast<std::size_t>(densify_.lat) - 1]);
  const double size = std::min(height / 8, width / 14);
  const std::string text = labeltext(d);
  char style[512];
  std::snprintf(style, sizeof style, "LABEL(t:\"%s\",s:%.6gg,p:5)", text.c_str(), size);
  OGRPoint centre(cx, cy);
  feature_->SetField("Layer", "SHEET_NO");
  feature_->SetField("Text", text.c_str());
  feature_->SetGeometry(&centre);
  feature_->SetStyleString(style);
  feature_->SetFID(OGRNullFID);
  const bool ok = layer_->CreateFeature(feature_.get()) == OGRERR_NONE;
  feature_->UnsetField(feature_->GetFieldIndex("Text"));
  return ok;
}

bool GridWriter::writesheet(const Sheet& s) {
  if (!project(s)) return false;
  const SheetInfo d = brief(s, options_.names);
  if (format_.format == Format::DXF) return writedxf(d);

  ring_->setPoints(static_cast<int>(xs_.size()), xs_.data(), ys_.data());
  OGRFeature& f = *feature_;
  if (format_.fields) {
    const auto fields = fieldsof(Output::Gis);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const SheetField& field = *fields[i];
      switch (field.type) {
        case FieldType::Text: f.SetField(fields_[i], std::string(field.text(d)).c_str()); break;
        case FieldType::Integer:
          f.SetField(fields_[i], static_cast<int>(field.integer(d)));
          break;
        case FieldType::Degrees: f.SetField(fields_[i], degreesof(field.angle(d))); break;
        case FieldType::Bounds: break;  // no attribute holds all four
      }
    }
  }
  f.SetFID(OGRNullFID);
  return true;
}

}  // namespace

void SheetSet::add(const Block& b) {
  if (b.empty()) return;
  blocks_.push_back(b);
  count_ += b.sheetcount();
}

void SheetSet::add(const Sheet& s) {
  if (auto b = blockof(s, s)) add(*b);
}

std::optional<Bounds> SheetSet::bounds() const {
  if (blocks_.empty()) return std::nullopt;
  Bounds all{blocks_.front().blockswlon, blocks_.front().blockswlat, blocks_.front().east(),
             blocks_.front().north()};
  for (const Block& b : blocks_) {
    all.west = std::min(all.west, b.blockswlon);
    all.south = std::min(all.south, b.blockswlat);
    all.east = std::max(all.east, b.east());
    all.north = std::max(all.north, b.north());
  }
  return all;
}

std::optional<CrsChoice> parsecrs(std::string_view text) {
  CrsChoice c;
  if (startswith(text, "gk3") || startswith(text, "gk6")) {
    c.kind = text[2] == '3' ? CrsChoice::GaussKruger3 : CrsChoice::GaussKruger6;
    std::string_view rest = text.substr(3);
    if (rest.empty()) return c;
    if (rest.front() != ':') return std::nullopt;
    const auto zone = number(rest.substr(1));
    if (!zone || *zone == 0) return std::nullopt;
    c.zone = *zone;
    return c;
  }
  if (startswith(text, "epsg:")) text.remove_prefix(5);
  const auto code = number(text);
  if (!code || *code == 0) return std::nullopt;
  if (*code == kCgcs2000) return c;
  c.kind = CrsChoice::Epsg;
  c.epsg = *code;
  return c;
}

int gkzone(CrsChoice::Kind kind, Angle lon) {
  if (kind == CrsChoice::GaussKruger3)
    return static_cast<int>((lon + 3 * kDegree / 2) / (3 * kDegree));
  return static_cast<int>(lon / (6 * kDegree)) + 1;
}

std::optional<int> gkepsg(CrsChoice::Kind kind, int zone) {
  if (kind == CrsChoice::GaussKruger3 && zone >= 25 && zone <= 45) return 4513 + zone - 25;
  if (kind == CrsChoice::GaussKruger6 && zone >= 13 && zone <= 23) return 4491 + zone - 13;
  return std::nullopt;
}

Densify defaultdensify(const Scale& scale, bool projected) {
  if (!projected) return {};
  const auto between = [](Angle length) {
    return static_cast<int>((length + kMinute - 1) / kMinute) - 1;
  };
  return {between(scale.lonsize), between(scale.latsize)};
}

bool GridWriter::spatialindex() {
  if (format_.format != Format::GeoPackage) return true;
  std::string sql = "SELECT CreateSpatialIndex('";
  for (const char* p = layer_->GetName(); *p != '\0'; ++p) sql += *p == '\'' ? "''" : std::string(1, *p);
  sql += "', '";
  for (const char* p = layer_->GetGeometryColumn(); *p != '\0'; ++p)
    sql += *p == '\'' ? "''" : std::string(1, *p);
  sql += "')";
  OGRLayer* result = dataset_->ExecuteSQL(sql.c_str(), nullptr, nullptr);
  if (result != nullptr) dataset_->ReleaseResultSet(result);
  if (ticker_.stopped()) return fail(kStopped);
  if (trap_.failed()) return failgdal("无法建立空间索引");
  return true;
}

bool GridWriter::finish(const std::string& path, std::int64_t done) {
  if (!spatialindex()) return false;
  feature_.reset();
  dataset_.reset();
  if (ticker_.stopped()) return fail(kStopped);
  if (trap_.failed()) return failgdal("写入 " + path + " 失败");
  if (std::string why = checkending(staged_.written(), format_); !why.empty())
    return fail("写入 " + path + " 失败: " + why);
  // What was written is read back where the file says how much it holds.
  if (format_.format == Format::GeoPackage || format_.format == Format::Shapefile ||
      format_.format == Format::FlatGeobuf) {
    const std::string driver(format_.driver);
    const char* const only[] = {driver.c_str(), nullptr};
    DatasetPtr back(GDALDataset::Open(staged_.written().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                      only, nullptr, nullptr));
    const GIntBig n =
        back && back->GetLayerCount() > 0 ? back->GetLayer(0)->GetFeatureCount(FALSE) : -2;
    if (n != -1 && n != done)
      return fail("写入 " + path + " 失败: 文件中有 " + std::to_string(n < 0 ? 0 : n) +
                  " 幅, 应有 " + std::to_string(done) + " 幅");
  }
  if (!ticker_.now()) return fail(kStopped);
  if (std::string why = staged_.commit(); !why.empty()) return fail(why);
  return true;
}

bool GridWriter::run(const std::string& path, const SheetSet& sheets) {
  if (sheets.empty()) return fail("没有要写的图幅");
  registergdal();
  total_ = sheets.count();
  if (total_ > kManySheets && !options_.force) {
    out_.toomany = true;
    return fail(manysheets(total_) + ", 约 " +
                sizetext(estimatebytes(sheets, format_, options_.densify,
                                       options_.crs.kind == CrsChoice::GaussKruger3 ||
                                           options_.crs.kind == CrsChoice::GaussKruger6)) +
                " (" + std::string(format_.title) + ")");
  }
  if (!setupcrs(sheets)) return false;

  if (std::string why = staged_.open(path, format_, options_.overwrite, out_.exists);
      !why.empty())
    return fail(why);
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(std::string(format_.driver).c_str());
  if (driver == nullptr) return fail("GDAL 没有 " + std::string(format_.driver) + " 驱动");

  // GDAL writes a DXF file's header and trailer when it closes the file,
  // even one given up, and cannot survive failing there.
  constexpr std::uint64_t kDxfFrame = 64 * 1024;
  if (format_.format == Format::DXF)
    if (std::string why = noroomfor(staged_.path(), kDxfFrame); !why.empty())
      return fail("写入 " + path + " 失败: " + why);

  CPLStringList datasetoptions;
  if (format_.format == Format::KML) {
    // The number is what a placemark shows, the place name its description.
    datasetoptions.SetNameValue("NameField", "new_no");
    datasetoptions.SetNameValue("DescriptionField", "name");
  }
  // The file is written aside and renamed, so that SQLite need not wait
  // for the disk after every batch.
  CPLConfigOptionSetter sync("OGR_SQLITE_SYNCHRONOUS", "OFF", true);
  dataset_.reset(driver->Create(staged_.path().c_str(), 0, 0, 0, GDT_Unknown,
                                datasetoptions.List()));
  if (!dataset_) return failgdal("无法建立文件 " + path);
  ticker_.watch(*dataset_);
  const std::string stem = std::filesystem::path(path).stem().string();
  if (!createlayer(stem.empty() ? "sheets" : stem, sheets)) return false;

  const bool transactions = dataset_->StartTransaction() == OGRERR_NONE;
  const auto failwrite = [&] {
    if (ticker_.stopped()) return fail(kStopped);
    if (!trap_.failed())
      if (std::string why = writereason(path); !why.empty())
        return fail("写入 " + path + " 失败: " + why);
    return failgdal("写入 " + path + " 失败");
  };
  for (const Block& b : sheets.blocks()) {
    for (int row = 0; row < b.blockrows; ++row) {
      for (int col = 0; col < b.blockcols; ++col) {
        if (!writesheet(b.sheet(row, col)))  // a failed conversion says why itself
          return ticker_.stopped() ? fail(kStopped) : out_.error.empty() ? failwrite() : false;
        if (format_.format != Format::DXF &&
            layer_->CreateFeature(feature_.get()) != OGRERR_NONE)
          return failwrite();
        ++done_;
        if (transactions && done_ % kBatch == 0 &&
            (dataset_->CommitTransaction() != OGRERR_NONE ||
             dataset_->StartTransaction() != OGRERR_NONE))
          return failwrite();
        // By the clock, not by the sheets: a densified sheet takes long.
        if (!ticker_.due()) return fail(kStopped);
      }
    }
  }
  if (transactions && dataset_->CommitTransaction() != OGRERR_NONE) return failwrite();
  if (!finish(path, done_)) return false;
  out_.written = format_.format == Format::DXF ? 2 * done_ : done_;
  for (const std::string& w : trap_.warnings()) out_.warnings.push_back(w);
  return true;
}

std::int64_t estimatebytes(const SheetSet& sheets, const FormatInfo& format, int densify,
                           bool projected) {
  // Bytes per sheet and per vertex of its ring, as measured on grids of
  // J50 at 1:1万 (names, numbers, edges and the ring's points).
  struct Cost {
    Format format;
    double sheet, vertex;
  };
  constexpr Cost kCosts[] = {{Format::GeoPackage, 250, 16}, {Format::Shapefile, 150, 16},
                             {Format::GeoJSON, 250, 40},    {Format::KML, 400, 40},
                             {Format::DXF, 700, 45},        {Format::FlatGeobuf, 170, 16},
                             {Format::CSV, 150, 40}};
  double total = 0;
  for (const Block& b : sheets.blocks()) {
    const Densify d = densify >= 0 ? Densify{densify, densify} : defaultdensify(*b.scale, projected);
    const double vertices = 2.0 * (d.lon + d.lat) + 5;
    for (const Cost& c : kCosts)
      if (c.format == format.format)
        total += static_cast<double>(b.sheetcount()) * (c.sheet + c.vertex * vertices);
  }
  return static_cast<std::int64_t>(total);
}

std::string sizetext(std::int64_t bytes) {
  const char* units[] = {"B", "KB", "MB", "GB", "TB", "PB"};
  double v = static_cast<double>(bytes);
  int u = 0;
  while (v >= 1000 && u < 5) {
    v /= 1000;
    ++u;
  }
  char text[32];
  std::snprintf(text, sizeof text, v < 10 && u > 0 ? "%.1f %s" : "%.0f %s", v, units[u]);
  return text;
}

Outcome writegrid(const std::string& path, const SheetSet& sheets, const GridOptions& options) {
  return writein<Outcome>(options.format, path, [&](const FormatInfo& format, Outcome& out) {
    GridWriter writer(format, options, out);
    writer.run(path, sheets);
  });
}

}  // namespace tufu::gis
