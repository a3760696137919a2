#include <gtest/gtest.h>

#include "core/block.h"

using namespace tufu;

namespace {

Angle deg(int d, int m = 0, int s = 0) { return d * kDegree + m * kMinute + s * kSecond; }

struct BlockCase {
  const char* what;
  char code;
  Angle w, e, s, n;
  const char *bl, *tl, *tr, *br, *count;
};

class Blocks : public testing::TestWithParam<BlockCase> {};

TEST_P(Blocks, CornersAndCount) {
  const BlockCase& c = GetParam();
  auto b = blockquery(*bycode(c.code), c.w, c.e, c.s, c.n);
  ASSERT_TRUE(b) << c.what;
  EXPECT_EQ(sheetnumber(b->bottomleft()), c.bl) << c.what;
  EXPECT_EQ(sheetnumber(b->topleft()), c.tl) << c.what;
  EXPECT_EQ(sheetnumber(b->topright()), c.tr) << c.what;
  EXPECT_EQ(sheetnumber(b->bottomright()), c.br) << c.what;
  EXPECT_EQ(b->counttext(), c.count) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Regions, Blocks,
    testing::Values(
        BlockCase{"北京", 'A', deg(114, 30), deg(118), deg(39), deg(41, 30), "J50", "K50", "K50",
                  "J50", "2*1"},
        // North on 36°: the block ends in the row below.
        BlockCase{"江苏", 'A', deg(116), deg(123), deg(30), deg(36), "H50", "I50", "I51", "H51",
                  "2*2"},
        // East on 120°, a whole number of 112.5″ sheets.
        BlockCase{"5千", 'H', deg(119, 59), deg(120), deg(30), deg(30, 1), "H50H096192",
                  "H50H096192", "H50H096192", "H50H096192", "1*1"},
        BlockCase{"whole sheet", 'D', deg(116), deg(116, 30), deg(39, 40), deg(40), "J50D001005",
                  "J50D001005", "J50D001005", "J50D001005", "1*1"},
        BlockCase{"最大", 'E', deg(108), deg(120), deg(30), deg(40), "H49E012001", "J49E001001",
                  "J50E001024", "H50E012024", "60*48"}));

TEST(Blocks, Refused) {
  const Scale& s = *bycode('A');
  EXPECT_FALSE(blockquery(s, deg(116), deg(116), deg(30), deg(31)));  // east = west
  EXPECT_FALSE(blockquery(s, deg(117), deg(116), deg(30), deg(31)));
  EXPECT_FALSE(blockquery(s, deg(116), deg(117), deg(31), deg(31)));  // north = south
  EXPECT_FALSE(blockquery(s, deg(116), deg(181), deg(30), deg(31)));
  EXPECT_FALSE(blockquery(s, -1, deg(117), deg(30), deg(31)));
  EXPECT_FALSE(blockquery(s, deg(116), deg(117), deg(30), deg(61)));
}

TEST(Blocks, BoundsCloserThanASecondToAnEdge) {
  // North a tenth above a parallel that is itself the south bound.
  auto b = blockquery(*bycode('E'), deg(116), deg(116, 10), deg(40), deg(40) + 1);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->counttext(), "1*1");
  EXPECT_EQ(sheetnumber(b->bottomleft()), "K50E024009");
}

}  // namespace

TEST(Blocks, HoldingTheCornersOfARectangle) {
  const Scale& m = *bycode('A');
  struct {
    Angle w, e, s, n;
    const char *tl, *br, *count;
  } cases[] = {
      {deg(114), deg(120), deg(36), deg(40), "K50", "J51", "2*2"},  // J50's own edges
      {deg(120), deg(120), deg(37), deg(38), "J51", "J51", "1*1"},  // on a meridian
      {deg(116), deg(116), deg(40), deg(40), "K50", "K50", "1*1"},  // a point on a parallel
      {deg(174), deg(180), deg(56), deg(60), "O60", "O60", "1*1"},  // the limits hold
  };
  for (const auto& c : cases) {
    const auto b = blockholding(m, c.w, c.e, c.s, c.n);
    ASSERT_TRUE(b) << c.tl;
    EXPECT_EQ(sheetnumber(b->topleft()), c.tl);
    EXPECT_EQ(sheetnumber(b->bottomright()), c.br);
    EXPECT_EQ(b->counttext(), c.count);
  }
  EXPECT_FALSE(blockholding(m, deg(117), deg(116), deg(30), deg(31)));
  EXPECT_FALSE(blockholding(m, deg(116), deg(117), deg(31), deg(30)));
  EXPECT_FALSE(blockholding(m, deg(116), deg(181), deg(30), deg(31)));
  EXPECT_FALSE(blockholding(m, -1, deg(117), deg(30), deg(31)));
}
