#include <gtest/gtest.h>

#include <string>

#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"

using namespace tufu;

namespace {

// The 3 × 3 grid written row by row from the north-west, "-" where there is
// no sheet; sheets without a new number to show by their old numbers.
std::string gridtext(const Sheet& s) {
  std::string out;
  for (const auto& row : neighbours(s)) {
    for (const auto& cell : row) {
      if (!out.empty()) out += ' ';
      if (!cell)
        out += '-';
      else
        out += cell->scale->shownew ? sheetnumber(*cell) : oldnumber(*cell);
    }
  }
  return out;
}

struct Case {
  const char* what;
  const char* number;
  Edition edition;
  const char* grid;
};

class Neighbours : public testing::TestWithParam<Case> {};

TEST_P(Neighbours, EveryKindOfBorder) {
  const Case& c = GetParam();
  const auto s = recognize(c.number, c.edition).sheet;
  ASSERT_TRUE(s) << c.number;
  EXPECT_EQ(gridtext(*s), c.grid) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Borders, Neighbours,
    testing::Values(
        Case{"inside a 1:100万 sheet", "J50C002002", Edition::k1992,
             "J50C001001 J50C001002 J50C001003 J50C002001 J50C002002 J50C002003 J50C003001 "
             "J50C003002 J50C003003"},
        Case{"across a zone", "J50C001004", Edition::k1992,
             "K50C004003 K50C004004 K51C004001 J50C001003 J50C001004 J51C001001 J50C002003 "
             "J50C002004 J51C002001"},
        Case{"across a row", "J50C001001", Edition::k1992,
             "K49C004004 K50C004001 K50C004002 J49C001004 J50C001001 J50C001002 J49C002004 "
             "J50C002001 J50C002002"},
        Case{"180° E, no wrap", "J60B001002", Edition::k1992,
             "K60B002001 K60B002002 - J60B001001 J60B001002 - J60B002001 J60B002002 -"},
        Case{"0° E and the equator", "A31", Edition::k1992, "- B31 B32 - A31 A32 - - -"},
        Case{"60° N", "O45D001001", Edition::k1992,
             "- - - O44D001012 O45D001001 O45D001002 O44D002012 O45D002001 O45D002002"},
        Case{"1:20万 by old number", "J-50-VI", Edition::k1992,
             "K-50-XXXV K-50-XXXVI K-51-XXXI J-50-V J-50-VI J-51-I J-50-XI J-50-XII J-51-VII"},
        Case{"1:500 across a zone", "J50K00012304", Edition::k2012,
             "K50K23042303 K50K23042304 K51K23040001 J50K00012303 J50K00012304 J51K00010001 "
             "J50K00022303 J50K00022304 J51K00020001"}));

}  // namespace
