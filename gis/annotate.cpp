#include "gis/annotate.h"

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <charconv>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>

#include "angles/angle.h"
#include "core/oldnumber.h"
#include "core/sheet.h"
#include "gis/gdalerrors.h"
#include "gis/gdalsupport.h"
#include "gis/staged.h"

namespace tufu::gis {

namespace {

constexpr std::int64_t kBatch = 1 << 16;
constexpr std::int64_t kProgressStep = 1 << 16;

bool sametext(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Degrees as units: to the fortieth of a second below, a value within a
// millionth of a unit of a whole unit taken as that unit (as typed angles
// are read), so that a point keeps to the sheet that holds it.
std::optional<Angle> fromdegrees(double deg, Angle limit) {
  if (!std::isfinite(deg) || deg < 0 || deg > static_cast<double>(limit) / kDegree + 1)
    return std::nullopt;
  const double units = deg * static_cast<double>(kDegree);
  const double nearest = std::nearbyint(units);
  const Angle t = std::abs(units - nearest) < 1e-6 ? static_cast<Angle>(nearest)
                                                   : static_cast<Angle>(std::floor(units));
  if (t > limit) return std::nullopt;
  return t;
}

// A field's text as an angle: decimal degrees, or degrees,minutes,seconds.
std::optional<Angle> fromtext(std::string_view text, Angle limit) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (text.find(',') != std::string_view::npos) return readangle(text, limit);
  double deg = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), deg);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return fromdegrees(deg, limit);
}

int findfield(OGRFeatureDefn* defn, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names)
    for (int i = 0; i < defn->GetFieldCount(); ++i)
      if (sametext(defn->GetFieldDefn(i)->GetNameRef(), name)) return i;
  return -1;
}

// One column written per scale and numbering.
struct Column {
  const Scale* scale;
  bool isnew;
  int index = -1;  // in the output layer
};

// Batches of rows handed from the thread that reads to the one that writes,
// and back once written, so that the rows are made again in place rather
// than allocated anew (and freed on the other thread).
class RowPipe {
 public:
  using Batch = std::vector<std::unique_ptr<OGRFeature>>;
  static constexpr std::size_t kRows = 4096;  // rows in a batch
  static constexpr std::size_t kWaiting = 4;  // batches on their way at most

  /// False when the writer has given up.
  bool push(Batch batch) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return failed_ || waiting_.size() < kWaiting; });
    if (failed_) return false;
    waiting_.push_back(std::move(batch));
    ready_.notify_one();
    return true;
  }
  /// False once the pipe is closed and empty, or failed.
  bool pop(Batch& batch) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [&] { return failed_ || closed_ || !waiting_.empty(); });
    if (failed_ || waiting_.empty()) return false;
    batch = std::move(waiting_.front());
    waiting_.pop_front();
    room_.notify_one();
    return true;
  }
  /// A written batch back for the reader.
  void giveback(Batch batch) {
    std::lock_guard lock(mutex_);
    spent_.push_back(std::move(batch));
  }
  /// A written batch to fill again, or an empty one.
  Batch reuse() {
    std::lock_guard lock(mutex_);
    if (spent_.empty()) return {};
    Batch b = std::move(spent_.back());
    spent_.pop_back();
    return b;
  }
  void close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    ready_.notify_one();
  }
  void fail() {
    std::lock_guard lock(mutex_);
    failed_ = true;
    room_.notify_one();
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_, room_;
  std::deque<Batch> waiting_, spent_;
  bool closed_ = false, failed_ = false;
};

class Annotator {
 public:
  Annotator(const FormatInfo& format, const AnnotateOptions& options, Annotated& out)
      : format_(format), options_(options), out_(out) {}
  bool run(const std::string& in, const std::string& out);

 private:
  bool fail(std::string why) {
    if (out_.error.empty()) out_.error = std::move(why);
    return false;
  }
  bool failgdal(const std::string& what) {
    return fail(what + (trap_.failed() ? ": " + trap_.failure() : std::string()));
  }
  bool openinput(const std::string& in);
  bool locate();
  bool createoutput(const std::string& out);
  std::optional<std::pair<Angle, Angle>> pointof(OGRFeature& f);

  const FormatInfo& format_;
  const AnnotateOptions& options_;
  Annotated& out_;
  ErrorTrap trap_;
  StagedOutput staged_;

  DatasetPtr input_;
  OGRLayer* source_ = nullptr;
  int lonfield_ = -1, latfield_ = -1;  // fields that hold the point, or -1: the geometry
  TransformPtr transform_;             // from the layer's system to CGCS2000
  DatasetPtr output_;
  OGRLayer* target_ = nullptr;
  std::vector<Column> columns_;
  std::vector<int> fieldmap_;
};

bool Annotator::openinput(const std::string& in) {
  const bool piped = in == "-";
  const char* csvonly[] = {"CSV", nullptr};
  input_.reset(GDALDataset::Open(piped ? "CSV:/vsistdin/" : in.c_str(),
                                 GDAL_OF_VECTOR | GDAL_OF_READONLY, piped ? csvonly : nullptr,
                                 nullptr, nullptr));
  if (!input_) {
    std::error_code ec;
    if (!piped && !std::filesystem::exists(in, ec)) return fail("输入文件 " + in + " 不存在");
    return failgdal("无法读取 " + (piped ? std::string("标准输入") : in));
  }
  if (input_->GetLayerCount() < 1) return fail(in + " 中没有图层");
  source_ = input_->GetLayer(0);
  return true;
}

