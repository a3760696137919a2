// The hierarchy panel: the block of larger-scale sheets that the queried
// sheet contains, with its corners, names and old numbers.
#include <QComboBox>
#include <QFrame>
#include <QPushButton>

#include "core/hierarchy.h"
#include "gazetteer/gazetteer.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formlayout.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"

namespace tufu {

namespace {
constexpr tables::Corner kCorners[] = {tables::kHierTopLeft, tables::kHierBottomLeft,
                                       tables::kHierTopRight, tables::kHierBottomRight};

const tables::ScaleButton& hierarchybutton(int number) {
  for (const auto& b : tables::kHierarchyButtons)
    if (b.number == number) return b;
  return tables::kHierarchyButtons[0];
}
}  // namespace

// Corner numbers, old numbers, names and relation text.
void Form1::clearhierarchy() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->clear();
    labels_[c.oldno]->clear();
    labels_[c.name]->clear();
  }
  labels_[tables::kHierRelation]->clear();
}

// Combo3_Click: item 0 shows the containing table, item 1 this panel.
void Form1::Combo3_Click(int index) {
  if (index < 0) return;
  const bool contained = index == 1;
  frames_[4]->setVisible(contained);
  frames_[layout::kTableBox]->setVisible(!contained);
}

// Command7..Command13, Command15.
void Form1::hierarchyscale_Click(int number) {
  const bool is20 = number == tables::kHierarchy20;
  if (!is20)
    for (const auto& c : kCorners) labels_[c.newno]->show();

  const QString kind = labels_[21]->text();
  std::optional<std::string> sheet;
  if (kind == qs(tables::kKindNew))
    sheet = entrytext();
  else if (kind == qs(tables::kKindOld))
    sheet = caption(23);

  if (sheet) {
    const Scale* target = bylabel(hierarchybutton(number).target);
    const auto h = hl(*sheet, caption(27), target ? target->rows : 0);
    if (!h) {
      // The target does not nest in the sheet's scale: no block.
      clearhierarchy();
    } else {
      settext(tables::kHierRelation, h->relation);
      const std::pair<const tables::Corner&, const std::string&> corners[] = {
          {tables::kHierTopLeft, h->topleft},
          {tables::kHierBottomLeft, h->bottomleft},
          {tables::kHierTopRight, h->topright},
          {tables::kHierBottomRight, h->bottomright}};
      for (const auto& [c, no] : corners) {
        settext(c.newno, no);
        settext(c.name, mapchinesename(no));
      }
      calloutputranges(h->bottomleft, h->topleft, h->bottomright, h->topright);
      for (const auto& [c, no] : corners) {
        const auto old = callnewold(no);
        settext(c.oldno, old ? std::string_view(old->mapno) : std::string_view());
      }
    }
  }

  state_.lastscalebtn = number;
  if (is20)
    for (const auto& c : kCorners) labels_[c.newno]->hide();
}

// "新图幅编号": the new numbers in view (none after a 1:20万 listing).
void Form1::Command5_Click() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->show();
    labels_[c.oldno]->hide();
  }
  if (state_.lastscalebtn == tables::kHierarchy20)
    for (const auto& c : kCorners) labels_[c.newno]->hide();
}

// "旧图幅编号": the old numbers in view.
void Form1::Command6_Click() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->hide();
    labels_[c.oldno]->show();
  }
}

}  // namespace tufu
