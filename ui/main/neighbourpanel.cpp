// The adjoining-sheet diagram (接图表) of the sheet-number query: the queried
// sheet in the middle of a 3 × 3 grid with its eight neighbours at its own
// scale, each cell showing the sheet's place name, or its number where it
// has none, as in the margin of a printed sheet.  A click on a neighbour
// makes it the queried number.
#include <QComboBox>

#include "core/neighbours.h"
#include "core/recognize.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"

namespace tufu {

void Form1::showneighbours() {
  std::size_t i = 0;
  if (!state_.current) {
    for (const auto& row : tables::kDiagramCells)
      for (int n : row) {
        labels_[n]->clear();
        labels_[n]->setToolTip({});
        neighbourno_[i++].clear();
      }
    return;
  }
  // A neighbour is entered in the numbering the sheet was typed in, where it
  // has a number there.
  const bool typedold = !isneworold(entrytext());
  const NeighbourGrid grid = neighbours(*state_.current);
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < 3; ++c, ++i) {
      ClickLabel* cell = labels_[tables::kDiagramCells[r][c]];
      neighbourno_[i].clear();
      if (!grid[r][c]) {
        // Beyond 180° E or 60° N, or south of the equator, west of 0°.
        cell->clear();
        cell->setToolTip({});
        continue;
      }
      const SheetInfo info = brieflabel(*grid[r][c]);
      cell->setText(qs(nameornumber(info)));
      QString numbers = qs(info.newno);
      if (!info.oldno.empty()) numbers += (numbers.isEmpty() ? "" : "  ") + qs(info.oldno);
      cell->setToolTip(numbers);
      if (r == 1 && c == 1) continue;  // the sheet itself
      const bool useold = !info.oldno.empty() && (typedold || info.newno.empty());
      neighbourno_[i] = qs(useold ? info.oldno.view() : info.newno.view());
    }
}

// Label122..Label130.
void Form1::diagram_Click(int number) {
  std::size_t i = 0;
  for (const auto& row : tables::kDiagramCells)
    for (int n : row) {
      if (n == number && !neighbourno_[i].isEmpty()) {
        entry_->setEditText(neighbourno_[i]);
        return;
      }
      ++i;
    }
}

}  // namespace tufu
