// The status line (Label112): why the input of the panel in view is
// refused, in the words of the rule it broke.  It is cleared as soon as the
// input is acceptable again; the results stay blank meanwhile, as always.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

#include "core/recognize.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"

namespace tufu {

namespace {

struct Field {
  int number;
  const char* name;
  Angle limit;
};

constexpr Field kPointFields[] = {{1, "经度", kLonLimit}, {2, "纬度", kLatLimit}};
constexpr Field kBlockFields[] = {
    {3, "西界经度", kLonLimit}, {4, "东界经度", kLonLimit},
    {5, "南界纬度", kLatLimit}, {6, "北界纬度", kLatLimit}};

}  // namespace

std::string Form1::refusal() const {
  switch (state_.mode) {
    case 1: {
      if (frames_[6]->isHidden()) {
        // An empty field is not yet an answer, and no mistake either.
        if (fieldtext(1).empty() || fieldtext(2).empty()) return {};
        for (const Field& f : kPointFields)
          if (std::string why = whyrefusedfield(fieldtext(f.number), f.limit); !why.empty())
            return f.name + why;
        return {};
      }
      for (const Field& f : kBlockFields)
        if (std::string why = whyrefusedfield(fieldtext(f.number), f.limit); !why.empty())
          return f.name + why;
      const auto west = readlon(fieldtext(3)), east = readlon(fieldtext(4));
      const auto south = readlat(fieldtext(5)), north = readlat(fieldtext(6));
      if (*east <= *west) return "东界应大于西界";
      if (*north <= *south) return "北界应大于南界";
      return {};
    }
    case 2: {
      const std::string t = entrytext();
      if (t.empty()) return {};
      return recognize(t, state_.edition).error;
    }
    default:
      return {};
  }
}

void Form1::updatestatus() { settext(112, refusal()); }

}  // namespace tufu
