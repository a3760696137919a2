// Sheet numbers added to point layers: a CSV round trip with rows that
// have no usable point, a projected layer with a row without geometry, the
// names of the columns, and refusals.
#include <gtest/gtest.h>
#include <fstream>

#include "core/oldnumber.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gis/annotate.h"
#include "gis/gdalsupport.h"
#include "gisfixture.h"

namespace {

using namespace tufu;
using gistest::TempDir;

// A point and what the output row must hold.
struct Row {
  const char* id;
  const char* lon;
  const char* lat;
  double lonvalue = -1, latvalue = -1;  // the point in degrees; -1: none in range
};

const Row kRows[] = {
    {"天安门", "116.391667", "39.908333", 116.391667, 39.908333},
    {"on edges", "116.5", "39.5", 116.5, 39.5},  // a corner: the sheet to its north-east
    {"dms", "116,23,30", "39,54,30", 116 + 23 / 60.0 + 30 / 3600.0, 39 + 54 / 60.0 + 30 / 3600.0},
    {"west of 0°", "-5", "30"},
    {"east of 180°", "180.5", "30"},
    {"north of 60°", "100", "61"},
    {"not a number", "abc", "39"},
    {"empty", "", ""},
    {"limits", "180", "60", 180, 60},
};

std::string number(const Scale& scale, double lon, double lat, bool isnew) {
  const auto at = [](double d) { return static_cast<Angle>(std::floor(d * kDegree + 1e-6)); };
  const Sheet s = *sheetat(scale, at(lon), at(lat));
  return isnew ? sheetnumber(s) : oldnumber(s);
}

TEST(Annotate, CsvRoundTripKeepsEveryRow) {
  TempDir dir;
  {
    std::ofstream in(dir.file("points.csv"));
    in << "名称,lon,lat,备注\n";
    for (const Row& r : kRows) in << "\"" << r.id << "\",\"" << r.lon << "\",\"" << r.lat << "\",x\n";
  }
  gis::AnnotateOptions options;
  const Scale* s5w = parsescale("5万");
  const Scale* s20w = parsescale("20万");
  const Scale* s5k = parsescale("5000");
  options.scales = {s5w, s20w, s5k};
  const gis::Annotated out = gis::annotate(dir.file("points.csv"), dir.file("out.csv"), options);
  ASSERT_EQ(out.error, "");
  EXPECT_EQ(out.written, static_cast<std::int64_t>(std::size(kRows)));
  EXPECT_EQ(out.blank, 5);

  std::ifstream head(dir.file("out.csv"));
  std::string header;
  std::getline(head, header);
  EXPECT_EQ(header, "名称,lon,lat,备注,new_5w,old_5w,old_20w,new_5k,old_5k");

  const gistest::Layer layer = gistest::readlayer(dir.file("out.csv"));
  ASSERT_EQ(layer.features.size(), std::size(kRows));
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const Row& r = kRows[i];
    const auto& f = layer.features[i].text;
    SCOPED_TRACE(r.id);
    EXPECT_EQ(f.at("名称"), r.id);
    EXPECT_EQ(f.at("lon"), r.lon);
    EXPECT_EQ(f.at("lat"), r.lat);
    EXPECT_EQ(f.at("备注"), "x");
    const bool inside = r.lonvalue >= 0;
    EXPECT_EQ(f.at("new_5w"), inside ? number(*s5w, r.lonvalue, r.latvalue, true) : "");
    EXPECT_EQ(f.at("old_5w"), inside ? number(*s5w, r.lonvalue, r.latvalue, false) : "");
    EXPECT_EQ(f.at("old_20w"), inside ? number(*s20w, r.lonvalue, r.latvalue, false) : "");
    EXPECT_EQ(f.at("new_5k"), inside ? number(*s5k, r.lonvalue, r.latvalue, true) : "");
    EXPECT_EQ(f.at("old_5k"), inside ? number(*s5k, r.lonvalue, r.latvalue, false) : "");
  }
  // The corner point lies in the sheet north-east of it.
  EXPECT_EQ(layer.features[1].text.at("new_5w"), "J50E003011");
}

