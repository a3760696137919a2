// The edition of the numbering (Combo5 in the strip along the bottom):
// GB/T 13989-1992 with nine scales, or GB/T 13989-2012 with twelve.  The
// edition decides the scales the panels list and offer, how a typed new
// number is read (a 10-character number with code 'I' is a 1:20万 sheet in
// 1992 and a 1:2000 sheet in 2012), and the size of the window: the 2012
// edition's three larger scales need three more buttons and table rows.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formlayout.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"
#include "ui/table/sheettablewindow.h"
#include "ui/table/twips.h"

namespace tufu {

// Combo5_Click: the edition chosen, remembered for the next run.
void Form1::Combo5_Click(int index) {
  if (index < 0) return;
  const Edition e = index == 1 ? Edition::k2012 : Edition::k1992;
  QSettings settings(qs(tables::kSettingsOrganisation), qs(tables::kSettingsApplication));
  settings.setValue(qs(tables::kEditionKey), qs(tables::kEditionValues[index == 1 ? 1 : 0]));
  if (e != state_.edition) setedition(e);
}

void Form1::setedition(Edition e) {
  state_.edition = e;
  placeedition();
  fillscalelist();
  fillentrylist();
  rerunqueries();
}

// The controls of the edition's scales, and the room they take.
void Form1::placeedition() {
  const Edition e = state_.edition;
  const bool large = e == Edition::k2012;
  for (const auto& m : largemoves_) {
    const QRect place = large ? QRect(m.place.x(), m.place.y() + twips(m.down), m.place.width(),
                                      m.place.height() + twips(m.grow))
                              : m.place;
    // The mode panels are moved in and out of view: only their size is ours.
    if (m.down == 0)
      m.widget->resize(place.size());
    else
      m.widget->setGeometry(place);
  }
  const QSize client(twips(layout::kClientWidth),
                     twips(layout::kClientHeight + (large ? layout::kLargeRoom : 0)));
  if (size() != client || minimumSize() != client) setFixedSize(client);

  for (const auto& b : tables::kHierarchyButtons)
    commands_[b.number]->setVisible(byid(b.scale)->in(e));
  for (const auto& b : tables::kBlockButtons)
    commands_[b.number]->setVisible(byid(b.scale)->in(e));
  // A row for every scale that holds a larger scale of the edition.
  const Scale* largest = &scales(e).back();
  for (const auto& row : tables::kContainingRows) {
    const Scale* s = byid(row.scale);
    const bool shown = s->in(e) && s != largest;
    for (int n : {row.caption, row.newno, row.oldno}) labels_[n]->setVisible(shown);
  }
}

// The point query's scales.  The chosen scale stays chosen; a scale the
// edition lacks gives way to its largest, 1:5000.
void Form1::fillscalelist() {
  const auto list = scales(state_.edition);
  const int count = static_cast<int>(list.size());
  if (state_.scaletag >= count) state_.scaletag = count - 1;
  const QSignalBlocker quiet(scalelist_);
  scalelist_->clear();
  for (const Scale& s : list) scalelist_->addItem(qs(s.label));
  scalelist_->setMaxVisibleItems(count);  // every scale without scrolling
  scalelist_->setCurrentIndex(state_.scaletag);
}

// The entry list shows the forms of the 2012 edition's larger scales after
// the example of a new number.  The typed text stays as it is.
void Form1::fillentrylist() {
  const QString text = entry_->currentText();
  const QSignalBlocker quiet(entry_);
  const int base = static_cast<int>(std::size(tables::kEntryItems));
  const int extra = static_cast<int>(std::size(tables::kEntryItems2012));
  const bool has = entry_->count() > base;
  const bool wanted = state_.edition == Edition::k2012;
  if (wanted && !has)
    for (int i = 0; i < extra; ++i)
      entry_->insertItem(tables::kEntryItems2012At + i, qs(tables::kEntryItems2012[i]));
  if (!wanted && has)
    for (int i = 0; i < extra; ++i) entry_->removeItem(tables::kEntryItems2012At);
  entry_->setMaxVisibleItems(entry_->count());
  if (entry_->currentText() != text) entry_->setEditText(text);
}

// A scale button of the edition: `number` itself when the edition has its
// scale, else the button of the same panel with the edition's largest scale.
int Form1::buttonfor(int number) const {
  if (buttonscale(number) != nullptr) return number;
  int best = number;
  for (const auto& b : tables::kHierarchyButtons)
    if (tables::ishierarchybutton(number) && byid(b.scale)->in(state_.edition)) best = b.number;
  for (const auto& b : tables::kBlockButtons)
    if (tables::isblockbutton(number) && byid(b.scale)->in(state_.edition)) best = b.number;
  return best;
}

// Every query in the window once more, from what its fields hold: the point
// query, the sheet-number query with its hierarchy and diagram, and the
// block query.  The scale button pressed last stays the one that mode
// switching presses again, and its listing is the one "输出" shows.  A
// hierarchy listing at a scale the edition lacks gives way to the one the
// sheet-number query runs itself; a block listing to the edition's largest
// scale.
void Form1::rerunqueries() {
  const int saved = state_.lastscalebtn;
  const int last = buttonfor(saved);
  std::optional<Block> kept = state_.block;
  if (kept && !kept->scale->in(state_.edition)) kept.reset();
  if (blockshown_ != nullptr && !blockshown_->in(state_.edition)) clearblockresults();

  pointfield_Change();
  // The sheet-number query as typing runs it; it lists the hierarchy at the
  // first scale that nests.
  Combo2_Change();
  if (tables::ishierarchybutton(last)) {
    // The scale the user chose, where the sheet still holds it.
    if (last == saved && commands_[last]->isEnabled())
      pressscale(last);
    else if (buttonscale(state_.lastscalebtn) == nullptr)
      state_.lastscalebtn = last;
  } else {
    state_.lastscalebtn = last;
    state_.block = kept;
    if (tables::isblockbutton(last)) pressscale(last);
  }
  if (!state_.block || !state_.block->scale->in(state_.edition)) state_.block = kept;
}

QString Form1::namefolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/tufu/names");
}

QStringList Form1::mergenamefolder(const QString& folder) {
  QStringList reports;
  const QDir dir(folder);
  const QStringList files =
      dir.entryList({QStringLiteral("*.tsv")}, QDir::Files | QDir::Readable, QDir::Name);
  bool merged = false;
  for (const QString& file : files) {
    const std::string error = names_.merge(QFile::encodeName(dir.filePath(file)).toStdString());
    if (error.empty())
      merged = true;
    else
      reports << QString::fromUtf8(error.data(), static_cast<qsizetype>(error.size()));
  }
  if (merged) shownames();
  if (!reports.isEmpty())
    criticalbox_(QStringLiteral("图名文件有错误"),
                 QStringLiteral("以下图名文件未合并，程序不使用其中的图名：\n\n") +
                     reports.join(QLatin1Char('\n')));
  return reports;
}

std::string Form1::mergenames(const std::string& path) {
  std::string error = names_.merge(path);
  if (error.empty()) shownames();
  return error;
}

// Merged names reach every panel at once, and the open sheet table.
void Form1::shownames() {
  rerunqueries();
  if (sheettable_) sheettable_->setBlock(sheettable_->block());
}

}  // namespace tufu
