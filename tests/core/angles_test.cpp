#include <gtest/gtest.h>

#include <cmath>

#include "angles/angle.h"

using namespace tufu;

namespace {

struct FieldCase {
  const char* text;
  bool lon, lat;
  Angle seconds;  // when accepted
};

class FieldTexts : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldTexts, CheckAndRead) {
  const FieldCase& c = GetParam();
  const std::string padded = padangle(c.text);
  EXPECT_EQ(tsttxt1(padded), c.lon);
  EXPECT_EQ(tsttxt2(padded), c.lat);
  EXPECT_EQ(readlon(c.text).has_value(), c.lon);
  EXPECT_EQ(readlat(c.text).has_value(), c.lat);
  if (c.lon) {
    EXPECT_EQ(*readlon(c.text), c.seconds * kSecond);
    EXPECT_EQ(changesec(padded), static_cast<double>(c.seconds));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Angles, FieldTexts,
    testing::Values(FieldCase{"45,5,30", true, true, 45 * 3600 + 5 * 60 + 30},
                    FieldCase{"45", true, true, 45 * 3600}, FieldCase{"45,5", true, true, 45 * 3600 + 300},
                    FieldCase{"", true, true, 0}, FieldCase{"00,00,00", true, true, 0},
                    FieldCase{"180,0,0", true, false, 648000}, FieldCase{"179,60,0", true, false, 648000},
                    FieldCase{"0,0,648000", true, false, 648000}, FieldCase{"180,0,1", false, false, 0},
                    FieldCase{"60,0,0", true, true, 216000}, FieldCase{"60,0,1", true, false, 216001},
                    FieldCase{"45,,30", true, true, 45 * 3600 + 30},
                    FieldCase{"45,5,30,x", true, true, 45 * 3600 + 330},
                    FieldCase{"45.5", false, false, 0}, FieldCase{"-5", false, false, 0},
                    FieldCase{" 45", false, false, 0}, FieldCase{"45度5分30秒", false, false, 0},
                    FieldCase{"\xEF\xBC\x94\xEF\xBC\x95", false, false, 0},  // full-width 45
                    FieldCase{"0,0,0000000000000000000000000000000000000000000001", true, true, 1},
                    FieldCase{"99999999999999999999999999", false, false, 0},
                    FieldCase{"&H10", false, false, 0}, FieldCase{"1e5", false, false, 0}));

TEST(FieldTexts, SayWhyTheyAreRefused) {
  struct {
    const char* text;
    Angle limit;
    const char* why;
  } cases[] = {
      {"116,23,30", kLonLimit, ""},
      {"", kLatLimit, ""},
      {"116.39", kLonLimit, "只能输入数字和逗号 (度,分,秒), 不能有“.”"},
      {"116,23,30.5", kLonLimit, "只能输入数字和逗号 (度,分,秒), 不能有“.”"},
      {"45度", kLatLimit, "只能输入数字和逗号 (度,分,秒), 不能有“度”"},
      {" 45", kLatLimit, "只能输入数字和逗号 (度,分,秒), 不能有“ ”"},
      {"-5", kLatLimit, "只能输入数字和逗号 (度,分,秒), 不能有“-”"},
      {"200", kLonLimit, "不能大于180°"},
      {"180,0,1", kLonLimit, "不能大于180°"},
      {"60,0,1", kLatLimit, "不能大于60°"},
      {"45,5,30,x", kLatLimit, ""},  // a fourth part is never read
  };
  for (const auto& c : cases) EXPECT_EQ(whyrefusedfield(c.text, c.limit), c.why) << c.text;
}

TEST(LeadingNumber, ReadsTheStartOfATextLikeNumericInput) {
  struct {
    const char* text;
    double value;
  } cases[] = {{"", 0},         {"abc", 0},    {"12abc", 12},   {" 1 2 ", 12},  {"-5", -5},
               {"45.5x", 45.5}, {"49E1", 490}, {"49D1", 490},   {"49E", 49},    {"&H1F", 31},
               {"&O17", 15},    {"&O8", 0},    {".5", 0.5},     {"+7", 7},      {"1.2.3", 1.2}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingnumber(c.text), c.value) << c.text;
}

TEST(ReadAngle, TakesCommaTextsAndDecimalDegrees) {
  EXPECT_EQ(readangle("116,23,30", kLonLimit), (116 * 3600 + 23 * 60 + 30) * kSecond);
  EXPECT_EQ(readangle("116", kLonLimit), 116 * kDegree);
  EXPECT_EQ(readangle("116.5", kLonLimit), 116 * kDegree + 30 * kMinute);
  // 116.391667° is 116°23′30.0012″: the fortieth below.
  EXPECT_EQ(readangle("116.391667", kLonLimit), (116 * 3600 + 23 * 60 + 30) * kSecond);
  // 40° written as a decimal lands exactly on the parallel, not a tenth below.
  EXPECT_EQ(readangle("40.0", kLatLimit), 40 * kDegree);
  EXPECT_EQ(readangle("0.1", kLatLimit), 360 * kSecond);
  for (const char* bad : {"-1.5", "60.5", "1e2", "1.2.3", ".", "a.b", " 1.5", "1.5 "})
    EXPECT_FALSE(readangle(bad, kLatLimit)) << bad;
}

// The command line's further forms: decimal seconds, the tool's own form
// with its marks, and a limit that holds for the value itself.
TEST(ReadAngle, DecimalSecondsAndMarks) {
  const Angle lon = (116 * 3600 + 23 * 60 + 30) * kSecond;
  struct {
    const char* text;
    Angle want;
  } legal[] = {
      {"116,23,30.5", lon + kSecond / 2},
      {"116,23,30.025", lon + 1},
      {"116,23,30.0249", lon},  // finer than a unit: the unit below
      {"116°23′30″", lon},
      {"116°23'30\"", lon},
      {"116°23'30''", lon},
      {"116°23′30.25″", lon + kSecond / 4},
      {"116°23′", lon - 30 * kSecond},
      {"116°", 116 * kDegree},
      {"116°30″", 116 * kDegree + 30 * kSecond},
      {"116.5°", 116 * kDegree + 30 * kMinute},
      {"180°0′0″", kLonLimit},
      {"180.000000", kLonLimit},
      {"179,59,59.975", kLonLimit - 1},
  };
  for (const auto& c : legal) EXPECT_EQ(readangle(c.text, kLonLimit), c.want) << c.text;
  for (const char* bad : {"180.00001", "180,0,0.001", "179,59,60.001", "180°0′0.01″", "116,23.5,0",
                          "116.5,0,0", "116,23,30.5,1", "116°23″5′", "116.5°30′", "116°23′30″x",
                          "116°′", "°", "116.", ".5", "116,23,30.", "116°23′30.5.5″", "1e2",
                          "-1.5", "116°-5′"})
    EXPECT_FALSE(readangle(bad, kLonLimit)) << bad;
  EXPECT_FALSE(readangle("60.00002", kLatLimit));
  EXPECT_EQ(readangle("60", kLatLimit), kLatLimit);
  // The tool's own text of every 1:500 edge reads back exactly.
  for (int k = 0; k < 8; ++k) {
    const Angle a = 116 * kDegree + k * (kSecond * 75 / 8);  // 9.375″ steps
    EXPECT_EQ(readangle(dfms(a), kLonLimit), a) << dfms(a);
  }
}

TEST(Dfms, WritesAllThreeParts) {
  EXPECT_EQ(dfms(114 * kDegree + 225 * kSecond / 2), "114°1′52.5″");
  EXPECT_EQ(dfms((39 * 3600 + 8 * 60 + 45) * kSecond), "39°8′45″");
  EXPECT_EQ(dfms(138 * kDegree), "138°0′0″");
  EXPECT_EQ(dfms(Angle{0}), "0°0′0″");
  const char* fivethousand[] = {"114°1′52.5″", "114°3′45″", "114°5′37.5″"};
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(dfms(114 * kDegree + 225 * kSecond / 2 * k), fivethousand[k - 1]);
  EXPECT_EQ(dfms(114 * 3600.0 + 112.5), "114°1′52.5″");
  EXPECT_EQ(dfms(std::nan("")), "");
}

TEST(FormatAngle, KeepsOnlyTheAskedParts) {
  EXPECT_EQ(formatangle(115 * kDegree + 30 * kMinute, 2, true), "115°30′");
  EXPECT_EQ(formatangle(115 * kDegree + 30 * kMinute, 3, false), "115,30,0");
  EXPECT_EQ(formatangle(114 * kDegree, 1, true), "114°");
  EXPECT_EQ(formatangle(114 * kDegree + 225 * kSecond / 2, 3, false), "114,1,52.5");
}

}  // namespace
