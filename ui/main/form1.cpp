// The main window: it builds its panels, wires them together, and keeps
// what they share: the mode, the edition, the scale button pressed last,
// the block listed last and the sheet table that shows it.
#include "ui/main/form1.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <iterator>
#include <vector>

#include "core/regions.h"
#include "ui/main/aboutpanel.h"
#include "ui/main/blockpanel.h"
#include "ui/main/controls.h"
#include "ui/main/editionstrip.h"
#include "ui/main/formlayout.h"
#include "ui/main/formtables.h"
#include "ui/main/hierarchypanel.h"
#include "ui/main/icon.h"
#include "ui/main/neighbourpanel.h"
#include "ui/main/pointpanel.h"
#include "ui/main/qtext.h"
#include "core/table.h"
#include "ui/main/sheetpanel.h"
#include "ui/table/sheettablewindow.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {

// The first of these CJK faces that is installed, at the largest size up to
// 9 points (12 pixels) whose lines are no taller than the layout's: one line
// of a caption takes 255 twips, 17 pixels, less a pixel of frame in the
// table cells.
QFont windowfont() {
  QFont font;
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"),
                    QStringLiteral("PingFang SC"), QStringLiteral("SimSun")});
  constexpr int kLargest = 12, kSmallest = 9, kLineHeight = 16;
  font.setPixelSize(kLargest);
  while (font.pixelSize() > kSmallest && QFontMetrics(font).height() > kLineHeight)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

/// The edition chosen in the last run; 1992 when none was chosen.
Edition rememberededition() {
  const QSettings settings(qs(tables::kSettingsOrganisation), qs(tables::kSettingsApplication));
  return settings.value(qs(tables::kEditionKey)).toString() == qs(tables::kEditionValues[1])
             ? Edition::k2012
             : Edition::k1992;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  criticalbox_ = [this](const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
  };
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("tufu 图幅编号计算"));
  setWindowIcon(windowicon());
  setFont(windowfont());

  // The panels.  The block query stands in the point query's frame, the
  // hierarchy and the diagram in the sheet-number query's, in the place of
  // its containing table.
  point_ = new PointPanel(this, &names_);
  block_ = new BlockPanel(point_, &names_);
  block_->hide();
  sheet_ = new SheetPanel(this, &names_);
  hierarchy_ = new HierarchyPanel(sheet_, &names_);
  hierarchy_->hide();
  neighbours_ = new NeighbourPanel(sheet_, &names_);
  neighbours_->hide();
  about_ = new AboutPanel(this, namefolder());
  strip_ = new EditionStrip(this);
  sheet_->hide();
  about_->hide();

  // The mode buttons, above the panel in view.
  const layout::Button* modes[] = {&layout::kCoordinatesButton, &layout::kSheetNumbersButton,
                                   &layout::kAboutButton};
  for (int i = 0; i < 3; ++i) modebuttons_[i] = makebutton(this, *modes[i]);

  // The wiring.
  connect(modebuttons_[0], &QPushButton::clicked, this, [this] { switchmode(kCoordinates); });
  connect(modebuttons_[1], &QPushButton::clicked, this, [this] { switchmode(kSheetNumbers); });
  connect(modebuttons_[2], &QPushButton::clicked, this, [this] { switchmode(kAbout); });

  connect(point_, &PointPanel::inputchanged, this, &Form1::pointchanged);
  connect(point_, &PointPanel::kindchosen, this, &Form1::querykindchosen);
  connect(point_, &PointPanel::numberchosen, sheet_, &SheetPanel::setentry);

  connect(block_, &BlockPanel::checked, this, &Form1::blockchecked);
  connect(block_, &BlockPanel::listed, this, &Form1::blocklisted);
  connect(block_, &BlockPanel::pressed, this, &Form1::scalepressed);
  connect(block_, &BlockPanel::outputrequested, this, &Form1::output);

  connect(sheet_, &SheetPanel::queried, this, &Form1::sheetqueried);
  connect(sheet_, &SheetPanel::viewchosen, this, &Form1::viewchosen);

  connect(hierarchy_, &HierarchyPanel::listed, this, &Form1::blocklisted);
  connect(hierarchy_, &HierarchyPanel::pressed, this, &Form1::scalepressed);
  connect(hierarchy_, &HierarchyPanel::outputrequested, this, &Form1::output);

  connect(neighbours_, &NeighbourPanel::numberchosen, sheet_, &SheetPanel::setentry);

  connect(strip_, &EditionStrip::editionchosen, this, &Form1::editionchosen);

  settaborder();
  Form_Load();
}

Form1::~Form1() {
  // The controls outlive this destructor and still emit while they are torn
  // down (the entry's line edit losing focus reports an activation, say):
  // no handler of the window or of a panel may run on a half-destroyed one.
  const QObject* receivers[] = {this, point_, block_, sheet_, hierarchy_, neighbours_, strip_};
  for (QObject* child : findChildren<QObject*>())
    for (const QObject* r : receivers) child->disconnect(r);
  delete sheettable_.data();
}

