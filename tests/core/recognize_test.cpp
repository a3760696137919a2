#include <gtest/gtest.h>

#include "core/recognize.h"

using namespace tufu;

namespace {

struct Typed {
  const char* text;
  bool ok;
};

class Recognition : public testing::TestWithParam<Typed> {};

TEST_P(Recognition, AcceptsOrRefuses) {
  const Typed& t = GetParam();
  EXPECT_EQ(teststr(t.text), t.ok) << t.text;
  // A refusal names the rule; an acceptance names none.
  EXPECT_EQ(whyrefused(t.text).empty(), t.ok) << t.text;
}

INSTANTIATE_TEST_SUITE_P(
    NewNumbers, Recognition,
    testing::Values(Typed{"J50", true}, Typed{"j50c001002", true}, Typed{"J50C001002", true},
                    Typed{"J50I006006", true}, Typed{"O60H192192", true}, Typed{"A31B001001", true},
                    Typed{"", false}, Typed{"J5", false}, Typed{"J50C00100", false},
                    Typed{"J50A001001", false}, Typed{"J50C001002 ", false},
                    Typed{"J30", false}, Typed{"J61", false}, Typed{"P50", false},
                    // Zones 31 to 60 in the long form too.
                    Typed{"J30C001001", false}, Typed{"J69C001001", false},
                    Typed{"J61C001001", false}, Typed{"J60C001001", true},
                    Typed{"J31C001001", true}, Typed{"J50B003001", false},
                    Typed{"J50I007001", false}, Typed{"J50C000001", false},
                    Typed{"J50H193001", false}, Typed{"J50C0010A2", false},
                    Typed{"J50J001001", false}, Typed{"\xEF\xBC\xAA""50", false}));

INSTANTIATE_TEST_SUITE_P(
    OldNumbers, Recognition,
    testing::Values(
        Typed{"K-49", true}, Typed{"K-049", true}, Typed{"k-49", true}, Typed{"O-60", true},
        Typed{"Z-49", false}, Typed{"P-49", false}, Typed{"Z-49-1", false},
        // The row is one letter and the zone all digits, 31 to 60.
        Typed{"K-49X", false}, Typed{"K-49.5", false}, Typed{"K-49 ", false},
        Typed{"KK-49", false}, Typed{"K-49E1", false}, Typed{"K-490", false},
        Typed{"K-30", false}, Typed{"K-61", false}, Typed{"K-4", false}, Typed{"1-49", false},
        Typed{"I-48-XXXV", true}, Typed{"I-48-IV", true}, Typed{"i-48-xxxv", true},
        Typed{"I-48-IIII", false}, Typed{"I-48-XXXVII", false},
        // The 1:20万 form checks its row and zone too.
        Typed{"X-99-XV", false}, Typed{"I--XV", false}, Typed{"I-4-XV", false},
        Typed{"J-50-C", true}, Typed{"J-50-9", true}, Typed{"J-50-144", true},
        Typed{"J-50-09", true}, Typed{"J-50-0", false}, Typed{"J-50-E", false},
        Typed{"J-50-145", false}, Typed{"J-50-1A", false},
        Typed{"L-51-[16]", true}, Typed{"L-51-[2]", true}, Typed{"L-51-[0]", false},
        Typed{"L-51-[17]", false}, Typed{"L-51-[]", false}, Typed{"L-51-[2", false},
        Typed{"L-51-2]", false},
        Typed{"I-48-20-B", true}, Typed{"I-48-20-E", false}, Typed{"I-48-0-B", false},
        Typed{"I-48-145-B", false}, Typed{"I-48-20-BB", false},
        Typed{"M-47-2-(14)", true}, Typed{"M-47-2-(64)", true}, Typed{"M-47-2-()", false},
        Typed{"M-47-2-(65)", false}, Typed{"M-47-2-(14", false},
        Typed{"L-48-14-C-3", true}, Typed{"L-48-14-C-03", true}, Typed{"L-48-14-C-5", false},
        Typed{"L-48-14-E-3", false}, Typed{"L-48-14-CC-3", false}, Typed{"L-48-14-C-0", false},
        Typed{"D-45-48-(26)-C", true}, Typed{"D-45-48-(26)-E", false},
        Typed{"D-45-48-(26)-CC", false}, Typed{"D-45-48-(26)-3", false},
        Typed{"-K-49", false}, Typed{"K-49-", false}, Typed{"-", false}, Typed{"K--49", false},
        Typed{"L-48-14--3", false}, Typed{"A-31-1-A-1-1", false}, Typed{"A-31-1-(1)-A-B", false}));

TEST(Recognition, CharacterAccessAndNumbering) {
  EXPECT_EQ(readstr("J50", 1), "J");
  EXPECT_EQ(readstr("J50", 3), "0");
  EXPECT_EQ(readstr("J50", 4), "0");
  EXPECT_EQ(readstr("J50", 0), "");
  EXPECT_EQ(readstr("", 2), "");
  EXPECT_TRUE(isneworold("J50C001002"));
  EXPECT_TRUE(isneworold(""));
  EXPECT_FALSE(isneworold("J-50-C"));
}

}  // namespace

// Each refusal says what kind of rule broke, and the character where it
// breaks (from 1; 0 for the whole text), counted in characters.
TEST(Recognize, RefusalsSayTheirKindAndPlace) {
  struct {
    const char* text;
    NumberFault fault;
    int position;
  } cases[] = {
      {"J5", NumberFault::NewLength, 0},          {"Z50", NumberFault::NewRow, 1},
      {"J30", NumberFault::NewZone, 2},           {"J50A001001", NumberFault::NewCode, 4},
      {"J50C00x002", NumberFault::NewDigits, 7},  {"J50C005001", NumberFault::NewSheetRow, 5},
      {"J50C001005", NumberFault::NewSheetCol, 8}, {"-K-49", NumberFault::OldDash, 1},
      {"K-49-", NumberFault::OldDash, 5},         {"K--49", NumberFault::OldFields, 3},
      {"A-31-1-A-1-1", NumberFault::OldFields, 11}, {"KK-49", NumberFault::OldRow, 1},
      {"K-490", NumberFault::OldZone, 3},         {"中-K-49", NumberFault::OldRow, 1},
      {"L-51-[17]", NumberFault::OldIndex, 6},    {"L-48-14-CC-3", NumberFault::OldIndex, 9},
      {"中-49--3", NumberFault::OldFields, 6},
  };
  for (const auto& c : cases) {
    const Parsed p = recognize(c.text);
    EXPECT_FALSE(p.sheet) << c.text;
    EXPECT_EQ(p.fault, c.fault) << c.text << ": " << p.error;
    EXPECT_EQ(p.position, c.position) << c.text << ": " << p.error;
  }
  EXPECT_EQ(recognize("J-50-5-B").fault, NumberFault::None);
}
