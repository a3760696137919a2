// Whole 1:100万 sheets at every scale: every sheet's numbers convert both
// ways, its extent holds the points that give it, and its edges belong to
// the sheets north and east of them.
#include <gtest/gtest.h>

#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

using namespace tufu;

namespace {

class WholeSheet : public testing::TestWithParam<const char*> {};

TEST_P(WholeSheet, EverySheetAtEveryScale) {
  const Sheet parent = *readnew(GetParam());
  for (const Scale& sc : scales()) {
    for (int r = 1; r <= sc.rows; ++r) {
      for (int c = 1; c <= sc.rows; ++c) {
        const Sheet s = sheetin(sc, parent.rowletter(), parent.zone(), r, c);
        const std::string no = sheetnumber(s);
        SCOPED_TRACE(no);
        // Both numberings name the same sheet.
        auto old = newold(no);
        ASSERT_TRUE(old);
        ASSERT_TRUE(teststr(old->mapno));
        auto back = oldnew(old->mapno);
        ASSERT_TRUE(back);
        ASSERT_EQ(back->mapno, no);
        ASSERT_EQ(teststr(no), sc.code != 'A' || no.size() == 3);
        // The south-west corner and a point just inside the north-east
        // corner give the sheet; the extent holds them.
        const Bounds b = boundsof(s);
        ASSERT_EQ(sheetat(sc, b.west, b.south), s);
        ASSERT_EQ(sheetat(sc, b.east - 1, b.north - 1), s);
        const Extent e = *maprange(no);
        ASSERT_EQ(e.bounds.west, b.west);
        ASSERT_EQ(e.bounds.north, b.north);
        // The north and east edges belong to the next sheets, but on the
        // outer limits (60° N, 180° E), where there are none.
        auto north = sheetat(sc, b.west, b.north);
        auto east = sheetat(sc, b.east, b.south);
        ASSERT_TRUE(north && east);
        if (b.north == kLatLimit) ASSERT_EQ(*north, s);
        else ASSERT_EQ(boundsof(*north).south, b.north);
        if (b.east == kLonLimit) ASSERT_EQ(*east, s);
        else ASSERT_EQ(boundsof(*east).west, b.east);
      }
      if (sc.rows == 1) break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sheets, WholeSheet, testing::Values("J50", "A31", "O60"));

}  // namespace