SheetTableWindow* Form1::sheettable() const { return sheettable_.data(); }

void Form1::setcriticalbox(CriticalBox box) { criticalbox_ = std::move(box); }

// ---------------------------------------------------------------------------
// Start-up, modes, activation and closing

void Form1::Form_Load() {
  // The edition of the last run, before anything is computed.
  state_.edition = rememberededition();
  strip_->showedition(state_.edition);
  placeedition();

  point_->choosekind(0);  // "单点查询": arranges the point query

  state_.blockvalid = false;
  state_.lastscalebtn = 17;

  point_->move(twips(layout::kPanelLeft), twips(layout::kPanelTop));
  point_->show();
  for (QWidget* away : {static_cast<QWidget*>(sheet_), static_cast<QWidget*>(about_)}) {
    away->move(twips(layout::kPanelAwayLeft), twips(layout::kPanelTop));
    away->hide();
  }
  state_.mode = kCoordinates;
  state_.scaletag = point_->scaleindex();

  const QString origin = QStringLiteral("00,00,00");
  point_->setfields(origin);
  block_->setbounds(origin, origin, origin, origin);

  hierarchy_->shownew();
  hierarchy_->hide();
}

void Form1::switchmode(Mode mode) {
  QWidget* panels[3] = {point_, sheet_, about_};
  for (int i = 0; i < 3; ++i) {
    const bool own = i + 1 == mode;
    panels[i]->move(twips(own ? layout::kPanelLeft : layout::kPanelAwayLeft),
                    twips(layout::kPanelTop));
    panels[i]->setVisible(own);
    modebuttons_[i]->move(modebuttons_[i]->x(),
                          twips(own ? layout::kModeButtonRaised : layout::kModeButtonTop));
  }
  state_.mode = mode;
  focusmodeinput();
  updatestatus();

  const int last = state_.lastscalebtn;
  if (mode == kCoordinates && BlockPanel::hasbutton(last)) pressscale(last);
  if (mode == kSheetNumbers && HierarchyPanel::hasbutton(last)) pressscale(last);
}

// The input of the mode in view takes the focus: a field out of view never
// receives the user's keystrokes.
void Form1::focusmodeinput() {
  switch (state_.mode) {
    case kCoordinates:
      if (block_->isHidden())
        point_->focusinput();
      else
        block_->focusinput();
      break;
    case kSheetNumbers:
      sheet_->focusinput();
      break;
    case kAbout:
      modebuttons_[2]->setFocus();
      break;
  }
}

// The Tab key's path through the whole window, made of the panels' own:
// the mode buttons, the hierarchy, the sheet-number query, the block query,
// the point query, the edition list.  It passes by whatever is out of view,
// so each mode sees its part of it: the block query after the mode buttons
// and before the query kind list, which follows the point query's fields.
//
// The path runs unbroken from the first mode button to the edition list,
// after every caption: from a caption that a click gave the focus, Tab goes
// to Command1 and Shift+Tab to Combo5.  The mode buttons, made last, end
// the window's focus chain, and each control is moved behind the one before
// it.  setTabOrder leaves a control in place when the nearest control before
// it that takes the focus is already that one, captions between them or
// not; the window takes the focus while the path is laid, so that this
// nearest control is never found by going round past the window.
void Form1::settaborder() {
  std::vector<QWidget*> chain(std::begin(modebuttons_), std::end(modebuttons_));
  for (const std::vector<QWidget*>& part :
       {hierarchy_->focuschain(), sheet_->focuschain(), block_->focuschain(),
        point_->focuschain(), strip_->focuschain()})
    chain.insert(chain.end(), part.begin(), part.end());
  const Qt::FocusPolicy own = focusPolicy();
  setFocusPolicy(Qt::TabFocus);
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
  setFocusPolicy(own);
}

void Form1::updatestatus() {
  std::string why;
  if (state_.mode == kCoordinates) why = block_->isHidden() ? point_->refusal() : block_->refusal();
  if (state_.mode == kSheetNumbers) why = sheet_->refusal();
  strip_->setstatus(why);
}

void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) focusmodeinput();
  QWidget::changeEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (sheettable_) sheettable_->close();
  QWidget::closeEvent(event);
}

// ---------------------------------------------------------------------------
// What the panels report

void Form1::pointchanged() {
  state_.scaletag = point_->scaleindex();
  updatestatus();
}

// Combo4: the point query (item 0), or the block query for the bounds as
// they are (item 1) or for a region's.
void Form1::querykindchosen(int index) {
  if (index == 0) {
    point_->showcontrols(true);
    block_->hide();
    updatestatus();
    return;
  }
  point_->showcontrols(false);
  block_->show();
  block_->shownew();
  if (index >= 2 && index - 2 < static_cast<int>(std::size(kRegions)))
    block_->setbounds(kRegions[index - 2]);
  updatestatus();
}

