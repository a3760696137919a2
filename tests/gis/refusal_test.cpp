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
  const char* file;                  // relative to the folder, or absolute
  const char* crs;
  const char* says;                  // part of the message
  bool exists = false;
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
    {"output_is_a_folder", {"a.gpkg/"}, "a.gpkg", "", "是一个文件夹", true},
    {"projected_kml", {}, "a.kml", "gk3", "KML"},
    {"zone_without_code", {}, "a.gpkg", "gk3:70", "70"},
    {"unknown_epsg", {}, "a.gpkg", "EPSG:999999", "999999"},
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
  const std::string path = r.file[0] == '/' ? r.file : dir.file(r.file);
  const gis::Outcome out = gis::writegrid(path, j50("1:25万"), options);
  EXPECT_NE(out.error.find(r.says), std::string::npos) << out.error;
  EXPECT_EQ(out.exists, r.exists);
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

}  // namespace
