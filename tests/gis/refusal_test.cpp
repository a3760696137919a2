// Outputs that are refused or fail: an existing file, an unknown format, a
// folder that cannot be written, a full disk.  Each failure says why and
// leaves the folder as it was: no partial file, no temporary one.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <functional>

#include "core/block.h"
#include "core/scale.h"
#include "gis/annotate.h"
#include "gis/grid.h"
#include "gisfixture.h"

namespace {

using namespace tufu;
using gistest::TempDir;

std::string content(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

gis::SheetSet j50(const char* scale) {
  return gis::SheetSet(*contained(*parsenew("J50").sheet, *parsescale(scale)));
}

struct Refusal {
  const char* name;
  std::vector<const char*> present;  // made first: files holding "keep", or folders ("x/")
  const char* file;                  // relative to the folder, or absolute, or "-"
  const char* crs;
  const char* says;                  // part of the message
  bool exists = false;
  bool overwrite = false;
  const char* format = "";  // --format; "": the file name's
  bool many = false;        // a grid of more than kManySheets sheets
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

const Refusal kRefusals[] = {
    {"existing_file", {"a.gpkg"}, "a.gpkg", "", "已存在", true},
    {"existing_companion_file", {"a.dbf"}, "a.shp", "", "a.dbf", true},
    {"existing_csv_types", {"a.csvt"}, "a.csv", "", "a.csvt", true},
    {"unknown_format", {}, "a.abc", "", "格式"},
    {"no_extension", {}, "grid", "", "格式"},
    {"missing_folder", {}, "missing/a.gpkg", "", "不存在"},
    {"folder_is_a_file", {"plain"}, "plain/a.gpkg", "", "不是文件夹"},
    {"read_only_file_system", {}, "/proc/tufu-grid.gpkg", "", "无法在文件夹"},
    // A folder is never replaced, with --overwrite neither.
    {"output_is_a_folder", {"a.gpkg/"}, "a.gpkg", "", "是一个文件夹, 不会被替换", false, true},
    {"companion_is_a_folder", {"x.shp", "x.shx", "x.dbf", "x.prj/"}, "x.shp", "",
     "x.prj” 是一个文件夹", false, true},
    // Under another name these drivers would make a folder of files.
    {"shapefile_named_otherwise", {}, "out.dat", "", "应以 .shp 结尾", false, false, "shp"},
    {"flatgeobuf_named_otherwise", {}, "out.dat", "", "应以 .fgb 结尾", false, false, "fgb"},
    {"csv_named_otherwise", {}, "out.dat", "", "应以 .csv 结尾", false, false, "csv"},
    {"standard_output", {}, "-", "", "标准输出", false, false, "geojson"},
    // A companion of another dataset is never touched.
    {"prj_of_a_shapefile", {"roads.shp", "roads.prj"}, "roads.csv", "", "roads.prj” 属于", false,
     true},
    {"prj_to_be_of_a_shapefile", {"roads.shp"}, "roads.csv", "", "属于", false, true},
    {"projected_kml", {}, "a.kml", "gk3", "KML"},
    {"zone_without_code", {}, "a.gpkg", "gk3:70", "70"},
    {"unknown_epsg", {}, "a.gpkg", "EPSG:999999", "999999"},
    {"vertical_crs", {}, "a.gpkg", "EPSG:5773", "垂直"},
    {"geocentric_crs", {}, "a.gpkg", "EPSG:4978", "地心"},
    {"geographic_3d_crs", {}, "a.gpkg", "EPSG:4979", "三维"},
    {"too_many_sheets", {}, "a.gpkg", "", "共 10616832 幅图, 超过 10000000 幅, 约 ", false, false,
     "", true},
};

class Refused : public testing::TestWithParam<Refusal> {};

TEST_P(Refused, SaysWhyAndLeavesNothing) {
  const Refusal& r = GetParam();
  TempDir dir;
  for (std::string_view f : r.present) {
    if (f.ends_with('/')) std::filesystem::create_directory(dir.file(std::string(f)));
    else std::ofstream(dir.file(std::string(f))) << "keep";
  }
  const auto before = dir.entries();
  gis::GridOptions options;
  if (*r.crs != '\0') options.crs = *gis::parsecrs(r.crs);
  options.overwrite = r.overwrite;
  if (*r.format != '\0') options.format = gis::formatnamed(r.format);
  const std::string path =
      r.file[0] == '/' || std::string_view(r.file) == "-" ? r.file : dir.file(r.file);
  gis::SheetSet sheets = j50("1:25万");
  if (r.many) {
    // J50 and K50 at 1:500: 2 × 2304 × 2304 sheets.
    const Scale& s500 = *parsescale("1:500", Edition::k2012);
    sheets = gis::SheetSet(*contained(*parsenew("J50").sheet, s500));
    sheets.add(*contained(*parsenew("K50").sheet, s500));
  }
  const gis::Outcome out = gis::writegrid(path, sheets, options);
  EXPECT_NE(out.error.find(r.says), std::string::npos) << out.error;
  EXPECT_EQ(out.exists, r.exists);
  EXPECT_EQ(out.toomany, r.many);
  EXPECT_EQ(dir.entries(), before);
  for (std::string_view f : r.present) {
    if (!f.ends_with('/')) {
      EXPECT_EQ(content(dir.file(std::string(f))), "keep");
    }
  }
  EXPECT_FALSE(std::filesystem::exists("/proc/tufu-grid.gpkg"));
}

INSTANTIATE_TEST_SUITE_P(Outputs, Refused, testing::ValuesIn(kRefusals),
                         [](const auto& p) { return std::string(p.param.name); });

// Files may not grow beyond a limit while it lives: writes past it fail as
// on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  void (*previous_handler_)(int);
};

class DiskFull : public testing::TestWithParam<const char*> {};

// The write fails with a message, and an older file of that name is kept.
TEST_P(DiskFull, FailsAndKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.file(GetParam());
  std::ofstream(path) << "old";
  const auto before = dir.entries();
  gis::GridOptions options;
  options.overwrite = true;
  gis::Outcome out;
  {
    FileSizeLimit limit(256 * 1024);
    out = gis::writegrid(path, j50("1:1万"), options);  // 9216 sheets: megabytes
  }
  EXPECT_NE(out.error.find("失败"), std::string::npos) << out.error;
  EXPECT_EQ(dir.entries(), before);
  EXPECT_EQ(content(path), "old");
}

INSTANTIATE_TEST_SUITE_P(Formats, DiskFull,
                         testing::Values("a.gpkg", "a.shp", "a.geojson", "a.kml", "a.dxf",
                                         "a.fgb", "a.csv"),
                         [](const auto& p) {
                           std::string n = p.param;
                           return n.substr(n.find('.') + 1);
                         });

// --overwrite replaces a Shapefile with all its files; a spatial index of
// the old one, which the new one does not have, goes with it.
TEST(Overwrite, ReplacesEveryFileOfAShapefile) {
  TempDir dir;
  for (const char* f : {"a.shp", "a.shx", "a.dbf", "a.qix"}) std::ofstream(dir.file(f)) << "old";
  gis::GridOptions options;
  options.overwrite = true;
  ASSERT_EQ(gis::writegrid(dir.file("a.shp"), j50("1:25万"), options).error, "");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a.cpg", "a.dbf", "a.prj", "a.shp", "a.shx"}));
  EXPECT_EQ(gistest::readlayer(dir.file("a.shp")).features.size(), 16u);
}

}  // namespace

namespace {

// Writing stopped from the progress report (the tool's answer to Ctrl+C)
// leaves nothing behind, for the grid and for the annotation.
TEST(Stopped, LeavesNothing) {
  TempDir dir;
  gis::GridOptions options;
  int reports = 0;
  options.progress = [&](std::int64_t, std::int64_t) { return ++reports < 2; };
  const gis::Outcome out = gis::writegrid(dir.file("a.gpkg"), j50("1:5000"), options);
  EXPECT_NE(out.error.find("中断"), std::string::npos) << out.error;
  EXPECT_EQ(reports, 2);
  EXPECT_TRUE(dir.entries().empty());

  {
    std::ofstream in(dir.file("in.csv"));
    in << "lon,lat\n";
    for (int i = 0; i < 70000; ++i) in << "116,39\n";  // past the first report
  }
  gis::AnnotateOptions annotate;
  annotate.scales = {parsescale("5万")};
  annotate.progress = [](std::int64_t) { return false; };
  const gis::Annotated a = gis::annotate(dir.file("in.csv"), dir.file("out.csv"), annotate);
  EXPECT_NE(a.error.find("中断"), std::string::npos) << a.error;
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.csv"});
}

// Stopped while the file is completed (a GeoPackage's spatial index, the
// closing): nothing is kept either, in every format.
class StoppedClosing : public testing::TestWithParam<const char*> {};

TEST_P(StoppedClosing, LeavesNothing) {
  TempDir dir;
  gis::GridOptions options;
  bool asked = false;
  options.progress = [&](std::int64_t done, std::int64_t total) {
    asked = asked || done == total;
    return done < total;
  };
  const gis::Outcome out = gis::writegrid(dir.file(GetParam()), j50("1:1万"), options);
  EXPECT_TRUE(asked);
  EXPECT_NE(out.error.find("中断"), std::string::npos) << out.error;
  EXPECT_TRUE(dir.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, StoppedClosing,
                         testing::Values("a.gpkg", "a.shp", "a.geojson", "a.kml", "a.dxf",
                                         "a.fgb", "a.csv"),
                         [](const auto& p) {
                           std::string n = p.param;
                           return n.substr(n.find('.') + 1);
                         });

}  // namespace
