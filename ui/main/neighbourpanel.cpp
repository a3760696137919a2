#include "ui/main/neighbourpanel.h"

#include "core/describe.h"
#include "core/neighbours.h"
#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/qtext.h"

namespace tufu {

NeighbourPanel::NeighbourPanel(QWidget* parent, const Names* names)
    : QFrame(parent), names_(names) {
  using namespace layout::neighbours;
  placeframe(this, {kFrameName, layout::sheet::kViewPlace}, false);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const std::size_t i = static_cast<std::size_t>(r * 3 + c);
      const unsigned style = r == 1 && c == 1 ? kCell | layout::kHatched : kCell;
      cells_[i] = makelabel(this, {kCells[r][c], "", cell(r, c), style | layout::kCopy});
      connect(cells_[i], &ClickLabel::clicked, this, [this, i] { cell_Click(i); });
    }
}

NeighbourPanel::~NeighbourPanel() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void NeighbourPanel::showsheet(const Sheet* sheet, bool typedold) {
  if (sheet == nullptr) {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
      cells_[i]->clear();
      cells_[i]->setToolTip({});
      numbers_[i].clear();
    }
    return;
  }
  const NeighbourGrid grid = neighbours(*sheet);
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < 3; ++c) {
      const std::size_t i = r * 3 + c;
      ClickLabel* cell = cells_[i];
      numbers_[i].clear();
      if (!grid[r][c]) {
        // Beyond 180° E or 60° N, or south of the equator, west of 0°.
        cell->clear();
        cell->setToolTip({});
        continue;
      }
      const SheetInfo info = brief(*grid[r][c], names_);
      cell->setText(qs(nameornumber(info)));
      QString numbers = qs(info.newno);
      if (!info.oldno.empty()) numbers += (numbers.isEmpty() ? "" : "  ") + qs(info.oldno);
      cell->setToolTip(numbers);
      if (r == 1 && c == 1) continue;  // the sheet itself
      const bool useold = !info.oldno.empty() && (typedold || info.newno.empty());
      numbers_[i] = qs(useold ? info.oldno.view() : info.newno.view());
    }
}

void NeighbourPanel::cell_Click(std::size_t i) {
  if (!numbers_[i].isEmpty()) emit numberchosen(numbers_[i]);
}

}  // namespace tufu
