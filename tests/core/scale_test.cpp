#include <gtest/gtest.h>

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
