#include "gis/annotate.h"

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>

#include "angles/angle.h"
#include "core/fields.h"
#include "core/oldnumber.h"
#include "core/sheet.h"
#include "core/utf8.h"
#include "gis/gdalerrors.h"
#include "gis/gdalsupport.h"
#include "gis/staged.h"

namespace tufu::gis {

namespace {

constexpr std::int64_t kBatch = 1 << 16;
constexpr const char* kStopped = "已中断, 没有写出文件";

bool sametext(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A field's text as an angle: decimal degrees, degrees,minutes,seconds or
// 116°23′30″, read as the commands read a typed angle.
std::optional<Angle> fromtext(std::string_view text, Angle limit) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return readangle(text, limit);
}

// The degrees a field's text stands for, for a point written from it: the
// number itself when it is one, else the angle read.
double degreesof(std::string_view text, Angle angle) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  double deg = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), deg);
  if (ec == std::errc() && end == text.data() + text.size()) return deg;
  return static_cast<double>(angle) / static_cast<double>(kDegree);
}

constexpr const char* kNotUtf8 = "不是 UTF-8 编码的文本";

// A copy of an input in a private temporary file, in UTF-8: standard input
// read as it comes (so that an interrupt is seen while it is idle), or a
// text file in another encoding.  Removed with the object.
class Spool {
 public:
  Spool() = default;
  Spool(const Spool&) = delete;
  Spool& operator=(const Spool&) = delete;
  ~Spool() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& path() const { return path_; }

  /// Copies `fd` (converted from `encoding` unless it is "") into the
  /// file; `goon` is asked while it waits.  "" or the reason.
  std::string fill(int fd, const std::string& encoding, Ticker& ticker) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tufu-input-XXXXXX").string();
    const int out = mkstemp(pattern.data());
    if (out < 0) return "无法建立临时文件: " + systemreason(errno);
    path_ = pattern;
    std::string why = copy(fd, out, encoding, ticker);
    if (::close(out) != 0 && why.empty()) why = "无法写入临时文件: " + systemreason(errno);
    return why;
  }

 private:
  static bool writeall(int fd, const char* p, std::size_t n) {
    while (n > 0) {
      const ssize_t w = ::write(fd, p, n);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      p += w;
      n -= static_cast<std::size_t>(w);
    }
    return true;
  }

  static std::string copy(int in, int out, const std::string& encoding, Ticker& ticker) {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    if (!encoding.empty()) {
      cd = iconv_open("UTF-8", "GB18030");
      if (cd == reinterpret_cast<iconv_t>(-1)) return "系统不支持 GB18030 编码的转换";
    }
    struct Closer {
      iconv_t cd;
      ~Closer() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
      }
    } closer{cd};
    std::vector<char> buffer(1 << 16), converted(4 << 16);
    std::size_t kept = 0;  // bytes of a character cut at the end of the last read
    std::int64_t offset = 0;
    for (;;) {
      pollfd p{in, POLLIN, 0};
      const int ready = ::poll(&p, 1, 100);
      if (!ticker.due()) return kStopped;
      if (ready < 0 && errno != EINTR) return "无法读取输入: " + systemreason(errno);
      if (ready <= 0) continue;
      const ssize_t n = ::read(in, buffer.data() + kept, buffer.size() - kept);
      if (n < 0) {
        if (errno == EINTR || errno == EAGAIN) continue;
        return "无法读取输入: " + systemreason(errno);
      }
      if (n == 0) {
        if (kept > 0) return "输入末尾的字符不完整 (不是 GB18030 编码?)";
        return "";
      }
      std::size_t have = kept + static_cast<std::size_t>(n);
      if (cd == reinterpret_cast<iconv_t>(-1)) {
        if (!writeall(out, buffer.data(), have)) return "无法写入临时文件: " + systemreason(errno);
        continue;
      }
      char* from = buffer.data();
      while (have > 0) {
        char* to = converted.data();
        std::size_t room = converted.size();
        const std::size_t r = iconv(cd, &from, &have, &to, &room);
        const int error = errno;
        if (!writeall(out, converted.data(), converted.size() - room))
          return "无法写入临时文件: " + systemreason(errno);
        if (r != static_cast<std::size_t>(-1)) break;
        if (error == E2BIG) continue;
        if (error == EINVAL) break;  // a character cut short: kept for the next read
        return "输入第 " + std::to_string(offset + (from - buffer.data()) + 1) +
               " 字节起不是 GB18030 编码的文本";
      }
      offset += from - buffer.data();
      std::memmove(buffer.data(), from, have);
      kept = have;
    }
  }

  std::string path_;
};

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
  ~Annotator() { abandon(output_); }  // still open: the write failed or stopped
  Annotator(const Annotator&) = delete;
  Annotator& operator=(const Annotator&) = delete;
  bool run(const std::string& in, const std::string& out);

 private:
  bool fail(std::string why) {
    if (out_.error.empty()) out_.error = std::move(why);
    return false;
  }
  bool failgdal(const std::string& what) {
    return fail(what + (trap_.failed() ? ": " + trap_.failure() : std::string()));
  }
  bool failencoding(const std::string& what) {
    out_.encoding = true;
    return fail(what + kNotUtf8);
  }
  bool openinput(const std::string& in);
  bool openlayer(const std::string& in);
  bool locate();
  bool createoutput(const std::string& out);
  bool finish(const std::string& out, std::int64_t rows);
  // The point of a row, or nothing (`notpoint` set when its geometry is
  // another kind); `deg` the degrees written for it as a geometry.
  std::optional<std::pair<Angle, Angle>> pointof(OGRFeature& f, bool& notpoint, double deg[2]);

  const FormatInfo& format_;
  const AnnotateOptions& options_;
  Annotated& out_;
  ErrorTrap trap_;
  StagedOutput staged_;
  std::int64_t rows_ = 0;
  Ticker ticker_{[this] { return !options_.progress || options_.progress(rows_); }};

  Spool spool_;
  DatasetPtr input_;
  OGRLayer* source_ = nullptr;
  int lonfield_ = -1, latfield_ = -1;  // fields that hold the point, or -1: the geometry
  TransformPtr transform_;             // from the layer's system to CGCS2000
  bool pointsfromfields_ = false;      // the output's geometry made from lonfield_, latfield_
  bool checktext_ = false;             // text fields are checked to be UTF-8
  DatasetPtr output_;
  OGRLayer* target_ = nullptr;
  std::vector<Column> columns_;
  std::vector<int> fieldmap_;
};