// Points in Gauss–Krüger coordinates are taken back to longitude and
// latitude; a row without geometry is kept with empty columns.
TEST(Annotate, ProjectedPointsAndMissingGeometry) {
  TempDir dir;
  const std::pair<double, double> points[] = {{117.2, 39.1}, {118.9, 36.3}};
  {
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
        dir.file("in.gpkg").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    auto gk = gis::epsgsrs(4527);
    auto geo = gis::epsgsrs(4490);
    std::unique_ptr<OGRCoordinateTransformation> ct(
        OGRCreateCoordinateTransformation(&*geo, &*gk));
    OGRLayer* layer = ds->CreateLayer("pts", &*gk, wkbPoint, nullptr);
    OGRFieldDefn name("名称", OFTString);
    layer->CreateField(&name);
    for (const auto& [lon, lat] : points) {
      double x = lon, y = lat;
      ASSERT_TRUE(ct->Transform(1, &x, &y));
      OGRFeature f(layer->GetLayerDefn());
      f.SetField(0, "点");
      OGRPoint p(x, y);
      f.SetGeometry(&p);
      ASSERT_EQ(layer->CreateFeature(&f), OGRERR_NONE);
    }
    OGRFeature empty(layer->GetLayerDefn());
    empty.SetField(0, "无点");
    ASSERT_EQ(layer->CreateFeature(&empty), OGRERR_NONE);
  }
  gis::AnnotateOptions options;
  options.scales = {parsescale("1万")};
  const gis::Annotated out = gis::annotate(dir.file("in.gpkg"), dir.file("out.gpkg"), options);
  ASSERT_EQ(out.error, "");
  EXPECT_EQ(out.blank, 1);
  const gistest::Layer layer = gistest::readlayer(dir.file("out.gpkg"));
  EXPECT_EQ(layer.epsg, 4527);
  ASSERT_EQ(layer.features.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(layer.features[i].text.at("new_1w"),
              number(*options.scales[0], points[i].first, points[i].second, true));
    EXPECT_EQ(layer.features[i].text.at("名称"), "点");
  }
  EXPECT_EQ(layer.features[2].text.at("名称"), "无点");
  EXPECT_EQ(layer.features[2].text.at("new_1w"), "");
}

struct Refusal {
  const char* name;
  const char* input;  // written to in.csv
  const char* output;
  const char* lonfield;
  const char* says;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

const Refusal kRefusals[] = {
    {"no_point_columns", "a,b\n1,2\n", "out.csv", "", "--lon"},
    {"missing_field", "lon,lat\n1,2\n", "out.csv", "经度", "经度"},
    {"output_exists", "lon,lat\n1,2\n", "in.csv", "", "已存在"},
    {"dxf_keeps_no_fields", "lon,lat\n1,2\n", "out.dxf", "", "DXF"},
    {"unknown_format", "lon,lat\n1,2\n", "out.xyz", "", "格式"},
};

class AnnotateRefused : public testing::TestWithParam<Refusal> {};

TEST_P(AnnotateRefused, SaysWhyAndWritesNothing) {
  const Refusal& r = GetParam();
  TempDir dir;
  std::ofstream(dir.file("in.csv")) << r.input;
  const auto before = dir.entries();
  gis::AnnotateOptions options;
  options.scales = {parsescale("5万")};
  options.lonfield = r.lonfield;
  options.latfield = *r.lonfield != '\0' ? "lat" : "";
  const gis::Annotated out = gis::annotate(dir.file("in.csv"), dir.file(r.output), options);
  EXPECT_NE(out.error.find(r.says), std::string::npos) << out.error;
  EXPECT_EQ(dir.entries(), before);
}

INSTANTIATE_TEST_SUITE_P(Inputs, AnnotateRefused, testing::ValuesIn(kRefusals),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Annotate, MissingInput) {
  TempDir dir;
  gis::AnnotateOptions options;
  options.scales = {parsescale("5万")};
  const gis::Annotated out = gis::annotate(dir.file("none.csv"), dir.file("out.csv"), options);
  EXPECT_NE(out.error.find("不存在"), std::string::npos) << out.error;
  EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
