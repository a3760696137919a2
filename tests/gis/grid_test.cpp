// Sheet grids written in every format and read back through GDAL: the
// features, every field (Chinese names included), the reference system and
// each sheet's outline, projected ones checked against PROJ itself.
#include <gtest/gtest.h>
#include <proj.h>

#include <fstream>

#include "core/block.h"
#include "core/describe.h"
#include "core/scale.h"
#include "gazetteer/gazetteer.h"
#include "gis/grid.h"
#include "gisfixture.h"

namespace {

using namespace tufu;
using gistest::Feature;
using gistest::TempDir;

constexpr Angle kDeg = kDegree;
constexpr double kDegreeTolerance = 1e-9;  // about 0.1 mm
constexpr double kMetreTolerance = 1e-3;

struct GridCase {
  const char* name;
  const char* file;  // its extension gives the format
  const char* crs;   // "" for the default
  Edition edition;
  const char* scale;
  Angle west, east, south, north;  // the block: blockquery of these bounds
  int densify = -1;
  bool merged = false;  // names from a merged list
  int epsg = 4490;      // what the file must record (0: none)
};

void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

// The sheets of J50 at 1:10万 and the like: whole degrees.
constexpr GridCase kCases[] = {
    {"gpkg_names", "grid.gpkg", "", Edition::k1992, "1:100万", 114 * kDeg, 126 * kDeg, 36 * kDeg,
     44 * kDeg},
    {"shapefile_merged_names", "网格.shp", "", Edition::k1992, "1:25万", 114 * kDeg, 120 * kDeg,
     36 * kDeg, 40 * kDeg, -1, true},
    {"geojson_200k_without_new", "grid.geojson", "", Edition::k1992, "1:20万", 114 * kDeg,
     117 * kDeg, 38 * kDeg, 40 * kDeg},
    {"kml", "grid.kml", "", Edition::k1992, "1:5万", 116 * kDeg, 116 * kDeg + 30 * kMinute,
     39 * kDeg + 30 * kMinute, 40 * kDeg, -1, false, 4326},
    {"dxf", "grid.dxf", "", Edition::k1992, "1:10万", 116 * kDeg, 117 * kDeg, 39 * kDeg,
     40 * kDeg, -1, false, 0},
    {"fgb_500_without_old", "grid.fgb", "", Edition::k2012, "1:500", 116 * kDeg,
     116 * kDeg + 3 * 375, 39 * kDeg, 39 * kDeg + 2 * 250},
    {"csv", "grid.csv", "", Edition::k1992, "1:1万", 116 * kDeg, 116 * kDeg + 450 * kSecond,
     39 * kDeg, 39 * kDeg + 300 * kSecond},
    {"gk3_gpkg_zone_of_centre", "gk3.gpkg", "gk3", Edition::k1992, "1:10万", 114 * kDeg,
     120 * kDeg, 36 * kDeg, 40 * kDeg, -1, false, 4527},
    {"gk6_shapefile", "gk6.shp", "gk6", Edition::k1992, "1:100万", 114 * kDeg, 126 * kDeg,
     36 * kDeg, 44 * kDeg, -1, false, 4499},
    {"gk3_zone_given_geojson", "gk.geojson", "gk3:38", Edition::k1992, "1:5万", 116 * kDeg,
     116 * kDeg + 30 * kMinute, 39 * kDeg + 30 * kMinute, 40 * kDeg, -1, false, 4526},
    {"epsg_fgb_densified", "gk.fgb", "EPSG:4527", Edition::k1992, "1:25万", 114 * kDeg,
     120 * kDeg, 36 * kDeg, 40 * kDeg, 3, false, 4527},
    {"gk3_csv", "gk.csv", "gk3", Edition::k1992, "1:1万", 116 * kDeg, 116 * kDeg + 450 * kSecond,
     39 * kDeg, 39 * kDeg + 300 * kSecond, -1, false, 4527},
    {"gk3_dxf", "gk.dxf", "gk3", Edition::k1992, "1:10万", 116 * kDeg, 117 * kDeg, 39 * kDeg,
     40 * kDeg, -1, false, 0},
};

double degrees(Angle a) { return static_cast<double>(a) / static_cast<double>(kDegree); }

// PROJ's own transformation from CGCS2000 longitude and latitude.
class Projection {
 public:
  explicit Projection(int epsg) {
    if (epsg == 4490 || epsg == 4326 || epsg == 0) return;
    ctx_ = proj_context_create();
    PJ* p = proj_create_crs_to_crs(ctx_, "EPSG:4490", ("EPSG:" + std::to_string(epsg)).c_str(),
                                   nullptr);
    pj_ = proj_normalize_for_visualization(ctx_, p);
    proj_destroy(p);
  }
  ~Projection() {
    if (pj_ != nullptr) proj_destroy(pj_);
    if (ctx_ != nullptr) proj_context_destroy(ctx_);
  }
  bool projected() const { return pj_ != nullptr; }
  std::pair<double, double> operator()(double lon, double lat) const {
    if (pj_ == nullptr) return {lon, lat};
    const PJ_COORD c = proj_trans(pj_, PJ_FWD, proj_coord(lon, lat, 0, 0));
    return {c.xy.x, c.xy.y};
  }