bool Annotator::openinput(const std::string& in) {
  const bool piped = in == "-";
  const bool recode = !options_.encoding.empty();
  const char* csvonly[] = {"CSV", nullptr};
  if (piped) {
    // Read here rather than by GDAL, so that an idle pipe can be left.
    if (std::string why = spool_.fill(STDIN_FILENO, options_.encoding, ticker_); !why.empty())
      return fail(why == kStopped ? why : "标准输入: " + why);
    input_.reset(GDALDataset::Open(("CSV:" + spool_.path()).c_str(),
                                   GDAL_OF_VECTOR | GDAL_OF_READONLY, csvonly, nullptr, nullptr));
    if (!input_) return failgdal("无法读取标准输入");
    return openlayer("标准输入");
  }
  input_.reset(GDALDataset::Open(in.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr,
                                 nullptr));
  if (!input_) {
    std::error_code ec;
    if (!std::filesystem::exists(in, ec)) return fail("输入文件 " + in + " 不存在");
    return failgdal("无法读取 " + in);
  }
  if (recode) {
    const std::string driver = input_->GetDriver()->GetDescription();
    if (driver == "CSV") {
      input_.reset();
      const int fd = ::open(in.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) return fail("无法读取 " + in + ": " + systemreason(errno));
      std::string why = spool_.fill(fd, options_.encoding, ticker_);
      ::close(fd);
      if (!why.empty()) return fail(why == kStopped ? why : in + ": " + why);
      input_.reset(GDALDataset::Open(("CSV:" + spool_.path()).c_str(),
                                     GDAL_OF_VECTOR | GDAL_OF_READONLY, csvonly, nullptr,
                                     nullptr));
    } else if (driver == "ESRI Shapefile") {
      input_.reset();
      const char* shponly[] = {"ESRI Shapefile", nullptr};
      const char* const encoding[] = {"ENCODING=GB18030", nullptr};
      input_.reset(GDALDataset::Open(in.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, shponly,
                                     encoding, nullptr));
    } else {
      return fail(in + " 是 " + driver + " 格式, 其中的文本总是 UTF-8 编码, 不能另指定编码");
    }
    if (!input_) return failgdal("无法读取 " + in);
  }
  return openlayer(in);
}

