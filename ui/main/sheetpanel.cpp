// The sheet-number query: a typed number in either numbering, its
// counterpart, scale, extent, sizes, name and the sheets that contain it.
#include <QComboBox>
#include <QPushButton>

#include "core/recognize.h"
#include "gazetteer/gazetteer.h"
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
  labels_[23]->show();
  if (t.empty() || !teststr(t)) {
    for (int n : kSheetResults) labels_[n]->clear();
    labels_[105]->clear();
    blankcells();
    clearhierarchy();
    settext(21, tables::kKindNeutral);
    settext(22, tables::kCounterpartNeutral);
  } else {
    labels_[105]->clear();
    blankcells();
    clearhierarchy();
    settext(21, tables::kKindNeutral);
    settext(22, tables::kCounterpartNeutral);
    convertsheet(t, true);
  }
  refreshhierarchy();
  if (labels_[21]->text() == qs(tables::kKindOld) &&
      labels_[27]->text() == QStringLiteral("1:20万"))
    labels_[23]->hide();  // the internal 1:20万 code stays there for the hierarchy
}

// The old-number or new-number branch of the query for an accepted text.
void Form1::convertsheet(const std::string& t, bool withname) {
  if (!isneworold(t)) {
    settext(21, tables::kKindOld);
    const auto n = calloldnew(t);
    const std::string newno = n ? n->mapno : std::string();
    settext(27, n ? n->label : std::string_view());
    settext(22, tables::kCounterpartNew);
    settext(23, newno);
    if (withname) settext(105, mapchinesename(newno));
    showextent(newno, " -- ");
    showsizes(n ? std::optional<char>(n->code) : std::nullopt);
    fillcontaining(newno);
  } else {
    settext(21, tables::kKindNew);
    const auto o = callnewold(t);
    if (withname) settext(105, mapchinesename(t));
    settext(27, o ? o->label : std::string_view());
    settext(22, tables::kCounterpartOld);
    settext(23, o ? std::string_view(o->mapno) : std::string_view());
    showextent(t, "-- ");
    showsizes(o ? std::optional<char>(o->code) : std::nullopt);
    fillcontaining(t);
  }
}

void Form1::showextent(const std::string& mapna, std::string_view westeast) {
  const auto extent = callmaprange(mapna);
  if (!extent) {
    labels_[31]->clear();
    labels_[32]->clear();
    return;
  }
  settext(31, extent->rangewest + std::string(westeast) + extent->rangeeast);
  settext(32, extent->rangesouth + "-- " + extent->rangenorth);
}

void Form1::showsizes(std::optional<char> code) {
  const auto size = code ? calljwcha(*code) : std::nullopt;
  settext(36, size ? size->jcha : std::string_view());
  settext(34, size ? size->wcha : std::string_view());
}

// The containing table; the 1:20万 row shows only the old number.
void Form1::fillcontaining(const std::string& mapna) {
  for (const Containing& c : bigbil(mapna)) {
    for (const auto& row : tables::kContainingRows) {
      if (row.code != c.scale->code) continue;
      if (row.code != 'I') settext(row.newno, c.newno);
      settext(row.oldno, c.oldno);
    }
  }
}

// Command4_Click: after a table click, the branch of the query for the
// entry text once more, without the place name.
void Form1::Command4_Click() {
  const std::string t = entrytext();
  blankcells();
  if (t.empty() || !teststr(t)) {
    for (int n : kSheetResults) labels_[n]->clear();
    return;
  }
  convertsheet(t, false);
}

// A click on a cell of the containing table queries its number.
void Form1::cell_Click(int number) {
  const QString text = labels_[number]->text();
  if (text.isEmpty()) return;
  entry_->setEditText(text);
  commands_[4]->click();
}

// Runs the first scale button that nests in the queried scale and enables
// exactly the buttons that do.  A blank scale field changes nothing.
void Form1::refreshhierarchy() {
  const QString scale = labels_[27]->text();
  for (const auto& nest : tables::kNestFrom) {
    if (scale != qs(nest.scale))
      continue;
    constexpr int kCount = static_cast<int>(std::size(tables::kHierarchyButtons));
    if (nest.first < kCount) pressscale(tables::kHierarchyButtons[nest.first].number);
    for (int i = 0; i < kCount; ++i)
      commands_[tables::kHierarchyButtons[i].number]->setEnabled(i >= nest.first);
    return;
  }
}

}  // namespace tufu
