#include <gtest/gtest.h>

#include "core/oldnumber.h"

using namespace tufu;

namespace {

TEST(Roman, TheThirtySixNumerals) {
  for (int n = 1; n <= 36; ++n) {
    ASSERT_FALSE(luoma(n).empty());
    EXPECT_EQ(alb(luoma(n)), n);
    EXPECT_TRUE(testluoma(luoma(n)));
  }
  EXPECT_EQ(luoma(4), "IV");
  EXPECT_EQ(luoma(19), "XIX");
  EXPECT_EQ(luoma(36), "XXXVI");
  for (int n : {0, 37, -1}) EXPECT_EQ(luoma(n), "") << n;
  EXPECT_EQ(alb("XXXV"), 35);
  for (const char* bad : {"xxxv", "", "XXXVII", "IIII", "VV", " IV", "iv"}) {
    EXPECT_FALSE(alb(bad)) << bad;
    EXPECT_FALSE(testluoma(bad)) << bad;
  }
}

struct Pair {
  const char *oldno, *newno;
  char code;
  const char* label;
};

class Conversion : public testing::TestWithParam<Pair> {};

TEST_P(Conversion, BothWays) {
  const Pair& p = GetParam();
  auto o = newold(p.newno);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->mapno, p.oldno);
  EXPECT_EQ(o->code, p.code);
  EXPECT_EQ(o->label, p.label);
  auto n = oldnew(p.oldno);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->mapno, p.newno);
  EXPECT_EQ(n->code, p.code);
  EXPECT_EQ(n->label, p.label);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, Conversion,
    testing::Values(Pair{"K-49", "K49", 'A', "1:100万"}, Pair{"J-50-C", "J50B002001", 'B', "1:50万"},
                    Pair{"L-51-[2]", "L51C001002", 'C', "1:25万"},
                    Pair{"I-48-XXXV", "I48I006005", 'I', "1:20万"},
                    Pair{"I-49-15", "I49D002003", 'D', "1:10万"},
                    Pair{"I-48-20-B", "I48E003016", 'E', "1:5万"},
                    Pair{"L-48-14-C-3", "L48F008005", 'F', "1:2.5万"},
                    Pair{"M-47-2-(14)", "M47G002014", 'G', "1:1万"},
                    Pair{"D-45-48-(26)-C", "D45H056179", 'H', "1:5000"}));

TEST(Conversion, CaseAndLeadingZeros) {
  EXPECT_EQ(newold("j50")->mapno, "J-50");
  EXPECT_EQ(newold("J50")->label, "1:100万");
  EXPECT_EQ(oldnew("i-48-xxxv")->mapno, "I48I006005");
  EXPECT_EQ(oldnew("K-049")->mapno, "K49");
  EXPECT_EQ(oldnew("L-48-14-C-03")->mapno, "L48F008005");
  EXPECT_EQ(oldnew("j-50-9")->mapno, "J50D001009");
  EXPECT_EQ(newold("J50A001001")->mapno, "J-50");
}

TEST(Conversion, RefusesWhatNamesNoSheet) {
  for (const char* bad : {"", "J50Z001001", "J50B003001", "J5", "Q50"}) EXPECT_FALSE(newold(bad)) << bad;
  for (const char* bad : {"", "K49", "X-99-XV", "K-49X", "Z-49", "I--XV", "J-50-145"})
    EXPECT_FALSE(oldnew(bad)) << bad;
}

struct Up {
  const char *label, *newno, *oldno;
};

TEST(Containing, FromTheLargestScaleUp) {
  const std::vector<Up> want = {
      {"1:1万", "J50G075050", "J-50-115-(18)"}, {"1:2.5万", "J50F038025", "J-50-115-A-3"},
      {"1:5万", "J50E019013", "J-50-115-A"},    {"1:10万", "J50D010007", "J-50-115"},
      {"1:25万", "J50C004003", "J-50-[15]"},    {"1:50万", "J50B002002", "J-50-D"},
      {"1:100万", "J50", "J-50"},               {"1:20万", "J50I005004", "J-50-XXVIII"}};
  const auto got = bigbil("j50h150100");
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].scale->label, want[i].label) << i;
    EXPECT_EQ(got[i].newno, want[i].newno) << i;
    EXPECT_EQ(got[i].oldno, want[i].oldno) << i;
  }
}

TEST(Containing, ShortChains) {
  auto labels = [](std::string_view s) {
    std::vector<std::string> out;
    for (const auto& c : bigbil(s)) out.push_back(c.newno + " " + c.oldno);
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(labels("I49D002002"),
            (V{"I49C001001 I-49-[1]", "I49B001001 I-49-A", "I49 I-49", "I49I001001 I-49-I"}));
  EXPECT_EQ(labels("J50C001002"), (V{"J50B001001 J-50-A", "J50 J-50"}));
  EXPECT_EQ(labels("J50I003004"), (V{"J50B001002 J-50-B", "J50 J-50"}));
  EXPECT_EQ(labels("J50B002001"), (V{"J50 J-50"}));
  EXPECT_TRUE(bigbil("J50").empty());
  EXPECT_TRUE(bigbil("J50A001001").empty());
  EXPECT_TRUE(bigbil("garbage").empty());
}

}  // namespace