bool Annotator::locate() {
  OGRFeatureDefn* defn = source_->GetLayerDefn();
  if (!options_.lonfield.empty() || !options_.latfield.empty()) {
    lonfield_ = defn->GetFieldIndex(options_.lonfield.c_str());
    latfield_ = defn->GetFieldIndex(options_.latfield.c_str());
    if (lonfield_ < 0) return fail("输入没有字段 " + options_.lonfield);
    if (latfield_ < 0) return fail("输入没有字段 " + options_.latfield);
    return true;
  }
  if (defn->GetGeomFieldCount() > 0) {
    const OGRSpatialReference* srs = source_->GetSpatialRef();
    if (srs != nullptr) {
      const auto cgcs = epsgsrs(kCgcs2000);
      transform_.reset(OGRCreateCoordinateTransformation(srs, &*cgcs));
      if (!transform_) return failgdal("无法把输入的坐标转换到 CGCS2000 经纬度");
    }
    return true;
  }
  lonfield_ = findfield(defn, {"lon", "lng", "long", "longitude", "x", "经度"});
  latfield_ = findfield(defn, {"lat", "latitude", "y", "纬度"});
  if (lonfield_ < 0 || latfield_ < 0)
    return fail("输入既没有点几何, 也没有经纬度字段 (lon/lat、longitude/latitude、x/y、经度/纬度), "
                "请用 --lon 和 --lat 指定");
  return true;
}

