#include <gtest/gtest.h>

#include "core/sheet.h"

using namespace tufu;

namespace {

struct ExtentCase {
  const char *number, *west, *east, *south, *north, *westdms, *southdms;
};

class Extents : public testing::TestWithParam<ExtentCase> {};

TEST_P(Extents, TextsAndAngleTexts) {
  const ExtentCase& c = GetParam();
  auto e = maprange(c.number);
  ASSERT_TRUE(e) << c.number;
  EXPECT_EQ(e->rangewest, c.west);
  EXPECT_EQ(e->rangeeast, c.east);
  EXPECT_EQ(e->rangesouth, c.south);
  EXPECT_EQ(e->rangenorth, c.north);
  EXPECT_EQ(e->rangewestdms, c.westdms);
  EXPECT_EQ(e->rangesouthdms, c.southdms);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Extents,
    testing::Values(
        ExtentCase{"J50", "114°", "120°", "36°", "40°", "114,0,0", "36,0,0"},
        ExtentCase{"J50B001001", "114°", "117°", "38°", "40°", "114,0,0", "38,0,0"},
        ExtentCase{"J50C001002", "115°30′", "117°0′", "39°0′", "40°0′", "115,30,0", "39,0,0"},
        ExtentCase{"J50I001003", "116°0′", "117°0′", "39°20′", "40°0′", "116,0,0", "39,20,0"},
        ExtentCase{"J50D001005", "116°0′", "116°30′", "39°40′", "40°0′", "116,0,0", "39,40,0"},
        ExtentCase{"J50E001010", "116°15′", "116°30′", "39°50′", "40°0′", "116,15,0", "39,50,0"},
        ExtentCase{"J50F002020", "116°22′30″", "116°30′0″", "39°50′0″", "39°55′0″", "116,22,30",
                   "39,50,0"},
        ExtentCase{"J50G003039", "116°22′30″", "116°26′15″", "39°52′30″", "39°55′0″", "116,22,30",
                   "39,52,30"},
        ExtentCase{"J50H005077", "116°22′30″", "116°24′22.5″", "39°53′45″", "39°55′0″",
                   "116,22,30", "39,53,45"},
        ExtentCase{"j50c001002", "115°30′", "117°0′", "39°0′", "40°0′", "115,30,0", "39,0,0"},
        ExtentCase{"J50H001002", "114°1′52.5″", "114°3′45″", "39°58′45″", "40°0′0″",
                   "114,1,52.5", "39,58,45"},
        ExtentCase{"J50H001001", "114°0′0″", "114°1′52.5″", "39°58′45″", "40°0′0″", "114,0,0",
                   "39,58,45"},
        ExtentCase{"J50H192192", "119°58′7.5″", "120°0′0″", "36°0′0″", "36°1′15″",
                   "119,58,7.5", "36,0,0"},
        ExtentCase{"J50C004004", "118°30′", "120°0′", "36°0′", "37°0′", "118,30,0", "36,0,0"},
        ExtentCase{"J50A001001", "114°", "120°", "36°", "40°", "114,0,0", "36,0,0"},
        ExtentCase{"P61", "180°", "186°", "60°", "64°", "180,0,0", "60,0,0"}));

TEST(Extents, NothingForTextsThatNameNoSheet) {
  for (const char* bad : {"", "J", "J5", "J500", "J50Z001001", "J50B003001", "J50C000001",
                          "J50C00100X", "Q50", "J62", "J30", "J-50", "J50C0010021"})
    EXPECT_FALSE(maprange(bad)) << bad;
}

}  // namespace
