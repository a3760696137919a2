#include <gtest/gtest.h>

#include "core/block.h"

using namespace tufu;

namespace {

TEST(OutputRanges, TwoByTwoMillionSheets) {
  auto b = outputranges("J50", "whatever", "", "K51");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->blockscale, 1);
  EXPECT_EQ(b->blocklonsize, 21600 * kSecond);
  EXPECT_EQ(b->blocklatsize, 14400 * kSecond);
  EXPECT_EQ(b->blockswlon, 114 * kDegree);
  EXPECT_EQ(b->blockswlat, 36 * kDegree);
  EXPECT_EQ(b->blocknelon, 120 * kDegree);
  EXPECT_EQ(b->blocknelat, 40 * kDegree);
  EXPECT_EQ(b->blockrows, 2);
  EXPECT_EQ(b->blockcols, 2);
  EXPECT_EQ(b->east(), 126 * kDegree);
  EXPECT_EQ(b->north(), 44 * kDegree);
}

TEST(OutputRanges, OneSheetAtEveryScale) {
  for (const char* no : {"J50", "J50B002002", "J50C004001", "I48I001001", "J50D012012",
                         "J50E001001", "J50F048048", "J50G001096", "J50H001002"}) {
    auto b = outputranges(no, "", "", no);
    ASSERT_TRUE(b) << no;
    EXPECT_EQ(b->blockrows, 1) << no;
    EXPECT_EQ(b->blockcols, 1) << no;
    EXPECT_EQ(b->east() - b->blockswlon, b->blocklonsize) << no;
    EXPECT_EQ(blocksheet(*b, 0, 0).newno, no) << no;
  }
  auto b = outputranges("I48I001001", "", "", "I48I001001");
  EXPECT_EQ(b->blockscale, 4);
  EXPECT_EQ(b->blocklonsize, 3600 * kSecond);
  EXPECT_EQ(b->blocklatsize, 2400 * kSecond);
  auto h = outputranges("J50H001002", "", "", "J50H001002");
  EXPECT_EQ(h->blocklonsize, 225 * kSecond / 2);
  EXPECT_EQ(h->blockswlon, 114 * kDegree + 225 * kSecond / 2);
}

TEST(OutputRanges, SheetsAreListedFromTheNorthWest) {
  // 1:5000 across a zone boundary: half-second edges, whole counts.
  auto b = outputranges("J50H192191", "", "", "J51H191002");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->blockrows, 2);
  EXPECT_EQ(b->blockcols, 4);
  EXPECT_EQ(blocksheet(*b, 0, 0).newno, "J50H191191");
  EXPECT_EQ(blocksheet(*b, 0, 3).newno, "J51H191002");
  EXPECT_EQ(blocksheet(*b, 1, 1).newno, "J50H192192");
  EXPECT_EQ(blocksheet(*b, 1, 2).oldno, "J-51-133-(57)-C");
}

TEST(OutputRanges, RefusesCornersThatFormNoBlock) {
  EXPECT_FALSE(outputranges("J5000", "", "", "J50"));
  EXPECT_FALSE(outputranges("J50", "", "", "K51C001001"));  // two scales
  EXPECT_FALSE(outputranges("K51", "", "", "J50"));         // north-east before south-west
  EXPECT_FALSE(outputranges("", "", "", ""));
}

}  // namespace
