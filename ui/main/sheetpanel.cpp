#include "ui/main/sheetpanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/block.h"
#include "core/describe.h"
#include "core/recognize.h"
#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"
#include "ui/table/twips.h"

namespace tufu {

SheetPanel::SheetPanel(QWidget* parent, const Names* names) : QFrame(parent), names_(names) {
  using namespace layout::sheet;
  placeframe(this, kFrame, false);

  table_ = new QFrame(this);
  placeframe(table_, {kTableName, kViewPlace}, false);

  entrycaption_ = makelabel(this, kEntryCaption);
  kind_ = makelabel(this, kKind);
  scalecaption_ = makelabel(this, kScaleCaption);
  scale_ = makelabel(this, kScale);
  counterpartcaption_ = makelabel(this, kCounterpartCaption);
  counterpart_ = makelabel(this, kCounterpart);
  rangeheading_ = makelabel(this, kRangeHeading);
  lonrangecaption_ = makelabel(this, kLonRangeCaption);
  lonrange_ = makelabel(this, kLonRange);
  latrangecaption_ = makelabel(this, kLatRangeCaption);
  latrange_ = makelabel(this, kLatRange);
  lonsizecaption_ = makelabel(this, kLonSizeCaption);
  lonsize_ = makelabel(this, kLonSize);
  latsizecaption_ = makelabel(this, kLatSizeCaption);
  latsize_ = makelabel(this, kLatSize);
  namecaption_ = makelabel(this, kNameCaption);
  name_ = makelabel(this, kName);
  viewcaption_ = makelabel(this, kViewCaption);

  for (const auto& h : kHeader) makelabel(table_, h);
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const auto& r = kRows[i];
    const int row = static_cast<int>(i) + 1;
    Row fields{r.scale, makelabel(table_, {r.captionname, r.caption, tablecell(0, row), layout::kBoxed}),
               makelabel(table_, {r.newname, "", tablecell(1, row), layout::kBoxed | layout::kCopy}),
               makelabel(table_, {r.oldname, "", tablecell(2, row), layout::kBoxed | layout::kCopy})};
    rows_.push_back(fields);
  }

  refresh_ = makebutton(this, kRefresh);
  refresh_->hide();

  entry_ = makelist(this, kEntry);
  entry_->setEditable(true);
  entry_->setInsertPolicy(QComboBox::NoInsert);
  entry_->setCompleter(nullptr);  // no inline completion: every keystroke is a query
  entry_->setMaxVisibleItems(22);
  for (const auto& item : tables::kEntryItems) entry_->addItem(qs(item));
  entry_->setCurrentIndex(-1);
  entry_->clearEditText();
  entry_->installEventFilter(this);
  entry_->lineEdit()->installEventFilter(this);

  view_ = makelist(this, kView);
  view_->addItem(qs(tables::kContainingView));
  view_->addItem(qs(tables::kContainedView));
  view_->addItem(qs(tables::kNeighboursView));
  view_->setCurrentIndex(tables::kContaining);

  // A choice from the list runs the query even when the entry already holds
  // the item's text; running it twice for one choice changes nothing.
  connect(entry_, &QComboBox::editTextChanged, this, &SheetPanel::Combo2_Change);
  connect(entry_, &QComboBox::activated, this, &SheetPanel::Combo2_Change);
  connect(refresh_, &QPushButton::clicked, this, &SheetPanel::Command4_Click);
  for (const Row& r : rows_) {
    connect(r.newno, &ClickLabel::clicked, this, &SheetPanel::cell_Click);
    connect(r.oldno, &ClickLabel::clicked, this, &SheetPanel::cell_Click);
  }
  connect(view_, &QComboBox::currentIndexChanged, this, &SheetPanel::Combo3_Click);
}

SheetPanel::~SheetPanel() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void SheetPanel::setedition(Edition e) {
  edition_ = e;
  const bool large = e == Edition::k2012;
  table_->resize(pixels(layout::sheet::kViewPlace).size() +
                 QSize(0, large ? twips(layout::kLargeRoom) : 0));
  for (const Row& r : rows_) {
    const bool shown = holdsothers(*byid(r.scale), e);
    for (ClickLabel* l : {r.caption, r.newno, r.oldno}) l->setVisible(shown);
  }

  // The entry list shows the forms of the 2012 edition's larger scales
  // after the example of a new number.
  const QString text = entry_->currentText();
  const QSignalBlocker quiet(entry_);
  const int base = static_cast<int>(std::size(tables::kEntryItems));
  const int extra = static_cast<int>(std::size(tables::kEntryItems2012));
  const bool has = entry_->count() > base;
  if (large && !has)
    for (int i = 0; i < extra; ++i)
      entry_->insertItem(tables::kEntryItems2012At + i, qs(tables::kEntryItems2012[i]));
  if (!large && has)
    for (int i = 0; i < extra; ++i) entry_->removeItem(tables::kEntryItems2012At);
  entry_->setMaxVisibleItems(entry_->count());
  if (entry_->currentText() != text) entry_->setEditText(text);
}

