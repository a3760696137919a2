// The sheet-number query: a typed number in either numbering, its
// counterpart, scale, extent, sizes, name and the sheets that contain it.
#include <QComboBox>
#include <QPushButton>

#include "core/block.h"
#include "core/recognize.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"

namespace tufu {

namespace {
// Scale, counterpart, extent and size fields.
constexpr int kSheetResults[] = {27, 23, 31, 32, 36, 34};
}  // namespace

void Form1::blankcells() {
  for (const auto& row : tables::kContainingRows) {
    labels_[row.newno]->clear();
    labels_[row.oldno]->clear();
  }
}

// Combo2_Change and Combo2_Click: the query of the entry text.
void Form1::Combo2_Change() {
  const std::string t = entrytext();
  const Parsed typed = recognize(t, state_.edition);
  state_.current = typed.sheet;
  labels_[23]->show();
  if (!typed.sheet)
    for (int n : kSheetResults) labels_[n]->clear();
  labels_[105]->clear();
  blankcells();
  clearhierarchy();
  settext(21, tables::kKindNeutral);
  settext(22, tables::kCounterpartNeutral);
  if (typed.sheet) showsheet(*typed.sheet, !isneworold(t), true);
  refreshhierarchy();
  showneighbours();
  // The internal 1:20万 code of a typed old number stays in its field, out
  // of view: it is no new number.
  if (typed.sheet && !isneworold(t) && !typed.sheet->scale->shownew) labels_[23]->hide();
  updatestatus();
}

// The old-number or new-number branch of the query for an accepted text.
void Form1::showsheet(const Sheet& sheet, bool typedold, bool withname) {
  const SheetInfo info = describesheet(sheet);
  settext(21, typedold ? tables::kKindOld : tables::kKindNew);
  if (typedold)
    recordoldnew(sheet);
  else
    recordold(info);
  settext(27, sheet.scale->label);
  settext(22, typedold ? tables::kCounterpartNew : tables::kCounterpartOld);
  settext(23, typedold ? sheetnumber(sheet) : info.oldno.str());
  if (withname) settext(105, info.name);
  recordextent(sheet);
  settext(31, std::string(info.west) + (typedold ? " -- " : "-- ") + std::string(info.east));
  settext(32, std::string(info.south) + "-- " + std::string(info.north));
  recordsizes(info);
  settext(36, info.lonsize);
  settext(34, info.latsize);
  fillcontaining(sheet);
}

// The containing table; a sheet without a new number to show (1:20万)
// shows only its old number.
void Form1::fillcontaining(const Sheet& sheet) {
  for (const Sheet& up : containing(sheet)) {
    const SheetInfo info = brieflabel(up);
    recordold(info);
    for (const auto& row : tables::kContainingRows) {
      if (row.scale != up.scale->id) continue;
      settext(row.newno, info.newno);
      settext(row.oldno, info.oldno);
    }
  }
}

// Command4_Click: after a table click, the branch of the query for the
// entry text once more, without the place name.
void Form1::Command4_Click() {
  const std::string t = entrytext();
  const Parsed typed = recognize(t, state_.edition);
  blankcells();
  if (!typed.sheet) {
    for (int n : kSheetResults) labels_[n]->clear();
    return;
  }
  showsheet(*typed.sheet, !isneworold(t), false);
}

// A click on a cell of the containing table queries its number.
void Form1::cell_Click(int number) {
  const QString text = labels_[number]->text();
  if (text.isEmpty()) return;
  entry_->setEditText(text);
  commands_[4]->click();
}

// Runs the first scale button whose scale nests in the queried sheet's and
// enables exactly the buttons whose scales do, among the edition's scales.
// Nothing queried changes nothing.
void Form1::refreshhierarchy() {
  if (!state_.current) return;
  const Scale& own = *state_.current->scale;
  auto nests = [this, &own](const tables::ScaleButton& b) {
    return offerscontained(own, *byid(b.scale), state_.edition);
  };
  for (const auto& b : tables::kHierarchyButtons) {
    if (!nests(b)) continue;
    pressscale(b.number);
    break;
  }
  for (const auto& b : tables::kHierarchyButtons) commands_[b.number]->setEnabled(nests(b));
}

}  // namespace tufu