bool Annotator::openlayer(const std::string& in) {
  out_.layers = input_->GetLayerCount();
  if (out_.layers < 1) return fail(in + " 中没有图层");
  if (!options_.layer.empty()) {
    source_ = input_->GetLayerByName(options_.layer.c_str());
    if (source_ == nullptr) {
      std::string names;
      for (int i = 0; i < out_.layers; ++i)
        names += (i == 0 ? "" : "、") + std::string(input_->GetLayer(i)->GetName());
      return fail(in + " 中没有图层 " + options_.layer + " (有 " + names + ")");
    }
  } else {
    source_ = input_->GetLayer(0);
  }
  out_.layer = source_->GetName();
  // A CSV (or a Shapefile's table) holds bytes as they were saved; GDAL's
  // other drivers give UTF-8.
  const std::string driver = input_->GetDriver()->GetDescription();
  checktext_ = options_.encoding.empty() && (driver == "CSV" || driver == "ESRI Shapefile");
  return true;
}

bool Annotator::locate() {
  OGRFeatureDefn* defn = source_->GetLayerDefn();
  if (checktext_)
    for (int i = 0; i < defn->GetFieldCount(); ++i)
      if (!wellformed(defn->GetFieldDefn(i)->GetNameRef()))
        return failencoding("输入的字段名");
  if (!options_.lonfield.empty() || !options_.latfield.empty()) {
    lonfield_ = defn->GetFieldIndex(options_.lonfield.c_str());
    latfield_ = defn->GetFieldIndex(options_.latfield.c_str());
    if (lonfield_ < 0) return fail("输入没有字段 " + options_.lonfield);
    if (latfield_ < 0) return fail("输入没有字段 " + options_.latfield);
  } else if (defn->GetGeomFieldCount() > 0) {
    const OGRSpatialReference* srs = source_->GetSpatialRef();
    if (srs != nullptr) {
      const auto cgcs = epsgsrs(kCgcs2000);
      transform_.reset(OGRCreateCoordinateTransformation(srs, &*cgcs));
      if (!transform_) return failgdal("无法把输入的坐标转换到 CGCS2000 经纬度");
    }
  } else {
    lonfield_ = findfield(defn, {"lon", "lng", "long", "longitude", "x", "经度"});
    latfield_ = findfield(defn, {"lat", "latitude", "y", "纬度"});
    if (lonfield_ < 0 || latfield_ < 0)
      return fail("输入既没有点几何, 也没有经纬度字段 (lon/lat、longitude/latitude、x/y、经度/纬度), "
                  "请用 --lon 和 --lat 指定");
  }
  // A format whose rows need a geometry gets the points of the fields.
  pointsfromfields_ = format_.geometry && defn->GetGeomFieldCount() == 0;
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
  // The index is built once the rows are in, where it can be stopped.
  if (format_.format == Format::GeoPackage) layeroptions.SetNameValue("SPATIAL_INDEX", "NO");
  const std::string stem = std::filesystem::path(out).stem().string();
  const auto cgcs = epsgsrs(kCgcs2000);
  const OGRSpatialReference* srs =
      pointsfromfields_ ? &*cgcs : geometry ? source_->GetSpatialRef() : nullptr;
  const OGRwkbGeometryType type =
      pointsfromfields_ ? wkbPoint : geometry ? source_->GetGeomType() : wkbNone;
  target_ = output_->CreateLayer(stem.empty() ? source_->GetName() : stem.c_str(),
                                 const_cast<OGRSpatialReference*>(srs), type,
                                 layeroptions.List());
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
    const std::string name(annotatecolumn(*c.scale, !c.isnew));
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

std::optional<std::pair<Angle, Angle>> Annotator::pointof(OGRFeature& f, bool& notpoint,
                                                          double deg[2]) {
  notpoint = false;
  if (lonfield_ >= 0) {
    if (!f.IsFieldSetAndNotNull(lonfield_) || !f.IsFieldSetAndNotNull(latfield_))
      return std::nullopt;
    const char* lontext = f.GetFieldAsString(lonfield_);
    const char* lattext = f.GetFieldAsString(latfield_);
    const auto lon = fromtext(lontext, kLonLimit);
    const auto lat = fromtext(lattext, kLatLimit);
    if (!lon || !lat) return std::nullopt;
    deg[0] = degreesof(lontext, *lon);
    deg[1] = degreesof(lattext, *lat);
    return std::pair{*lon, *lat};
  }
  const OGRGeometry* g = f.GetGeometryRef();
  if (g == nullptr || g->IsEmpty()) return std::nullopt;
  if (wkbFlatten(g->getGeometryType()) != wkbPoint) {
    notpoint = true;
    return std::nullopt;
  }
  double x = g->toPoint()->getX(), y = g->toPoint()->getY();
  if (transform_ && !transform_->Transform(1, &x, &y)) return std::nullopt;
  const auto lon = unitsofdegrees(x, kLonLimit);
  const auto lat = unitsofdegrees(y, kLatLimit);
  if (!lon || !lat) return std::nullopt;
  return std::pair{*lon, *lat};
}

bool Annotator::finish(const std::string& out, std::int64_t rows) {
  if (format_.format == Format::GeoPackage && target_->GetGeomType() != wkbNone) {
    std::string sql = "SELECT CreateSpatialIndex('";
    for (const char* p = target_->GetName(); *p != '\0'; ++p)
      sql += *p == '\'' ? "''" : std::string(1, *p);
    sql += "', '";
    for (const char* p = target_->GetGeometryColumn(); *p != '\0'; ++p)
      sql += *p == '\'' ? "''" : std::string(1, *p);
    sql += "')";
    OGRLayer* result = output_->ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (result != nullptr) output_->ReleaseResultSet(result);
    if (ticker_.stopped()) return fail(kStopped);
    if (trap_.failed()) return failgdal("无法建立空间索引");
  }
  output_.reset();
  if (ticker_.stopped()) return fail(kStopped);
  if (trap_.failed()) return failgdal("写入 " + out + " 失败");
  if (std::string why = checkending(staged_.written(), format_); !why.empty())
    return fail("写入 " + out + " 失败: " + why);
  if (format_.format == Format::GeoPackage || format_.format == Format::Shapefile ||
      format_.format == Format::FlatGeobuf) {
    const std::string driver(format_.driver);
    const char* const only[] = {driver.c_str(), nullptr};
    DatasetPtr back(GDALDataset::Open(staged_.written().c_str(),
                                      GDAL_OF_VECTOR | GDAL_OF_READONLY, only, nullptr, nullptr));
    const GIntBig n =
        back && back->GetLayerCount() > 0 ? back->GetLayer(0)->GetFeatureCount(FALSE) : -2;
    if (n != -1 && n != rows)
      return fail("写入 " + out + " 失败: 文件中有 " + std::to_string(n < 0 ? 0 : n) +
                  " 行, 应有 " + std::to_string(rows) + " 行");
  }
  if (!ticker_.now()) return fail(kStopped);
  if (std::string why = staged_.commit(); !why.empty()) return fail(why);
  return true;
}

bool Annotator::run(const std::string& in, const std::string& out) {
  if (options_.scales.empty()) return fail("没有给出比例尺");
  if (!options_.encoding.empty() && !knownencoding(options_.encoding))
    return fail("未知的编码 " + options_.encoding + " (可用 UTF-8、GBK、GB18030)");
  registergdal();
  if (!openinput(in) || !locate() || !createoutput(out)) return false;

  // Rows are read and numbered on this thread and written on another, so
  // that the reading and the writing driver work at the same time.  The
  // writer stops when this thread's ticker does.
  RowPipe pipe;
  std::atomic<bool> stop{false};
  std::string writefailure;
  std::vector<std::string> writewarnings;
  std::thread writer([&] {
    ErrorTrap trap;
    Ticker ticker([&] { return !stop.load(); });
    ticker.watch(*output_);
    const bool transactions = output_->StartTransaction() == OGRERR_NONE;
    std::int64_t written = 0;
    const auto failed = [&] {
      if (ticker.stopped()) {
        writefailure = kStopped;
      } else {
        std::string why = trap.failed() ? trap.failure() : writereason(out);
        writefailure = "写入 " + out + " 失败" + (why.empty() ? "" : ": " + why);
      }
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
        if (!ticker.due()) return failed();
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
  OGRFeatureDefn* defn = source_->GetLayerDefn();
  for (;;) {
    if (!ticker_.due()) {
      fail(kStopped);
      break;
    }
    std::unique_ptr<OGRFeature> f(source_->GetNextFeature());
    if (!f) break;
    if (checktext_) {
      bool good = true;
      for (int i = 0; i < defn->GetFieldCount() && good; ++i)
        if (defn->GetFieldDefn(i)->GetType() == OFTString && f->IsFieldSetAndNotNull(i))
          good = wellformed(f->GetFieldAsString(i));
      if (!good) {
        failencoding("第 " + std::to_string(rows_ + 1) + " 行");
        break;
      }
    }
    if (used == batch.size())
      batch.emplace_back(OGRFeature::CreateFeature(target_->GetLayerDefn()));
    OGRFeature& row = *batch[used++];
    if (row.SetFrom(f.get(), fieldmap_.data(), TRUE) != OGRERR_NONE) {
      failgdal("无法复制第 " + std::to_string(rows_ + 1) + " 行");
      break;
    }
    bool notpoint = false;
    double deg[2] = {0, 0};
    const auto point = pointof(*f, notpoint, deg);
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
    if (pointsfromfields_) {
      row.SetGeometryDirectly(point ? new OGRPoint(deg[0], deg[1]) : nullptr);
    }
    // FlatGeobuf drops a row without geometry (an empty one too).
    if (format_.format == Format::FlatGeobuf &&
        (row.GetGeometryRef() == nullptr || row.GetGeometryRef()->IsEmpty())) {
      fail("第 " + std::to_string(rows_ + 1) +
           " 行没有点, FlatGeobuf 不能保存没有几何的行, 请换一种格式");
      break;
    }
    if (!point) ++out_.blank;
    if (notpoint) ++out_.notpoints;
    row.SetFID(OGRNullFID);
    ++rows_;
    if (used == RowPipe::kRows) {
      if (!pipe.push(std::move(batch))) break;
      batch = pipe.reuse();
      used = 0;
    }
  }
  if (!out_.error.empty()) stop = true;
  batch.resize(used);
  if (!batch.empty() && out_.error.empty()) pipe.push(std::move(batch));
  pipe.close();
  writer.join();
  // The output's SQLite asks this thread's ticker from now on.
  ticker_.watch(*output_);
  if (!out_.error.empty()) return false;
  if (!writefailure.empty()) return fail(writefailure);
  // A read error ends the rows early: nothing is written then.
  if (trap_.failed()) return failgdal("读取 " + in + " 失败");
  if (!finish(out, rows_)) return false;
  out_.written = rows_;
  out_.warnings = trap_.warnings();
  for (const std::string& w : writewarnings) out_.warnings.push_back(w);
  return true;
}

}  // namespace

bool knownencoding(std::string_view name) {
  for (std::string_view known : {"GBK", "GB18030", "CP936", "GB2312"})
    if (sametext(name, known)) return true;
  return false;
}

Annotated annotate(const std::string& in, const std::string& out,
                   const AnnotateOptions& options) {
  AnnotateOptions own = options;
  if (sametext(own.encoding, "UTF-8") || sametext(own.encoding, "UTF8")) own.encoding.clear();
  return writein<Annotated>(own.format, out, [&](const FormatInfo& format, Annotated& result) {
    Annotator annotator(format, own, result);
    annotator.run(in, out);
  });
}

}  // namespace tufu::gis
