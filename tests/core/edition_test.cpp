// The 2012 edition: its three large scales, the clash of code 'I', and
// round trips over whole sheets at the large scales.
#include <gtest/gtest.h>

#include <string>

#include "core/block.h"
#include "core/describe.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/scale.h"
#include "core/sheet.h"

using namespace tufu;

namespace {

constexpr Edition k1992 = Edition::k1992;
constexpr Edition k2012 = Edition::k2012;

Angle dms(int d, int m, double s) {
  return d * kDegree + m * kMinute + static_cast<Angle>(s * kSecond);
}

TEST(Editions, TheLargeScalesOf2012) {
  struct {
    const char* label;
    char code;
    int rows, digits;
    const char *jcha, *wcha;
  } want[] = {{"1:2000", 'I', 576, 3, "37.5″", "25″"},
              {"1:1000", 'J', 1152, 4, "18.75″", "12.5″"},
              {"1:500", 'K', 2304, 4, "9.375″", "6.25″"}};
  ASSERT_EQ(scales(k1992).size(), 9u);
  ASSERT_EQ(scales(k2012).size(), 12u);
  for (int i = 0; i < 3; ++i) {
    const Scale& s = scales(k2012)[static_cast<std::size_t>(9 + i)];
    SCOPED_TRACE(s.label);
    EXPECT_EQ(s.label, want[i].label);
    EXPECT_EQ(bycode(want[i].code, k2012), &s);
    EXPECT_EQ(s.rows, want[i].rows);
    EXPECT_EQ(s.digits, want[i].digits);
    EXPECT_EQ(s.jchatext, want[i].jcha);
    EXPECT_EQ(s.wchatext, want[i].wcha);
    EXPECT_FALSE(s.hasold);
    EXPECT_FALSE(s.named);
    EXPECT_EQ(parsescale(s.label, k2012), &s);
    EXPECT_EQ(parsescale(s.label, k1992), nullptr);
  }
  EXPECT_EQ(bycode('I', k1992)->label, "1:20万");
  EXPECT_EQ(bycode('J', k1992), nullptr);
  EXPECT_EQ(parsescale("2千", k2012)->label, "1:2000");
  EXPECT_EQ(parsescale("1千", k2012)->label, "1:1000");
  EXPECT_EQ(parsescale("500", k2012)->label, "1:500");
}

// 116°23′30″ E, 39°54′30″ N inside J50: 2°23′30″ = 8610″ east of its west
// edge and 0°5′30″ = 330″ below its north edge.  1:2000 column
// ⌊8610 / 37.5⌋ + 1 = 230, row ⌊330 / 25⌋ + 1 = 14; 1:1000 column
// ⌊8610 / 18.75⌋ + 1 = 460, row ⌊330 / 12.5⌋ + 1 = 27; 1:500 column
// ⌊8610 / 9.375⌋ + 1 = 919, row ⌊330 / 6.25⌋ + 1 = 53.
TEST(Editions, WorkedLargeScaleSheets) {
  struct Case {
    const char *label, *number, *west, *east, *south, *north;
  } cases[] = {
      {"1:2000", "J50I014230", "116°23′7.5″", "116°23′45″", "39°54′10″", "39°54′35″"},
      {"1:1000", "J50J00270460", "116°23′26.25″", "116°23′45″", "39°54′22.5″", "39°54′35″"},
      {"1:500", "J50K00530919", "116°23′26.25″", "116°23′35.625″", "39°54′28.75″", "39°54′35″"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const auto s = sheetat(*bylabel(c.label), dms(116, 23, 30), dms(39, 54, 30));
    ASSERT_TRUE(s);
    const SheetInfo d = describe(*s, nullptr);
    EXPECT_EQ(d.newno.view(), c.number);
    EXPECT_EQ(d.oldno.view(), "");
    EXPECT_EQ(d.west.view(), c.west);
    EXPECT_EQ(d.east.view(), c.east);
    EXPECT_EQ(d.south.view(), c.south);
    EXPECT_EQ(d.north.view(), c.north);
  }
  // A west edge with half a second: the 194th 1:2000 column of J50.
  EXPECT_EQ(describe(*recognize("J50I001194", k2012).sheet, nullptr).west.view(), "116°0′37.5″");
}

TEST(Editions, CodeIIs1To200000In1992And1To2000In2012) {
  const auto old = recognize("J50I006006", k1992);
  const auto now = recognize("J50I006006", k2012);
  ASSERT_TRUE(old.sheet && now.sheet);
  EXPECT_EQ(old.sheet->scale->label, "1:20万");
  EXPECT_EQ(oldnumber(*old.sheet), "J-50-XXXVI");
  EXPECT_EQ(boundsof(*old.sheet), (Bounds{119 * kDegree, 36 * kDegree, 120 * kDegree, dms(36, 40, 0)}));
  EXPECT_EQ(now.sheet->scale->label, "1:2000");
  EXPECT_EQ(oldnumber(*now.sheet), "");
  EXPECT_EQ(boundsof(*now.sheet),
            (Bounds{dms(114, 3, 7.5), dms(39, 57, 30), dms(114, 3, 45), dms(39, 57, 55)}));
  // A 1:20万 sheet is still reached through its old number.
  EXPECT_EQ(recognize("J-50-XXXVI", k2012).sheet, old.sheet);
  EXPECT_FALSE(recognize("J50I007001", k1992).sheet);
  EXPECT_TRUE(recognize("J50I576576", k2012).sheet);
}

TEST(Editions, RefusalsOfTheNewForms) {
  struct {
    const char* text;
    Edition edition;
    const char* why;
  } cases[] = {
      {"J50J00010001", k1992, "新图幅编号应为3位(如J50)或10位(如J50C001002)"},
      {"J50J0001000", k2012, "新图幅编号应为3位(如J50)、10位(如J50C001002)或12位(如J50J00010001)"},
      {"J50C00010001", k2012, "第4位比例尺代码应为J或K的字母"},
      {"J50J001001", k2012, "第4位比例尺代码应为B至I的字母"},
      {"J50J0001000A", k2012, "第5至12位行列号应为数字"},
      {"J50I577001", k2012, "第5至7位图幅行号应在1至576之间"},
      {"J50J11530001", k2012, "第5至8位图幅行号应在1至1152之间"},
      {"J50K00012305", k2012, "第9至12位图幅列号应在1至2304之间"},
      {"J50K00000001", k2012, "第5至8位图幅行号应在1至2304之间"},
      {"P50K00010001", k2012, "第1位行号应为A至O的字母"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(whyrefused(c.text, c.edition), c.why);
    EXPECT_FALSE(teststr(c.text, c.edition));
  }
}

TEST(Editions, ContainingSheetsOfALargeScaleSheetRunUpTo1To1000000) {
  const Sheet s = *recognize("j50k00530919", k2012).sheet;
  std::string got;
  for (const Sheet& c : containing(s)) got += " " + sheetnumber(c) + "/" + oldnumber(c);
  EXPECT_EQ(got,
            " J50J00270460/ J50I014230/ J50H005077/J-50-5-(23)-A J50G003039/J-50-5-(23)"
            " J50F002020/J-50-5-B-4 J50E001010/J-50-5-B J50D001005/J-50-5 J50C001002/J-50-[2]"
            " J50B001001/J-50-A J50/J-50 J50I001003/J-50-III");
}

TEST(Editions, ContainedBlocksOfTheLargeScales) {
  const Sheet fivethousand = *recognize("J50H005077", k2012).sheet;
  const auto b = contained(fivethousand, *bylabel("1:2000"));
  ASSERT_TRUE(b);
  EXPECT_EQ(b->counttext(), "3*3");
  EXPECT_EQ(sheetnumber(b->topleft()), "J50I013229");
  EXPECT_EQ(sheetnumber(b->bottomright()), "J50I015231");
  const auto whole = contained(*recognize("J50", k2012).sheet, *bylabel("1:500"));
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->counttext(), "2304*2304");
  EXPECT_EQ(sheetnumber(whole->bottomright()), "J50K23042304");
  EXPECT_FALSE(contained(*recognize("J50I001001", k2012).sheet, *bylabel("1:5000")));
}

// Every 1:2000, 1:1000 and 1:500 sheet of a 1:5000 sheet in each corner of
// the grid: the number reads back, the extent holds the points that give
// the sheet, and its edges belong to the sheets north and east of them.
class LargeScaleSheets : public testing::TestWithParam<const char*> {};

TEST_P(LargeScaleSheets, EverySheetOfA1To5000Sheet) {
  const Sheet parent = *recognize(GetParam(), k2012).sheet;
  for (const char* label : {"1:2000", "1:1000", "1:500"}) {
    const auto block = contained(parent, *bylabel(label));
    ASSERT_TRUE(block) << label;
    for (int r = 0; r < block->blockrows; ++r)
      for (int c = 0; c < block->blockcols; ++c) {
        const Sheet s = block->sheet(r, c);
        const std::string no = sheetnumber(s);
        SCOPED_TRACE(no);
        ASSERT_EQ(recognize(no, k2012).sheet, s);
        ASSERT_EQ(containing(s)[static_cast<std::size_t>(s.scale->id - 9)], parent);
        const Bounds b = boundsof(s);
        ASSERT_EQ(sheetat(*s.scale, b.west, b.south), s);
        ASSERT_EQ(sheetat(*s.scale, b.east - 1, b.north - 1), s);
        // The next sheets north and east, but on the outer limits.
        if (b.north == kLatLimit) ASSERT_EQ(sheetat(*s.scale, b.west, b.north), s);
        else ASSERT_EQ(boundsof(*sheetat(*s.scale, b.west, b.north)).south, b.north);
        if (b.east == kLonLimit) ASSERT_EQ(sheetat(*s.scale, b.east, b.south), s);
        else ASSERT_EQ(boundsof(*sheetat(*s.scale, b.east, b.south)).west, b.east);
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Corners, LargeScaleSheets,
                         testing::Values("A31H192001", "A60H192192", "O31H001001", "O60H001192",
                                         "J50H005077"));

}  // namespace