// Every change of the block's bounds that leaves a block lists it again at
// the scale pressed last, when that is a block query button.
void Form1::blockchecked(bool valid) {
  state_.blockvalid = valid;
  if (valid && BlockPanel::hasbutton(state_.lastscalebtn)) pressscale(state_.lastscalebtn);
  updatestatus();
}

// The hierarchy and the diagram follow the queried sheet.
void Form1::sheetqueried(const Sheet* sheet, bool typedold) {
  hierarchy_->setsheet(sheet);
  hierarchy_->follow();
  neighbours_->showsheet(sheet, typedold);
  updatestatus();
}

void Form1::viewchosen(int index) {
  hierarchy_->setVisible(index == tables::kContained);
  neighbours_->setVisible(index == tables::kNeighbours);
}

void Form1::scalepressed(int number) { state_.lastscalebtn = number; }

void Form1::blocklisted(const Block& block) { state_.block = block; }

void Form1::output() {
  // Nothing has been listed yet: there is no table to show.
  if (!state_.block) return;
  if (!fitstable(*state_.block)) {
    criticalbox_(qs(tables::kTooLargeTitle), qs(kTableTooLarge));
    return;
  }
  const bool opening = !sheettable_;
  if (opening) {
    sheettable_ = new SheetTableWindow;
    sheettable_->setAttribute(Qt::WA_DeleteOnClose);
    sheettable_->setNames(&names_);
  }
  sheettable_->setBlock(*state_.block);
  // Opened beside this window, large enough for the whole table; a window
  // already open keeps its place and grows to a larger table.
  if (opening) {
    sheettable_->placebeside(this);
  } else if (!sheettable_->isMaximized()) {
    const QSize want = sheettable_->wholetablesize().boundedTo(
        sheettable_->screen()->availableGeometry().size());
    sheettable_->resize(sheettable_->size().expandedTo(want));
  }
  sheettable_->show();
  sheettable_->raise();
  sheettable_->activateWindow();
}

// Combo5: the edition chosen, remembered for the next run.
void Form1::editionchosen(Edition e) {
  QSettings settings(qs(tables::kSettingsOrganisation), qs(tables::kSettingsApplication));
  settings.setValue(qs(tables::kEditionKey),
                    qs(tables::kEditionValues[e == Edition::k2012 ? 1 : 0]));
  if (e != state_.edition) setedition(e);
}

// ---------------------------------------------------------------------------
// Scale buttons

void Form1::pressscale(int number) {
  if (BlockPanel::hasbutton(number))
    block_->press(number);
  else if (HierarchyPanel::hasbutton(number))
    hierarchy_->press(number);
}

const Scale* Form1::buttonscale(int number) const {
  if (HierarchyPanel::hasbutton(number)) return hierarchy_->buttonscale(number);
  if (BlockPanel::hasbutton(number)) return block_->buttonscale(number);
  return nullptr;
}

// A scale button of the edition: `number` itself when the edition has its
// scale, else the button of the same panel with the edition's largest scale.
int Form1::buttonfor(int number) const {
  if (buttonscale(number) != nullptr) return number;
  if (HierarchyPanel::hasbutton(number)) return hierarchy_->largestbutton();
  if (BlockPanel::hasbutton(number)) return block_->largestbutton();
  return number;
}

// ---------------------------------------------------------------------------
// Edition and names

void Form1::setedition(Edition e) {
  state_.edition = e;
  placeedition();
  rerunqueries();
}

// The controls of the edition's scales, and the room they take: the window
// and the mode panels grow, the strip moves down.
void Form1::placeedition() {
  const Edition e = state_.edition;
  const int room = e == Edition::k2012 ? layout::kLargeRoom : 0;
  const QSize client(twips(layout::kClientWidth), twips(layout::kClientHeight + room));
  if (size() != client || minimumSize() != client) setFixedSize(client);
  // The mode panels are moved in and out of view: only their size is ours.
  const QSize panel(twips(layout::kPanelWidth), twips(layout::kPanelHeight + room));
  for (QWidget* p : {static_cast<QWidget*>(point_), static_cast<QWidget*>(sheet_),
                     static_cast<QWidget*>(about_)})
    p->resize(panel);
  strip_->move(0, twips(layout::kStripTop + room));

  point_->setedition(e);
  state_.scaletag = point_->scaleindex();
  block_->setedition(e);
  sheet_->setedition(e);
  hierarchy_->setedition(e);
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

  point_->rerun();
  // The sheet-number query as typing runs it; it lists the hierarchy at the
  // first scale that nests.
  sheet_->rerun();
  if (HierarchyPanel::hasbutton(last)) {
    // The scale the user chose, where the sheet still holds it.
    if (last == saved && hierarchy_->isenabled(last))
      pressscale(last);
    else if (buttonscale(state_.lastscalebtn) == nullptr)
      state_.lastscalebtn = last;
  } else {
    state_.lastscalebtn = last;
    state_.block = kept;
    if (BlockPanel::hasbutton(last)) pressscale(last);
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
