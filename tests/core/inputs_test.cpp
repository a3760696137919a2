// The refusals that every face takes from core: the bounds of a block, the
// nesting of a target scale, the scales a sheet contains, the table limit.
#include <gtest/gtest.h>

#include "core/block.h"
#include "core/inputs.h"
#include "core/recognize.h"
#include "core/table.h"

using namespace tufu;

namespace {

struct BoundsCase {
  const char *w, *e, *s, *n;
  const char* typed;   // refusal of readbounds ("" = accepted)
  const char* fields;  // refusal of readboundfields
};

const BoundsCase kBounds[] = {
    {"114,30", "118", "39", "41,30", "", ""},
    {"118", "114,30", "39", "41,30", "东界应大于西界", "东界应大于西界"},
    {"114", "118", "41", "41", "北界应大于南界", "北界应大于南界"},
    {"181", "182", "39", "40", "经度应为0至180度的度,分,秒或十进制度", "西界经度不能大于180°"},
    {"114", "118", "39", "60,0,1", "纬度应为0至60度的度,分,秒或十进制度", "北界纬度不能大于60°"},
    // Decimal degrees are typed on the command line, not into the fields.
    {"114.5", "118", "39", "40", "", "西界经度只能输入数字和逗号 (度,分,秒), 不能有“.”"},
    // A bad latitude is named after a bad longitude, whatever the field.
    {"114", "x", "-1", "40", "经度应为0至180度的度,分,秒或十进制度",
     "东界经度只能输入数字和逗号 (度,分,秒), 不能有“x”"},
};

}  // namespace

TEST(Inputs, BoundsAndTheirRefusals) {
  for (const BoundsCase& c : kBounds) {
    const BoundsInput typed = readbounds(c.w, c.e, c.s, c.n);
    EXPECT_EQ(typed.error, c.typed) << c.w << " " << c.e << " " << c.s << " " << c.n;
    EXPECT_EQ(typed.bounds.has_value(), typed.error.empty());
    const BoundsInput fields = readboundfields(c.w, c.e, c.s, c.n);
    EXPECT_EQ(fields.error, c.fields) << c.w << " " << c.e << " " << c.s << " " << c.n;
    EXPECT_EQ(fields.bounds.has_value(), fields.error.empty());
  }
}

TEST(Inputs, BlockOfTypedBounds) {
  const BlockAnswer b = readblock(*bylabel("1:100万"), "114,30", "118", "39", "41,30");
  ASSERT_TRUE(b.block) << b.error;
  EXPECT_EQ(b.block->counttext(), "2*1");
  EXPECT_EQ(readblock(*bylabel("1:100万"), "118", "114", "39", "40").error, "东界应大于西界");
  EXPECT_EQ(readpoint("116,23,30", "61").error, "纬度应为0至60度的度,分,秒或十进制度");
  EXPECT_EQ(readpointfields("116.5", "39").error, "经度只能输入数字和逗号 (度,分,秒), 不能有“.”");
}

TEST(Inputs, NestingAndContainedScales) {
  const Sheet s = *recognize("J50C001001").sheet;
  EXPECT_EQ(containedblock(s, *bylabel("1:20万")).error,
            "1:20万的图幅不能整齐地嵌套在1:25万图幅之内");
  EXPECT_TRUE(containedblock(s, *bylabel("1:10万")).block);
  std::string labels;
  for (const Scale* t : containedscales(*s.scale, Edition::k1992)) labels += std::string(t->label) + " ";
  EXPECT_EQ(labels, "1:10万 1:5万 1:2.5万 1:1万 1:5000 ");
  EXPECT_EQ(containedscales(*bylabel("1:5000"), Edition::k1992).size(), 0u);
  EXPECT_EQ(containedscales(*bylabel("1:5000"), Edition::k2012).size(), 3u);
}

TEST(Table, LimitIsSixtyByFortyEight) {
  const Scale& d = *bylabel("1:10万");
  // 72°..96° E, 20°..40° N at 1:10万: 60 rows, 48 columns, the largest table.
  const auto largest = readblock(d, "72", "96", "20", "40").block;
  ASSERT_TRUE(largest);
  EXPECT_TRUE(fitstable(*largest));
  const auto wider = readblock(d, "72", "96,30", "20", "40").block;
  ASSERT_TRUE(wider);
  EXPECT_FALSE(fitstable(*wider));
  const auto taller = readblock(d, "72", "96", "20", "40,20").block;
  ASSERT_TRUE(taller);
  EXPECT_FALSE(fitstable(*taller));
}
