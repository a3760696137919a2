#include <gtest/gtest.h>

#include <utility>

#include "core/scale.h"

using namespace tufu;

TEST(Scale, ListOrderSelectorsAndCodes) {
  const char codes[] = "ABCIDEFGH";
  for (int i = 0; i < 9; ++i) {
    const Scale& s = scales()[static_cast<std::size_t>(i)];
    EXPECT_EQ(s.id, i);
    EXPECT_EQ(s.blc(), i + 1);
    EXPECT_EQ(s.code, codes[i]);
    EXPECT_EQ(bycode(s.code), &s);
    EXPECT_EQ(byblc(s.blc()), &s);
    EXPECT_EQ(bylabel(s.label), &s);
    EXPECT_EQ(byrows(s.rows), &s);
    EXPECT_EQ(s.rows * s.lonsize, 6 * kDegree);
    EXPECT_EQ(s.rows * s.latsize, 4 * kDegree);
  }
  EXPECT_EQ(byid(3, Edition::k1992)->code, 'I');
  EXPECT_EQ(byid(3, Edition::k1992)->blc(), 4);
  EXPECT_EQ(byid(4, Edition::k1992)->code, 'D');
  EXPECT_EQ(byid(4, Edition::k1992)->blc(), 5);
  EXPECT_EQ(bycode('H')->rows, 192);
  EXPECT_EQ(bycode('H')->lonsize, 112 * kSecond + kSecond / 2);  // 112.5″
  EXPECT_EQ(byblc(0), nullptr);
  EXPECT_EQ(byblc(10), nullptr);
  EXPECT_EQ(bycode('J'), nullptr);
}

TEST(Scale, ColumnSuffixes) {
  const std::pair<const char*, const char*> names[] = {
      {"1:100万", "100w"}, {"1:50万", "50w"}, {"1:25万", "25w"}, {"1:20万", "20w"},
      {"1:10万", "10w"},   {"1:5万", "5w"},   {"1:2.5万", "25k"}, {"1:1万", "1w"},
      {"1:5000", "5k"},    {"1:2000", "2k"},  {"1:1000", "1k"},   {"1:500", "500"}};
  for (const auto& [label, suffix] : names) EXPECT_EQ(bylabel(label)->suffix, suffix) << label;
}

TEST(Scale, SizeTexts) {
  struct {
    int i;
    const char *jcha, *wcha;
  } cases[] = {{0, "6°", "4°"},         {1, "3°", "2°"},        {2, "1°30′", "1°"},
               {3, "30′", "20′"},       {4, "15′", "10′"},      {5, "7′30″", "5′"},
               {6, "3′45″", "2′30″"},   {7, "1′52.5″", "1′15″"}, {8, "1°", "40′"}};
  for (const auto& c : cases) {
    auto t = jwcha(c.i);
    ASSERT_TRUE(t) << c.i;
    EXPECT_EQ(t->jcha, c.jcha);
    EXPECT_EQ(t->wcha, c.wcha);
  }
  EXPECT_FALSE(jwcha(9));
  EXPECT_FALSE(jwcha(-1));
}

TEST(Scale, ReadsScalesAsUsersWriteThem) {
  struct {
    const char* text;
    char code;
  } cases[] = {{"1:5万", 'E'},    {"5万", 'E'},      {"1:50000", 'E'}, {"50000", 'E'},
               {"1:100万", 'A'},  {"1000000", 'A'},  {"2.5万", 'F'},   {"1:25000", 'F'},
               {"1:20万", 'I'},   {"200000", 'I'},   {"1:5000", 'H'},  {"5000", 'H'},
               {"5千", 'H'},      {"1万", 'G'}};
  for (const auto& c : cases) {
    const Scale* s = parsescale(c.text);
    ASSERT_NE(s, nullptr) << c.text;
    EXPECT_EQ(s->code, c.code) << c.text;
  }
  for (const char* bad : {"", "5", "1:5", "5万 ", "1:3万", "1:"}) EXPECT_EQ(parsescale(bad), nullptr) << bad;
}

// A point's sheet is found by multiplying: exact on both sides of every
// sheet edge, up to the limit of the grid's sheets (186° E, 64° N) and to
// that of the divisor.
TEST(Scale, SheetSizeDivisionIsExactAtEveryEdge) {
  for (const Scale& s : scales(Edition::k2012)) {
    for (const auto& [size, by] : {std::pair{s.lonsize, s.bylon}, std::pair{s.latsize, s.bylat}}) {
      const Angle top = (Angle{1} << AngleDivisor::kBits) - 1;
      for (Angle edge = 0; edge <= top; edge += size) {
        for (Angle v : {edge - 1, edge, edge + 1}) {
          if (v < 0 || v > top) continue;
          ASSERT_EQ(by.quotient(v), v / size) << s.label << " " << v;
        }
      }
      ASSERT_EQ(by.quotient(top), top / size) << s.label;
    }
  }
}