 private:
  PJ_CONTEXT* ctx_ = nullptr;
  PJ* pj_ = nullptr;
};

// The points of a sheet's outline, counter-clockwise from the south-west
// corner, `d` on each edge between the corners (without the closing point).
std::vector<std::pair<double, double>> outline(const Bounds& b, gis::Densify d) {
  std::vector<std::pair<double, double>> pts;
  const auto edge = [&](Angle x0, Angle y0, Angle x1, Angle y1, int between) {
    for (int i = 0; i <= between; ++i) {
      const double t = static_cast<double>(i) / (between + 1);
      pts.emplace_back(degrees(x0) + (degrees(x1) - degrees(x0)) * t,
                       degrees(y0) + (degrees(y1) - degrees(y0)) * t);
    }
  };
  edge(b.west, b.south, b.east, b.south, d.lon);
  edge(b.east, b.south, b.east, b.north, d.lat);
  edge(b.east, b.north, b.west, b.north, d.lon);
  edge(b.west, b.north, b.west, b.south, d.lat);
  return pts;
}

// Every expected point has a vertex within `tolerance`, and there are as
// many vertices as expected points (plus the closing one).
bool sameoutline(const std::vector<std::pair<double, double>>& got,
                 const std::vector<std::pair<double, double>>& want, double tolerance) {
  if (got.size() != want.size() + 1) return false;
  for (const auto& [x, y] : want) {
    bool found = false;
    for (const auto& [gx, gy] : got)
      found = found || (std::abs(gx - x) <= tolerance && std::abs(gy - y) <= tolerance);
    if (!found) return false;
  }
  return true;
}

// How the file's fields are called: KML keeps the number as the placemark's
// name and the place name as its description.
std::string fieldname(const GridCase& c, const std::string& field) {
  if (std::string_view(c.file).ends_with(".kml")) {
    if (field == "new_no") return "Name";
    if (field == "name") return "description";
  }
  return field;
}

class GridFormats : public testing::TestWithParam<GridCase> {};

TEST_P(GridFormats, ReadBackEqualsTheSheets) {
  const GridCase& c = GetParam();
  TempDir dir;
  Gazetteer names;
  if (c.merged) {
    // A name with a character outside the basic plane as well.
    std::ofstream(dir.file("names.tsv")) << "J50C001001\t测试𠀋甲\nJ50C004004\t乙名\n";
    ASSERT_EQ(names.merge(dir.file("names.tsv")), "");
  }
  const Scale* scale = parsescale(c.scale, c.edition);
  ASSERT_NE(scale, nullptr);
  const auto block = blockquery(*scale, c.west, c.east, c.south, c.north);
  ASSERT_TRUE(block);
  gis::GridOptions options;
  options.names = &names;
  options.densify = c.densify;
  if (*c.crs != '\0') options.crs = *gis::parsecrs(c.crs);
  const std::string path = dir.file(c.file);
  const gis::Outcome out = gis::writegrid(path, gis::SheetSet(*block), options);
  ASSERT_EQ(out.error, "");

  const gistest::Layer layer = gistest::readlayer(path);
  ASSERT_TRUE(layer.opened);
  EXPECT_EQ(layer.epsg, c.epsg);
  const Projection project(out.epsg);
  const double tolerance = project.projected() ? kMetreTolerance : kDegreeTolerance;
  const gis::Densify densify = c.densify >= 0 ? gis::Densify{c.densify, c.densify}
                                              : gis::defaultdensify(*scale, project.projected());
  const bool dxf = std::string_view(c.file).ends_with(".dxf");
  ASSERT_EQ(static_cast<std::int64_t>(layer.features.size()),
            (dxf ? 2 : 1) * block->sheetcount());

  std::map<std::string, const Feature*> byno;  // by new number, or old where none
  std::vector<const Feature*> outlines;
  for (const Feature& f : layer.features) {
    if (dxf) {
      if (f.text.at("Layer") == "SHEET") outlines.push_back(&f);
      else byno[f.text.at("Text").substr(0, f.text.at("Text").find('\n'))] = &f;
      continue;
    }
    const std::string key = f.text.at(fieldname(c, "new_no"));
    byno[key.empty() ? f.text.at("old_no") : key] = &f;
  }

  int named = 0;
  for (int row = 0; row < block->blockrows; ++row) {
    for (int col = 0; col < block->blockcols; ++col) {
      const SheetInfo d = brief(block->sheet(row, col), &names);
      const std::string key = d.newno.empty() ? d.oldno.str() : d.newno.str();
      SCOPED_TRACE(key);
      ASSERT_EQ(byno.count(key), 1u);
      const Feature& f = *byno.at(key);
      std::vector<std::pair<double, double>> want;
      for (const auto& [lon, lat] : outline(d.bounds, densify)) want.push_back(project(lon, lat));
      named += d.name.empty() ? 0 : 1;
      if (dxf) {
        std::string label;
        for (std::string_view line : {d.newno.view(), d.oldno.view(), d.name})
          if (!line.empty()) label += (label.empty() ? "" : "\n") + std::string(line);
        EXPECT_EQ(f.text.at("Text"), label);
        const auto centre = project(degrees((d.bounds.west + d.bounds.east) / 2),
                                    degrees((d.bounds.south + d.bounds.north) / 2));
        ASSERT_EQ(f.points.size(), 1u);
        EXPECT_NEAR(f.points[0].first, centre.first, tolerance);
        EXPECT_NEAR(f.points[0].second, centre.second, tolerance);
        int matching = 0;
        for (const Feature* o : outlines) matching += sameoutline(o->points, want, tolerance);
        EXPECT_EQ(matching, 1);
        continue;
      }
      EXPECT_EQ(f.text.at(fieldname(c, "new_no")), d.newno.view());
      EXPECT_EQ(f.text.at("old_no"), d.oldno.view());
      EXPECT_EQ(f.text.at("scale"), scale->label);
      EXPECT_EQ(f.number.at("denom"), scale->denominator);
      EXPECT_EQ(f.text.at(fieldname(c, "name")), d.name);
      EXPECT_NEAR(f.number.at("west"), degrees(d.bounds.west), kDegreeTolerance);
      EXPECT_NEAR(f.number.at("south"), degrees(d.bounds.south), kDegreeTolerance);
      EXPECT_NEAR(f.number.at("east"), degrees(d.bounds.east), kDegreeTolerance);
      EXPECT_NEAR(f.number.at("north"), degrees(d.bounds.north), kDegreeTolerance);
      if (!project.projected()) {
        EXPECT_NEAR(f.envelope.MinX, degrees(d.bounds.west), tolerance);
        EXPECT_NEAR(f.envelope.MinY, degrees(d.bounds.south), tolerance);
        EXPECT_NEAR(f.envelope.MaxX, degrees(d.bounds.east), tolerance);
        EXPECT_NEAR(f.envelope.MaxY, degrees(d.bounds.north), tolerance);
      }
      EXPECT_TRUE(sameoutline(f.points, want, tolerance));
    }
  }
  // The cases with names do show some.
  if (c.merged || scale->denominator == 1000000) {
    EXPECT_GT(named, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, GridFormats, testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

// The merged names reach the file, the built-in ones stay where no row
// replaces them.
TEST(GridNames, MergedNamesReachTheShapefile) {
  TempDir dir;
  std::ofstream(dir.file("names.tsv")) << "J50\t自定北京\n";
  Gazetteer names;
  ASSERT_EQ(names.merge(dir.file("names.tsv")), "");
  gis::GridOptions options;
  options.names = &names;
  const auto block = blockquery(*parsescale("1:100万"), 114 * kDeg, 126 * kDeg, 36 * kDeg, 44 * kDeg);
  ASSERT_EQ(gis::writegrid(dir.file("n.shp"), gis::SheetSet(*block), options).error, "");
  std::map<std::string, std::string> got;
  for (const Feature& f : gistest::readlayer(dir.file("n.shp")).features)
    got[f.text.at("new_no")] = f.text.at("name");
  EXPECT_EQ(got.at("J50"), "自定北京");
  EXPECT_EQ(got.at("K50"), builtingazetteer().name("K50"));
  std::ifstream cpg(dir.file("n.cpg"));
  std::string encoding;
  std::getline(cpg, encoding);
  EXPECT_EQ(encoding, "UTF-8");
}

// The zone of the grid's centre, and the codes of the family.
TEST(GridCrs, ZonesAndCodes) {
  using K = gis::CrsChoice;
  EXPECT_EQ(gis::gkzone(K::GaussKruger3, 117 * kDeg), 39);
  EXPECT_EQ(gis::gkzone(K::GaussKruger3, 118 * kDeg + 29 * kMinute), 39);
  EXPECT_EQ(gis::gkzone(K::GaussKruger3, 118 * kDeg + 30 * kMinute), 40);
  EXPECT_EQ(gis::gkzone(K::GaussKruger6, 117 * kDeg), 20);
  EXPECT_EQ(gis::gkzone(K::GaussKruger6, 120 * kDeg), 21);
  EXPECT_EQ(gis::gkepsg(K::GaussKruger3, 25), 4513);
  EXPECT_EQ(gis::gkepsg(K::GaussKruger3, 45), 4533);
  EXPECT_EQ(gis::gkepsg(K::GaussKruger6, 13), 4491);
  EXPECT_EQ(gis::gkepsg(K::GaussKruger6, 23), 4501);
  EXPECT_FALSE(gis::gkepsg(K::GaussKruger3, 24));
  EXPECT_FALSE(gis::gkepsg(K::GaussKruger6, 24));
  EXPECT_FALSE(gis::parsecrs("gk4"));
  EXPECT_FALSE(gis::parsecrs("gk3:"));
  EXPECT_FALSE(gis::parsecrs("EPSG:"));
  EXPECT_EQ(gis::parsecrs("EPSG:4527")->epsg, 4527);
  EXPECT_EQ(gis::parsecrs("gk6:20")->zone, 20);
  EXPECT_EQ(gis::parsecrs("4490")->kind, K::Geographic);
}

}  // namespace
