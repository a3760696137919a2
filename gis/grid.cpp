#include "gis/grid.h"

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
// Sheets written between progress reports.
constexpr std::int64_t kProgressStep = 1 << 14;
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
  bool createlayer(const std::string& name, const SheetSet& sheets);
  bool writesheet(const Sheet& s);
  bool writedxf(const SheetInfo& d);
  bool project(const Sheet& s);

  const FormatInfo& format_;
  const GridOptions& options_;
  Outcome& out_;
  ErrorTrap trap_;
  StagedOutput staged_;  // removed after the dataset is closed

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
  if (!target_) return fail("未知的坐标参考系 EPSG:" + std::to_string(epsg));
  if (format_.format == Format::KML && epsg != kCgcs2000)
    return fail("KML 只能保存经纬度坐标, 不能用 EPSG:" + std::to_string(epsg));
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
  if (layer_->CreateFeature(feature_.get()) != OGRERR_NONE) return failgdal("写入图廓失败");

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
  return ok || failgdal("写入注记失败");
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

bool GridWriter::run(const std::string& path, const SheetSet& sheets) {
  if (sheets.empty()) return fail("没有要写的图幅");
  registergdal();
  if (!setupcrs(sheets)) return false;

  if (std::string why = staged_.open(path, format_, options_.overwrite, out_.exists);
      !why.empty())
    return fail(why);
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(std::string(format_.driver).c_str());
  if (driver == nullptr) return fail("GDAL 没有 " + std::string(format_.driver) + " 驱动");

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
  const std::string stem = std::filesystem::path(path).stem().string();
  if (!createlayer(stem.empty() ? "sheets" : stem, sheets)) return false;

  const bool transactions = dataset_->StartTransaction() == OGRERR_NONE;
  std::int64_t done = 0;
  const std::int64_t total = sheets.count();
  for (const Block& b : sheets.blocks()) {
    for (int row = 0; row < b.blockrows; ++row) {
      for (int col = 0; col < b.blockcols; ++col) {
        if (!writesheet(b.sheet(row, col))) return false;
        if (format_.format != Format::DXF &&
            layer_->CreateFeature(feature_.get()) != OGRERR_NONE)
          return failgdal("写入 " + path + " 失败");
        ++done;
        if (transactions && done % kBatch == 0 &&
            (dataset_->CommitTransaction() != OGRERR_NONE ||
             dataset_->StartTransaction() != OGRERR_NONE))
          return failgdal("写入 " + path + " 失败");
        if (options_.progress && done % kProgressStep == 0 && done < total &&
            !options_.progress(done, total))
          return fail(kStopped);
      }
    }
  }
  if (transactions && dataset_->CommitTransaction() != OGRERR_NONE)
    return failgdal("写入 " + path + " 失败");
  // Closing writes what the driver still holds (a GeoPackage builds its
  // spatial index then), which can take a while.
  if (options_.progress && !options_.progress(done, total)) return fail(kStopped);
  feature_.reset();
  dataset_.reset();
  if (trap_.failed()) return failgdal("写入 " + path + " 失败");
  if (std::string why = checkending(staged_.path(), format_); !why.empty())
    return fail("写入 " + path + " 失败: " + why);
  if (std::string why = staged_.commit(); !why.empty()) return fail(why);
  out_.written = format_.format == Format::DXF ? 2 * done : done;
  for (const std::string& w : trap_.warnings()) out_.warnings.push_back(w);
  return true;
}

Outcome writegrid(const std::string& path, const SheetSet& sheets, const GridOptions& options) {
  return writein<Outcome>(options.format, path, [&](const FormatInfo& format, Outcome& out) {
    GridWriter writer(format, options, out);
    writer.run(path, sheets);
  });
}

}  // namespace tufu::gis
