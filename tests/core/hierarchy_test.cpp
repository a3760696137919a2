#include <gtest/gtest.h>

#include "core/hierarchy.h"

using namespace tufu;

namespace {

struct HlCase {
  const char *sa, *sb;
  int sc;
  const char *relation, *tl, *bl, *tr, *br;
};

class Hierarchies : public testing::TestWithParam<HlCase> {};

TEST_P(Hierarchies, CornersOfTheContainedBlock) {
  const HlCase& c = GetParam();
  auto h = hl(c.sa, c.sb, c.sc);
  ASSERT_TRUE(h) << c.sa;
  EXPECT_EQ(h->relation, c.relation);
  EXPECT_EQ(h->topleft, c.tl);
  EXPECT_EQ(h->bottomleft, c.bl);
  EXPECT_EQ(h->topright, c.tr);
  EXPECT_EQ(h->bottomright, c.br);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, Hierarchies,
    testing::Values(
        HlCase{"J50", "1:100万", 2, "2*2", "J50B001001", "J50B002001", "J50B001002", "J50B002002"},
        HlCase{"J50D005003", "1:10万", 96, "8*8", "J50G033017", "J50G040017", "J50G033024",
               "J50G040024"},
        HlCase{"J50B002001", "1:50万", 6, "3*3", "J50I004001", "J50I006001", "J50I004003",
               "J50I006003"},
        HlCase{"J50D005003", "1:10万", 12, "1*1", "J50D005003", "J50D005003", "J50D005003",
               "J50D005003"},
        HlCase{"J50I004002", "1:20万", 96, "16*16", "J50G049017", "J50G064017", "J50G049032",
               "J50G064032"},
        HlCase{"J50", "1:100万", 192, "192*192", "J50H001001", "J50H192001", "J50H001192",
               "J50H192192"},
        HlCase{"J50C004004", "1:25万", 12, "3*3", "J50D010010", "J50D012010", "J50D010012",
               "J50D012012"}));

TEST(Hierarchies, NothingForATargetThatDoesNotNest) {
  EXPECT_FALSE(hl("J50D005003", "1:10万", 4));   // a smaller scale
  EXPECT_FALSE(hl("J50C001001", "1:25万", 6));   // 1:20万 inside 1:25万: 1.5 a side
  EXPECT_FALSE(hl("J50I001001", "1:20万", 4));   // 1:25万 inside 1:20万
  EXPECT_FALSE(hl("J50", "1:100万", 1));         // no 1:100万 target
  EXPECT_FALSE(hl("J50", "1:100万", 3));         // no such scale
  EXPECT_FALSE(hl("J50", "1:3万", 2));           // no such label
  EXPECT_FALSE(hl("J50D005003", "1:5万", 96));   // label and number disagree
  EXPECT_FALSE(hl("garbage", "1:10万", 96));
}

}  // namespace