void SheetPanel::setentry(const QString& text) { entry_->setEditText(text); }

void SheetPanel::rerun() { Combo2_Change(); }

void SheetPanel::focusinput() { entry_->setFocus(); }

std::vector<QWidget*> SheetPanel::focuschain() const { return {entry_, view_}; }

std::string SheetPanel::refusal() const {
  const std::string t = entrytext();
  if (t.empty()) return {};
  return recognize(t, edition_).error;
}

std::string SheetPanel::entrytext() const { return entry_->currentText().toStdString(); }

void SheetPanel::blankcells() {
  for (const Row& r : rows_) {
    r.newno->clear();
    r.oldno->clear();
  }
}

// Scale, counterpart, extent and size fields.
void SheetPanel::clearresults() {
  for (ClickLabel* l : {scale_, counterpart_, lonrange_, latrange_, lonsize_, latsize_}) l->clear();
}

// Combo2_Change and Combo2_Click: the query of the entry text.
void SheetPanel::Combo2_Change() {
  const std::string t = entrytext();
  const Parsed typed = recognize(t, edition_);
  const bool typedold = !isneworold(t);
  counterpart_->show();
  if (!typed.sheet) clearresults();
  name_->clear();
  blankcells();
  kind_->setText(qs(tables::kKindNeutral));
  counterpartcaption_->setText(qs(tables::kCounterpartNeutral));
  if (typed.sheet) showsheet(*typed.sheet, typedold, true);
  // The internal 1:20万 code of a typed old number stays in its field, out
  // of view: it is no new number.
  if (typed.sheet && typedold && !typed.sheet->scale->shownew) counterpart_->hide();
  emit queried(typed.sheet ? &*typed.sheet : nullptr, typedold);
}

// The old-number or new-number branch of the query for an accepted text.
void SheetPanel::showsheet(const Sheet& sheet, bool typedold, bool withname) {
  const SheetInfo info = describe(sheet, names_);
  kind_->setText(qs(typedold ? tables::kKindOld : tables::kKindNew));
  scale_->setText(qs(sheet.scale->label));
  counterpartcaption_->setText(qs(typedold ? tables::kCounterpartNew : tables::kCounterpartOld));
  counterpart_->setText(qs(typedold ? sheetnumber(sheet) : info.oldno.str()));
  if (withname) name_->setText(qs(info.name));
  lonrange_->setText(
      qs(std::string(info.west) + (typedold ? " -- " : "-- ") + std::string(info.east)));
  latrange_->setText(qs(std::string(info.south) + "-- " + std::string(info.north)));
  lonsize_->setText(qs(info.lonsize));
  latsize_->setText(qs(info.latsize));
  fillcontaining(sheet);
}

// The containing table; a sheet without a new number to show (1:20万)
// shows only its old number.
void SheetPanel::fillcontaining(const Sheet& sheet) {
  for (const Sheet& up : containing(sheet)) {
    const SheetInfo info = brief(up, names_);
    for (const Row& r : rows_) {
      if (r.scale != up.scale->id) continue;
      r.newno->setText(qs(info.newno));
      r.oldno->setText(qs(info.oldno));
    }
  }
}

// Command4_Click: after a table click, the branch of the query for the
// entry text once more, without the place name.
void SheetPanel::Command4_Click() {
  const std::string t = entrytext();
  const Parsed typed = recognize(t, edition_);
  blankcells();
  if (!typed.sheet) {
    clearresults();
    return;
  }
  showsheet(*typed.sheet, !isneworold(t), false);
}

// A click on a cell of the containing table queries its number.
void SheetPanel::cell_Click() {
  const auto* cell = qobject_cast<const ClickLabel*>(sender());
  if (cell == nullptr || cell->text().isEmpty()) return;
  entry_->setEditText(cell->text());
  refresh_->click();
}

// Item 0 shows the containing table; the others show what the window puts
// in its place.
void SheetPanel::Combo3_Click(int index) {
  if (index < 0) return;
  table_->setVisible(index == tables::kContaining);
  emit viewchosen(index);
}

// The entry turns lower-case letters into capitals as they are typed; every
// other key passes unchanged, except Enter, which is no choice from the list
// and does nothing there.
bool SheetPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
    const QString text = key->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('a') && text[0] <= QLatin1Char('z')) {
      QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), text.toUpper(),
                      key->isAutoRepeat(), static_cast<ushort>(key->count()));
      QCoreApplication::sendEvent(watched, &upper);
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace tufu
