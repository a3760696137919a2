// The commands as the tool runs them: `grid` and `annotate` with their
// options, exit status 0 or 2, the message on standard error, and what the
// written file holds.
#include <gtest/gtest.h>
#include <fstream>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/giscommands.h"
#include "gisfixture.h"

namespace {

using namespace tufu;
using gistest::TempDir;

struct CliCase {
  const char* name;
  const char* command;  // "grid" or "annotate"
  Edition edition;
  std::vector<std::string> args;  // "{dir}" stands for the scratch folder
  int status;
  int features;      // in {dir}/out.*; -1: no file written
  const char* says;  // part of standard error
  const char* input = "";  // standard input
};

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

constexpr Edition k92 = Edition::k1992;
constexpr Edition k12 = Edition::k2012;

const CliCase kCases[] = {
    {"region", "grid", k92, {"--region", "北京", "--scale", "1:25万", "-o", "{dir}/out.gpkg"}, 0, 9,
     "9 幅"},
    {"bounds_with_equals", "grid", k92,
     {"--bounds=114", "120", "36", "40", "--scale=25万", "--output={dir}/out.geojson"}, 0, 16, ""},
    {"bounds_in_dms", "grid", k92,
     {"--bounds", "116,0,0", "116,30", "39,30", "40", "--scale", "5万", "-o", "{dir}/out.csv"}, 0,
     6, ""},
    {"contains", "grid", k92, {"--contains", "J50", "--scale", "10万", "-o", "{dir}/out.fgb"}, 0,
     144, ""},
    {"contains_2012", "grid", k12,
     {"--contains", "J50H001001", "--scale", "500", "-o", "{dir}/out.gpkg"}, 0, 144, ""},
    {"no_500_in_1992", "grid", k92,
     {"--contains", "J50H001001", "--scale", "500", "-o", "{dir}/out.gpkg"}, 2, -1, "比例尺 500"},
    {"contains_not_nesting", "grid", k92,
     {"--contains", "J-50-III", "--scale", "25万", "-o", "{dir}/out.gpkg"}, 2, -1, "嵌套"},
    {"neighbours", "grid", k92, {"--neighbours", "J50C001001", "-o", "{dir}/out.shp"}, 0, 9, ""},
    {"neighbours_at_the_corner", "grid", k92, {"--neighbours", "A31", "-o", "{dir}/out.shp"}, 0, 4,
     ""},
    {"neighbours_at_a_scale", "grid", k92,
     {"--neighbours", "J50", "--scale", "50万", "-o", "{dir}/out.kml"}, 0, 36, ""},
    {"sheets_from_a_file", "grid", k92, {"--sheets", "{dir}/list.txt", "-o", "{dir}/out.gpkg"}, 0,
     3, ""},
    {"sheets_inside_others_once", "grid", k92,
     {"--sheets", "{dir}/list.txt", "--scale", "50万", "-o", "{dir}/out.gpkg"}, 0, 8, ""},
    {"sheets_from_standard_input", "grid", k92, {"--sheets", "-", "-o", "{dir}/out.gpkg"}, 0, 2, "",
     "J-50-[1]\nJ50C001002 J50C001002\n"},
    {"sheets_refused", "grid", k92, {"--sheets", "-", "-o", "{dir}/out.gpkg"}, 2, -1,
     "标准输入:2: X99", "J50\nX99\n"},
    {"projected", "grid", k92,
     {"--region", "北京", "--scale", "25万", "--crs", "gk3", "--densify", "2", "-o",
      "{dir}/out.dxf"},
     0, 9, "EPSG:4527"},
    {"crs_refused", "grid", k92, {"--region", "北京", "--scale", "25万", "--crs", "gk9", "-o", "{dir}/out.gpkg"},
     2, -1, "坐标参考系 gk9"},
    {"densify_refused", "grid", k92,
     {"--region", "北京", "--scale", "25万", "--densify", "-1", "-o", "{dir}/out.gpkg"}, 2, -1,
     "--densify"},
    {"format_refused", "grid", k92,
     {"--region", "北京", "--scale", "25万", "--format", "xyz", "-o", "{dir}/out.gpkg"}, 2, -1,
     "未知格式 xyz"},
    {"extension_unknown", "grid", k92, {"--region", "北京", "--scale", "25万", "-o", "{dir}/out.abc"},
     2, -1, "看出格式"},
    {"format_given", "grid", k92,
     {"--region", "北京", "--scale", "25万", "--format", "GeoJSON", "-o", "{dir}/out.txt"}, 0, -1,
     ""},
    {"scale_missing", "grid", k92, {"--region", "北京", "-o", "{dir}/out.gpkg"}, 2, -1, "--scale"},
    {"region_unknown", "grid", k92, {"--region", "火星", "--scale", "5万", "-o", "{dir}/out.gpkg"}, 2,
     -1, "火星"},
    {"two_selections", "grid", k92,
     {"--region", "北京", "--contains", "J50", "--scale", "5万", "-o", "{dir}/out.gpkg"}, 2, -1,
     "只一种"},
    {"no_selection", "grid", k92, {"--scale", "5万", "-o", "{dir}/out.gpkg"}, 2, -1, "只一种"},
    {"output_missing", "grid", k92, {"--region", "北京", "--scale", "5万"}, 2, -1, "-o"},
    {"unknown_option", "grid", k92, {"--frobnicate"}, 2, -1, "未知选项 --frobnicate"},
    {"bounds_short", "grid", k92, {"--bounds", "114", "120"}, 2, -1, "4 个值"},
    {"bounds_reversed", "grid", k92,
     {"--bounds", "120", "114", "36", "40", "--scale", "5万", "-o", "{dir}/out.gpkg"}, 2, -1,
     "东界"},
    {"existing_output", "grid", k92, {"--region", "北京", "--scale", "25万", "-o", "{dir}/old.gpkg"},
     2, -1, "--overwrite"},
    {"existing_output_overwritten", "grid", k92,
     {"--region", "北京", "--scale", "25万", "-o", "{dir}/old.gpkg", "--overwrite"}, 0, -1, ""},
    {"annotate", "annotate", k92, {"{dir}/points.csv", "-o", "{dir}/out.csv", "--scale", "5万,1万"},
     0, 3, "1 行"},
    {"annotate_all_2012", "annotate", k12,
     {"{dir}/points.csv", "-o", "{dir}/out.gpkg", "--scale", "all"}, 0, 3, ""},
    {"annotate_fields_named", "annotate", k92,
     {"{dir}/points.csv", "-o", "{dir}/out.csv", "--scale", "5万", "--lon", "lon", "--lat", "lat"},
     0, 3, ""},
    {"annotate_from_standard_input", "annotate", k92, {"-", "-o", "{dir}/out.csv", "--scale", "5万"},
     0, 1, "", "lon,lat\n116,39\n"},
    {"annotate_scale_missing", "annotate", k92, {"{dir}/points.csv", "-o", "{dir}/out.csv"}, 2, -1,
     "--scale"},
    {"annotate_scale_refused", "annotate", k92,
     {"{dir}/points.csv", "-o", "{dir}/out.csv", "--scale", "5万,3万"}, 2, -1, "3万"},
    {"annotate_lon_alone", "annotate", k92,
     {"{dir}/points.csv", "-o", "{dir}/out.csv", "--scale", "5万", "--lon", "lon"}, 2, -1, "--lat"},
    {"annotate_two_inputs", "annotate", k92,
     {"{dir}/points.csv", "{dir}/points.csv", "-o", "{dir}/out.csv", "--scale", "5万"}, 2, -1,
     "多余"},
};

// Standard input read from `path` while it lives (the file descriptor, so
// that GDAL's reading of standard input sees it too).
class StdinFrom {
 public:
  explicit StdinFrom(const std::string& path) : saved_(dup(0)) {
    const int fd = open(path.c_str(), O_RDONLY);
    dup2(fd, 0);
    close(fd);
    clearerr(stdin);
    std::cin.clear();
  }
  ~StdinFrom() {
    dup2(saved_, 0);
    close(saved_);
    clearerr(stdin);
    std::cin.clear();
  }

