// The hierarchy panel: the block of larger-scale sheets that the queried
// sheet contains, with its corners, names and old numbers.
#include <QComboBox>
#include <QFrame>
#include <QPushButton>

#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formlayout.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"

namespace tufu {

namespace {
constexpr tables::Corner kCorners[] = {tables::kHierTopLeft, tables::kHierBottomLeft,
                                       tables::kHierTopRight, tables::kHierBottomRight};
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

// Combo3_Click: item 0 shows the containing table, item 1 this panel,
// item 2 the adjoining-sheet diagram.
void Form1::Combo3_Click(int index) {
  if (index < 0) return;
  frames_[4]->setVisible(index == 1);
  frames_[9]->setVisible(index == 2);
  frames_[layout::kTableBox]->setVisible(index == 0);
}

// Command7..Command13, Command15, and Command28..Command30 in the 2012
// edition.  A target without new numbers to show (1:20万) shows its corners
// in the old view only.
void Form1::hierarchyscale_Click(int number) {
  const Scale* target = buttonscale(number);
  if (target == nullptr) return;  // a scale the edition does not have
  const bool shownew = target->shownew;
  if (shownew)
    for (const auto& c : kCorners) labels_[c.newno]->show();

  if (state_.current) {
    const auto block = contained(*state_.current, *target);
    if (!block) {
      // The target does not nest in the sheet's scale: no block.
      clearhierarchy();
    } else {
      settext(tables::kHierRelation, block->counttext());
      const std::pair<const tables::Corner&, Sheet> corners[] = {
          {tables::kHierTopLeft, block->topleft()},
          {tables::kHierBottomLeft, block->bottomleft()},
          {tables::kHierTopRight, block->topright()},
          {tables::kHierBottomRight, block->bottomright()}};
      // The new-number fields hold the number as formed, which at 1:20万
      // is the internal code, kept out of view.
      for (const auto& [c, sheet] : corners) {
        settext(c.newno, sheetnumber(sheet));
        settext(c.name, brieflabel(sheet).name);
      }
      recordblock(*block);
      for (const auto& [c, sheet] : corners) {
        const SheetInfo info = brieflabel(sheet);
        recordold(info);
        settext(c.oldno, info.oldno);
      }
    }
  }

  state_.lastscalebtn = number;
  if (!shownew)
    for (const auto& c : kCorners) labels_[c.newno]->hide();
}

// "新图幅编号": the new numbers in view (none after a listing of a scale
// without new numbers).
void Form1::Command5_Click() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->show();
    labels_[c.oldno]->hide();
  }
  const Scale* last = tables::ishierarchybutton(state_.lastscalebtn)
                          ? buttonscale(state_.lastscalebtn)
                          : nullptr;
  if (last != nullptr && !last->shownew)
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
