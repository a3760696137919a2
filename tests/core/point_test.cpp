#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/scale.h"
#include "core/sheet.h"

using namespace tufu;

namespace {

constexpr Angle dms(int d, int m, double s) {
  return d * kDegree + m * kMinute + static_cast<Angle>(s * kSecond);
}

struct PointCase {
  const char* what;
  Angle lon, lat;
  const char* numbers[9];  // blc 1..9
};

class PointToNumber : public testing::TestWithParam<PointCase> {};

TEST_P(PointToNumber, EveryScale) {
  const PointCase& c = GetParam();
  for (int blc = 1; blc <= 9; ++blc)
    EXPECT_EQ(newmapna(blc, c.lon, c.lat), std::string(c.numbers[blc - 1])) << c.what << " blc " << blc;
}

INSTANTIATE_TEST_SUITE_P(
    Points, PointToNumber,
    testing::Values(
        PointCase{"Beijing", dms(116, 23, 30), dms(39, 54, 30),
                  {"J50", "J50B001001", "J50C001002", "J50I001003", "J50D001005", "J50E001010",
                   "J50F002020", "J50G003039", "J50H005077"}},
        // A corner of every grid: north and east of the lines.
        PointCase{"on the lines", dms(114, 0, 0), dms(40, 0, 0),
                  {"K50", "K50B002001", "K50C004001", "K50I006001", "K50D012001", "K50E024001",
                   "K50F048001", "K50G096001", "K50H192001"}},
        PointCase{"a second before", dms(113, 59, 59), dms(39, 59, 59),
                  {"J49", "J49B001002", "J49C001004", "J49I001006", "J49D001012", "J49E001024",
                   "J49F001048", "J49G001096", "J49H001192"}},
        PointCase{"a tenth before", dms(113, 59, 59.9), dms(39, 59, 59.9),
                  {"J49", "J49B001002", "J49C001004", "J49I001006", "J49D001012", "J49E001024",
                   "J49F001048", "J49G001096", "J49H001192"}},
        PointCase{"origin", 0, 0,
                  {"A31", "A31B002001", "A31C004001", "A31I006001", "A31D012001", "A31E024001",
                   "A31F048001", "A31G096001", "A31H192001"}},
        // On the outer limits, where no sheet lies beyond, a point belongs
        // to the sheet west or south of it.
        PointCase{"largest point", dms(180, 0, 0), dms(60, 0, 0),
                  {"O60", "O60B001002", "O60C001004", "O60I001006", "O60D001012", "O60E001024",
                   "O60F001048", "O60G001096", "O60H001192"}},
        PointCase{"on 180 degrees east", dms(180, 0, 0), dms(30, 0, 0),
                  {"H60", "H60B001002", "H60C002004", "H60I003006", "H60D006012", "H60E012024",
                   "H60F024048", "H60G048096", "H60H096192"}},
        PointCase{"on 60 degrees north", dms(116, 0, 0), dms(60, 0, 0),
                  {"O50", "O50B001001", "O50C001002", "O50I001003", "O50D001005", "O50E001009",
                   "O50F001017", "O50G001033", "O50H001065"}}));

TEST(PointToNumber, HalfSecondEdgesOfTheLargestScale) {
  // 1′52.5″ east of 114°: the second 1:5000 column starts there.
  EXPECT_EQ(newmapna(9, 0, 0, 114 * 3600 + 112.5, 0, 0, 40 * 3600), "K50H192002");
  EXPECT_EQ(newmapna(9, 0, 0, 114 * 3600 + 112.4, 0, 0, 40 * 3600), "K50H192001");
  // Every 1:5000 meridian of one zone, and the tenth west of it.
  for (int k = 1; k < 192; ++k) {
    const Angle edge = 114 * kDegree + bycode('H')->lonsize * k;
    char want[24], before[24];
    std::snprintf(want, sizeof want, "K50H192%03d", k + 1);
    std::snprintf(before, sizeof before, "K50H192%03d", k);
    EXPECT_EQ(newmapna(9, edge, 40 * kDegree), std::string(want));
    EXPECT_EQ(newmapna(9, edge - 1, 40 * kDegree), std::string(before));
  }
}

TEST(PointToNumber, PartsAreSummedNotNormalised) {
  EXPECT_EQ(newmapna(5, 116, 90, 0, 39, 0, 0), "J50D003008");
  EXPECT_EQ(newmapna(5, 117, 30, 0, 39, 0, 0), "J50D003008");
  EXPECT_EQ(newmapna(1, 0, 0, 116 * 3600, 0, 0, 39 * 3600), "J50");
}

TEST(PointToNumber, NothingOutsideTheDefinedRange) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    double jd, wd;
  } bad[] = {{-1, 10}, {10, -1}, {180.0001, 10}, {10, 60.0001}, {inf, 10}, {10, -inf},
             {nan, 10}, {10, nan}, {1e300, 10}, {-0.00001, 0}};
  for (const auto& b : bad) EXPECT_FALSE(newmapna(5, b.jd, 0, 0, b.wd, 0, 0)) << b.jd << " " << b.wd;
  EXPECT_FALSE(newmapna(0, 116, 0, 0, 39, 0, 0));
  EXPECT_FALSE(newmapna(10, 116, 0, 0, 39, 0, 0));
  EXPECT_FALSE(newmapna(5, Angle{-1}, Angle{0}));
  EXPECT_FALSE(newmapna(5, kLonLimit + 1, Angle{0}));
  EXPECT_TRUE(newmapna(5, 180, 0, 0, 60, 0, 0));
}

}  // namespace