 private:
  int saved_;
};

class Commands : public testing::TestWithParam<CliCase> {};

TEST_P(Commands, StatusMessageAndFile) {
  const CliCase& c = GetParam();
  TempDir dir;
  std::ofstream(dir.file("list.txt")) << "\xEF\xBB\xBFJ50\nK-50, J-50-C  # comment\nJ50\n";
  std::ofstream(dir.file("points.csv")) << "name,lon,lat\n甲,116.3,39.9\n乙,200,10\n丙,100.5,30\n";
  std::ofstream(dir.file("old.gpkg")) << "old";
  std::ofstream(dir.file("stdin.txt")) << c.input;
  std::vector<std::string> args;
  for (std::string a : c.args) {
    if (const auto at = a.find("{dir}"); at != std::string::npos)
      a.replace(at, 5, dir.path().string());
    args.push_back(a);
  }
  const auto before = dir.entries();

  StdinFrom input(dir.file("stdin.txt"));
  testing::internal::CaptureStderr();
  const cli::Common common{c.edition, nullptr};
  const int status = std::string_view(c.command) == "grid" ? cli::grid(common, args)
                                                            : cli::annotate(common, args);
  const std::string err = testing::internal::GetCapturedStderr();

  EXPECT_EQ(status, c.status);
  EXPECT_NE(err.find(c.says), std::string::npos) << err;
  std::vector<std::string> written;
  for (const std::string& e : dir.entries())
    if (std::find(before.begin(), before.end(), e) == before.end()) written.push_back(e);
  if (c.status != 0) {
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
    return;
  }
  if (c.features < 0) return;
  std::string out;
  for (const std::string& e : written)
    if (e.starts_with("out.") && !e.ends_with(".prj") && !e.ends_with(".csvt") &&
        !e.ends_with(".dbf") && !e.ends_with(".shx") && !e.ends_with(".cpg"))
      out = e;
  ASSERT_FALSE(out.empty());
  const gistest::Layer layer = gistest::readlayer(dir.file(out));
  const bool dxf = out.ends_with(".dxf");
  EXPECT_EQ(static_cast<int>(layer.features.size()), (dxf ? 2 : 1) * c.features);
}

INSTANTIATE_TEST_SUITE_P(Cli, Commands, testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
