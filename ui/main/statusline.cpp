// The status line (Label112): why the input of the panel in view is
// refused, in the words of the rule it broke.  It is cleared as soon as the
// input is acceptable again; the results stay blank meanwhile, as always.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

#include "core/inputs.h"
#include "core/recognize.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"

namespace tufu {

std::string Form1::refusal() const {
  switch (state_.mode) {
    case 1: {
      if (frames_[6]->isHidden()) {
        // An empty field is not yet an answer, and no mistake either.
        if (fieldtext(1).empty() || fieldtext(2).empty()) return {};
        return readpointfields(fieldtext(1), fieldtext(2)).error;
      }
      return readboundfields(fieldtext(3), fieldtext(4), fieldtext(5), fieldtext(6)).error;
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