bool Annotator::createoutput(const std::string& out) {
  if (!format_.fields) return fail(std::string(format_.title) + " 不能保存字段, 请换一种格式");
  if (std::string why = staged_.open(out, format_, options_.overwrite, out_.exists); !why.empty())
    return fail(why);
  GDALDriver* driver =
      GetGDALDriverManager()->GetDriverByName(std::string(format_.driver).c_str());
  if (driver == nullptr) return fail("GDAL 没有 " + std::string(format_.driver) + " 驱动");
  CPLConfigOptionSetter sync("OGR_SQLITE_SYNCHRONOUS", "OFF", true);
  output_.reset(driver->Create(staged_.path().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!output_) return failgdal("无法建立文件 " + out);

  OGRFeatureDefn* defn = source_->GetLayerDefn();
  const bool geometry = defn->GetGeomFieldCount() > 0;
  CPLStringList layeroptions;
  if (format_.format == Format::CSV) {
    layeroptions.SetNameValue("STRING_QUOTING", "IF_NEEDED");
    // A CSV read with a WKT column carries its geometry in that column.
    if (geometry && defn->GetFieldIndex("WKT") < 0) layeroptions.SetNameValue("GEOMETRY", "AS_WKT");
  }
  if (format_.format == Format::Shapefile) layeroptions.SetNameValue("ENCODING", "UTF-8");
  const std::string stem = std::filesystem::path(out).stem().string();
  target_ = output_->CreateLayer(stem.empty() ? source_->GetName() : stem.c_str(),
                                 geometry ? source_->GetSpatialRef() : nullptr,
                                 geometry ? source_->GetGeomType() : wkbNone, layeroptions.List());
  if (target_ == nullptr) return failgdal("无法建立图层");
  for (int i = 0; i < defn->GetFieldCount(); ++i) {
    if (target_->CreateField(defn->GetFieldDefn(i), TRUE) != OGRERR_NONE)
      return failgdal(std::string("无法建立字段 ") + defn->GetFieldDefn(i)->GetNameRef());
    fieldmap_.push_back(target_->GetLayerDefn()->GetFieldCount() - 1);
  }
  for (const Scale* s : options_.scales) {
    if (s->shownew) columns_.push_back({s, true});
    if (s->hasold) columns_.push_back({s, false});
  }
  for (Column& c : columns_) {
    const std::string name = (c.isnew ? "new_" : "old_") + scalesuffix(*c.scale);
    c.index = target_->GetLayerDefn()->GetFieldIndex(name.c_str());
    if (c.index >= 0) continue;
    OGRFieldDefn field(name.c_str(), OFTString);
    if (format_.format == Format::Shapefile)
      field.SetWidth(static_cast<int>(c.isnew ? kNewNumberMax : kOldNumberMax));
    if (target_->CreateField(&field) != OGRERR_NONE) return failgdal("无法建立字段 " + name);
    c.index = target_->GetLayerDefn()->GetFieldIndex(name.c_str());
  }
  return true;
}

std::optional<std::pair<Angle, Angle>> Annotator::pointof(OGRFeature& f) {
  if (lonfield_ >= 0) {
    if (!f.IsFieldSetAndNotNull(lonfield_) || !f.IsFieldSetAndNotNull(latfield_))
      return std::nullopt;
    const auto lon = fromtext(f.GetFieldAsString(lonfield_), kLonLimit);
    const auto lat = fromtext(f.GetFieldAsString(latfield_), kLatLimit);
    if (!lon || !lat) return std::nullopt;
    return std::pair{*lon, *lat};
  }
  const OGRGeometry* g = f.GetGeometryRef();
  if (g == nullptr || g->IsEmpty() || wkbFlatten(g->getGeometryType()) != wkbPoint)
    return std::nullopt;
  double x = g->toPoint()->getX(), y = g->toPoint()->getY();
  if (transform_ && !transform_->Transform(1, &x, &y)) return std::nullopt;
  const auto lon = fromdegrees(x, kLonLimit);
  const auto lat = fromdegrees(y, kLatLimit);
  if (!lon || !lat) return std::nullopt;
  return std::pair{*lon, *lat};
}

bool Annotator::run(const std::string& in, const std::string& out) {
  if (options_.scales.empty()) return fail("没有给出比例尺");
  registergdal();
  if (!openinput(in) || !locate() || !createoutput(out)) return false;

  // Rows are read and numbered on this thread and written on another, so
  // that the reading and the writing driver work at the same time.
  RowPipe pipe;
  std::string writefailure;
  std::vector<std::string> writewarnings;
  std::int64_t rows = 0;
  std::thread writer([&] {
    ErrorTrap trap;
    const bool transactions = output_->StartTransaction() == OGRERR_NONE;
    std::int64_t written = 0;
    const auto failed = [&] {
      writefailure = "写入 " + out + " 失败" + (trap.failed() ? ": " + trap.failure() : "");
      pipe.fail();
    };
    for (RowPipe::Batch batch; pipe.pop(batch);) {
      for (const auto& row : batch) {
        if (target_->CreateFeature(row.get()) != OGRERR_NONE) return failed();
        ++written;
        if (transactions && written % kBatch == 0 &&
            (output_->CommitTransaction() != OGRERR_NONE ||
             output_->StartTransaction() != OGRERR_NONE))
          return failed();
        if (options_.progress && written % kProgressStep == 0 && !options_.progress(written)) {
          writefailure = "已中断, 没有写出文件";
          return pipe.fail();
        }
      }
      pipe.giveback(std::move(batch));
    }
    if (transactions && output_->CommitTransaction() != OGRERR_NONE) return failed();
    if (trap.failed()) return failed();
    writewarnings = trap.warnings();
  });

  char text[32];
  RowPipe::Batch batch;
  std::size_t used = 0;  // rows of `batch` filled
  source_->ResetReading();
  for (;;) {
    std::unique_ptr<OGRFeature> f(source_->GetNextFeature());
    if (!f) break;
    if (used == batch.size())
      batch.emplace_back(OGRFeature::CreateFeature(target_->GetLayerDefn()));
    OGRFeature& row = *batch[used++];
    if (row.SetFrom(f.get(), fieldmap_.data(), TRUE) != OGRERR_NONE) {
      failgdal("无法复制第 " + std::to_string(rows + 1) + " 行");
      break;
    }
    const auto point = pointof(*f);
    for (const Column& c : columns_) {
      if (!point) {
        row.SetFieldNull(c.index);
        continue;
      }
      const Sheet s = *sheetat(*c.scale, point->first, point->second);
      char* end = c.isnew ? writenew(text, s) : writeold(text, s);
      *end = '\0';
      row.SetField(c.index, text);
    }
    if (!point) ++out_.blank;
    row.SetFID(OGRNullFID);
    ++rows;
    if (used == RowPipe::kRows) {
      if (!pipe.push(std::move(batch))) break;
      batch = pipe.reuse();
      used = 0;
    }
  }
  batch.resize(used);
  if (!batch.empty()) pipe.push(std::move(batch));
  pipe.close();
  writer.join();
  if (!writefailure.empty()) return fail(writefailure);
  // A read error ends the rows early: nothing is written then.
  if (trap_.failed()) return failgdal("读取 " + in + " 失败");
  if (!out_.error.empty()) return false;
  output_.reset();
  if (trap_.failed()) return failgdal("写入 " + out + " 失败");
  if (std::string why = checkending(staged_.path(), format_); !why.empty())
    return fail("写入 " + out + " 失败: " + why);
  if (options_.progress && !options_.progress(rows)) return fail("已中断, 没有写出文件");
  if (std::string why = staged_.commit(); !why.empty()) return fail(why);
  out_.written = rows;
  out_.warnings = trap_.warnings();
  for (const std::string& w : writewarnings) out_.warnings.push_back(w);
  return true;
}

}  // namespace

std::string scalesuffix(const Scale& s) {
  const int d = s.denominator;
  if (d % 10000 == 0) return std::to_string(d / 10000) + "w";
  if (d % 1000 == 0) return std::to_string(d / 1000) + "k";
  return std::to_string(d);
}

Annotated annotate(const std::string& in, const std::string& out,
                   const AnnotateOptions& options) {
  return writein<Annotated>(options.format, out, [&](const FormatInfo& format, Annotated& result) {
    Annotator annotator(format, options, result);
    annotator.run(in, out);
  });
}

}  // namespace tufu::gis
