// The main window: its controls, start-up, modes, output and closing.
#include "ui/main/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStandardPaths>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>

#include "core/table.h"
#include "gazetteer/gazetteer.h"
#include "ui/main/clicklabel.h"
#include "ui/main/formlayout.h"
#include "ui/main/formtables.h"
#include "ui/main/icon.h"
#include "ui/main/qtext.h"
#include "ui/table/sheettablewindow.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {

QRect pixels(const layout::Place& p) {
  return {twips(p.left), twips(p.top), twips(p.width), twips(p.height)};
}

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

// A field or list at `place`, made as tall as its font needs where a face
// with tall lines is in use, around the same middle.
QRect fitted(const QWidget* w, QRect place) {
  const int need = w->sizeHint().height() - place.height();
  if (need > 0) place.adjust(0, -need / 2, 0, need - need / 2);
  return place;
}

QString name(const char* kind, int number) {
  return QString::fromLatin1(kind) + QString::number(number);
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
  buildcontrols();
  connecthandlers();
  Form_Load();
}

Form1::~Form1() {
  // The controls outlive this destructor and still emit while they are torn
  // down (the entry's line edit losing focus reports an activation, say):
  // no handler may run on a half-destroyed window.
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
  delete sheettable_.data();
}

SheetTableWindow* Form1::sheettable() const { return sheettable_.data(); }

void Form1::setcriticalbox(CriticalBox box) { criticalbox_ = std::move(box); }

// ---------------------------------------------------------------------------
// Controls

QWidget* Form1::frameof(int frame) const {
  return frame == layout::kForm ? const_cast<Form1*>(this) : static_cast<QWidget*>(frames_[frame]);
}

ClickLabel* Form1::makelabel(int number, std::string_view text, int frame, unsigned style) {
  auto* l = new ClickLabel(frameof(frame));
  l->setObjectName(name("Label", number));
  l->setTextFormat(Qt::PlainText);
  l->setText(qs(text));
  Qt::Alignment align = Qt::AlignLeft;
  if (style & layout::kRight) align = Qt::AlignRight;
  if (style & layout::kCentre) align = Qt::AlignHCenter;
  if (style & layout::kWrap) {
    l->setWordWrap(true);
    if (style & layout::kMiddle)
      align |= Qt::AlignVCenter;
    else
      align |= (style & layout::kBottom) ? Qt::AlignBottom : Qt::AlignTop;
  } else {
    align |= Qt::AlignVCenter;
  }
  l->setAlignment(align);
  if (style & layout::kBoxed) {
    l->setFrameShape(QFrame::Box);
    l->setIndent(2);
  }
  if (style & layout::kBordered) l->setFrameShape(QFrame::Box);
  if (style & layout::kOpaque) l->setAutoFillBackground(true);
  if (style & layout::kHatched) {
    // Hatched like the sheet's own square in a printed margin diagram.
    QPalette palette = l->palette();
    palette.setBrush(QPalette::Window, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
    l->setPalette(palette);
    l->setAutoFillBackground(true);
  }
  labels_[number] = l;
  return l;
}

void Form1::buildcontrols() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("tufu 图幅编号计算"));
  setWindowIcon(windowicon());
  setFont(windowfont());

  // Frames, each after the frame it stands in.
  for (const auto& f : layout::kFrames) {
    auto* frame = new QFrame(frameof(f.place.frame));
    frame->setObjectName(f.number == layout::kTableBox ? QStringLiteral("ContainingTable")
                                                       : name("Frame", f.number));
    frame->setGeometry(pixels(f.place));
    frame->setFrameShape(f.boxed ? QFrame::Box : QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Sunken);
    frames_[f.number] = frame;
  }
  // The edition strip is set off from the panels by a line.
  auto* rule = new QFrame(frames_[8]);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(0, 0, twips(layout::kClientWidth), 2);

  for (const auto& l : layout::kPointLabels) {
    auto* label = makelabel(l.number, l.caption, l.place.frame, l.style);
    label->setGeometry(pixels(l.place));
    pointcontrols_.push_back({label, pixels(l.place)});
  }
  for (const auto& l : layout::kLabels)
    makelabel(l.number, l.caption, l.place.frame, l.style)->setGeometry(pixels(l.place));
  for (const auto& l : layout::kAboutLabels)
    makelabel(l.number, l.caption, l.place.frame, l.style)->setGeometry(pixels(l.place));
  for (int n : tables::kCopyable) labels_[n]->makecopyable();
  {
    QPalette red = labels_[112]->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    labels_[112]->setPalette(red);
  }
  settext(131, QStringLiteral("版本：%1").arg(QStringLiteral(TUFU_VERSION)));
  settext(133, QStringLiteral("图名文件夹：%1 (其中每个 .tsv 文件在启动时合并)")
                   .arg(QDir::toNativeSeparators(namefolder())));
  QFont heading = labels_[61]->font();
  heading.setPixelSize(heading.pixelSize() + 3);
  heading.setBold(true);
  while (QFontMetrics(heading).height() >= labels_[61]->height())
    heading.setPixelSize(heading.pixelSize() - 1);
  labels_[61]->setFont(heading);

  image1_ = new QLabel(frames_[3]);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(pixels(layout::kImage1));
  image1_->setPixmap(iconpixmap(twips(layout::kImage1.width)));

  for (const auto& b : layout::kButtons) {
    auto* button = new QPushButton(qs(b.caption), frameof(b.place.frame));
    button->setObjectName(name("Command", b.number));
    button->setGeometry(pixels(b.place));
    button->setAutoDefault(false);
    commands_[b.number] = button;
  }
  commands_[4]->hide();
  for (int n : {1, 2, 3}) commands_[n]->raise();

  const std::pair<int, layout::Place> texts[] = {{1, layout::kText1}, {2, layout::kText2},
                                                 {3, layout::kText3}, {4, layout::kText4},
                                                 {5, layout::kText5}, {6, layout::kText6}};
  for (const auto& [n, place] : texts) {
    auto* edit = new QLineEdit(frameof(place.frame));
    edit->setObjectName(name("Text", n));
    edit->setGeometry(fitted(edit, pixels(place)));
    texts_[n] = edit;
  }
  pointcontrols_.push_back({texts_[1], texts_[1]->geometry()});
  pointcontrols_.push_back({texts_[2], texts_[2]->geometry()});

  scalelist_ = new QComboBox(frames_[1]);
  scalelist_->setObjectName(QStringLiteral("Combo1"));
  scalelist_->setGeometry(fitted(scalelist_, pixels(layout::kCombo1)));
  pointcontrols_.push_back({scalelist_, scalelist_->geometry()});

  querymode_ = new QComboBox(frames_[1]);
  querymode_->setObjectName(QStringLiteral("Combo4"));
  querymode_->setGeometry(fitted(querymode_, pixels(layout::kCombo4)));
  querymode_->setMaxVisibleItems(18);
  querymode_->addItem(qs(tables::kSinglePoint));
  querymode_->addItem(qs(tables::kBlockQuery));
  for (const auto& r : kRegions) querymode_->addItem(qs(r.name));
  querymode_->setCurrentIndex(-1);  // the start-up selects "单点查询"

  entry_ = new QComboBox(frames_[2]);
  entry_->setObjectName(QStringLiteral("Combo2"));
  entry_->setGeometry(fitted(entry_, pixels(layout::kCombo2)));
  entry_->setEditable(true);
  entry_->setInsertPolicy(QComboBox::NoInsert);
  entry_->setCompleter(nullptr);  // no inline completion: every keystroke is a query
  entry_->setMaxVisibleItems(22);
  for (const auto& item : tables::kEntryItems) entry_->addItem(qs(item));
  entry_->setCurrentIndex(-1);
  entry_->clearEditText();
  entry_->installEventFilter(this);
  entry_->lineEdit()->installEventFilter(this);

  viewchooser_ = new QComboBox(frames_[2]);
  viewchooser_->setObjectName(QStringLiteral("Combo3"));
  viewchooser_->setGeometry(fitted(viewchooser_, pixels(layout::kCombo3)));
  viewchooser_->addItem(qs(tables::kContainingView));
  viewchooser_->addItem(qs(tables::kContainedView));
  viewchooser_->addItem(qs(tables::kNeighboursView));
  viewchooser_->setCurrentIndex(0);

  editions_ = new QComboBox(frames_[8]);
  editions_->setObjectName(QStringLiteral("Combo5"));
  editions_->setGeometry(fitted(editions_, pixels(layout::kCombo5)));
  for (const auto& item : tables::kEditionItems) editions_->addItem(qs(item));
  labels_[111]->setBuddy(editions_);

  for (const auto& m : layout::kLargeMoves) {
    QWidget* w = m.kind == layout::Kind::Frame ? static_cast<QWidget*>(frames_[m.number])
                                               : labels_[m.number];
    largemoves_.push_back({w, w->geometry(), m.down, m.grow});
  }

  frames_[6]->hide();
  frames_[6]->raise();
  frames_[4]->raise();
  frames_[9]->hide();
  frames_[2]->hide();
  frames_[3]->hide();
}

void Form1::connecthandlers() {
  connect(commands_[1], &QPushButton::clicked, this, [this] { switchmode(1); });
  connect(commands_[2], &QPushButton::clicked, this, [this] { switchmode(2); });
  connect(commands_[3], &QPushButton::clicked, this, [this] { switchmode(3); });

  // Point query.
  for (int n : {1, 2})
    connect(texts_[n], &QLineEdit::textChanged, this, [this] { pointfield_Change(); });
  connect(scalelist_, &QComboBox::currentIndexChanged, this, [this](int i) { Combo1_Click(i); });
  for (int n : {9, 10})
    connect(labels_[n], &ClickLabel::clicked, this, [this, n] { numberlabel_Click(n); });

  // Sheet-number query.
  // A choice from the list runs the query even when the entry already holds
  // the item's text; running it twice for one choice changes nothing.
  connect(entry_, &QComboBox::editTextChanged, this, [this] { Combo2_Change(); });
  connect(entry_, &QComboBox::activated, this, [this] { Combo2_Change(); });
  connect(commands_[4], &QPushButton::clicked, this, [this] { Command4_Click(); });
  for (const auto& row : tables::kContainingRows)
    for (int n : {row.newno, row.oldno})
      connect(labels_[n], &ClickLabel::clicked, this, [this, n] { cell_Click(n); });
  for (const auto& row : tables::kDiagramCells)
    for (int n : row)
      connect(labels_[n], &ClickLabel::clicked, this, [this, n] { diagram_Click(n); });

  // Hierarchy panel.
  connect(viewchooser_, &QComboBox::currentIndexChanged, this, [this](int i) { Combo3_Click(i); });
  for (const auto& b : tables::kHierarchyButtons) {
    const int n = b.number;
    connect(commands_[n], &QPushButton::clicked, this, [this, n] { hierarchyscale_Click(n); });
  }
  connect(commands_[5], &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(commands_[6], &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(commands_[14], &QPushButton::clicked, this, [this] { output(); });

  // Block query.  A choice from the list runs the handler even when the
  // item was already selected (to restore a region's bounds); running it
  // twice for one choice changes nothing.
  connect(querymode_, &QComboBox::currentIndexChanged, this, [this](int i) { Combo4_Click(i); });
  connect(querymode_, &QComboBox::activated, this, [this](int i) { Combo4_Click(i); });
  for (int n : {3, 4, 5, 6})
    connect(texts_[n], &QLineEdit::textChanged, this, [this] { blockfield_Change(); });
  for (const auto& b : tables::kBlockButtons) {
    const int n = b.number;
    connect(commands_[n], &QPushButton::clicked, this, [this, n] { blockscale_Click(n); });
  }
  connect(commands_[26], &QPushButton::clicked, this, [this] { Command26_Click(); });
  connect(commands_[27], &QPushButton::clicked, this, [this] { Command27_Click(); });
  connect(commands_[16], &QPushButton::clicked, this, [this] { output(); });

  connect(editions_, &QComboBox::currentIndexChanged, this, [this](int i) { Combo5_Click(i); });
}

// ---------------------------------------------------------------------------
// Start-up, modes, activation and closing

void Form1::Form_Load() {
  // The edition of the last run, before anything is computed.
  state_.edition = rememberededition();
  {
    const QSignalBlocker quiet(editions_);
    editions_->setCurrentIndex(state_.edition == Edition::k2012 ? 1 : 0);
  }
  placeedition();
  fillentrylist();

  querymode_->setCurrentIndex(0);  // "单点查询": arranges the point query

  state_.blockvalid = 0;
  state_.lastscalebtn = 17;

  frames_[1]->move(twips(layout::kPanelLeft), twips(layout::kPanelTop));
  frames_[1]->show();
  for (int n : {2, 3}) {
    frames_[n]->move(twips(layout::kPanelAwayLeft), twips(layout::kPanelTop));
    frames_[n]->hide();
  }
  state_.mode = 1;

  state_.scaletag = 0;
  fillscalelist();

  for (int n = 1; n <= 6; ++n) texts_[n]->setText(QStringLiteral("00,00,00"));

  for (int n : tables::kClearedAtStart) labels_[n]->clear();

  Command5_Click();
  frames_[4]->hide();
  frames_[layout::kTableBox]->show();

  for (int n : tables::kBorderless) labels_[n]->setFrameShape(QFrame::NoFrame);
}

void Form1::switchmode(int mode) {
  for (int n : {1, 2, 3}) {
    const bool own = n == mode;
    frames_[n]->move(twips(own ? layout::kPanelLeft : layout::kPanelAwayLeft),
                     twips(layout::kPanelTop));
    frames_[n]->setVisible(own);
    commands_[n]->move(commands_[n]->x(),
                       twips(own ? layout::kModeButtonRaised : layout::kModeButtonTop));
  }
  state_.mode = mode;
  focusmodeinput();
  updatestatus();

  const int last = state_.lastscalebtn;
  if (mode == 1 && tables::isblockbutton(last)) pressscale(last);
  if (mode == 2 && tables::ishierarchybutton(last)) pressscale(last);
}

// The input of the mode in view takes the focus: a field out of view never
// receives the user's keystrokes.
void Form1::focusmodeinput() {
  switch (state_.mode) {
    case 1:
      (frames_[6]->isHidden() ? texts_[1] : texts_[3])->setFocus();
      break;
    case 2:
      entry_->setFocus();
      break;
    default:
      commands_[3]->setFocus();
      break;
  }
}

void Form1::pressscale(int number) {
  if (tables::isblockbutton(number))
    blockscale_Click(number);
  else if (tables::ishierarchybutton(number))
    hierarchyscale_Click(number);
}

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

void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) focusmodeinput();
  QWidget::changeEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (sheettable_) sheettable_->close();
  QWidget::closeEvent(event);
}

// The sheet-number entry turns lower-case letters into capitals as they are
// typed; every other key passes unchanged, except Enter, which is no choice
// from the list and does nothing there.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
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
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Sheets described, with their results recorded

SheetInfo Form1::describesheet(const Sheet& s) { return describe(s, &names_); }

SheetInfo Form1::brieflabel(const Sheet& s) { return brief(s, &names_); }

void Form1::recordnew(const Sheet& s) { state_.newmapno = sheetnumber(s); }

void Form1::recordold(const SheetInfo& info) {
  state_.newoldresult = Converted{info.oldno.str(), info.sheet.scale->code, info.sheet.scale->label};
}

void Form1::recordoldnew(const Sheet& s) {
  state_.oldnewresult = Converted{sheetnumber(s), s.scale->code, s.scale->label};
}

void Form1::recordextent(const Sheet& s) {
  const Extent e = extentof(s);
  state_.rangewest = e.rangewest;
  state_.rangeeast = e.rangeeast;
  state_.rangesouth = e.rangesouth;
  state_.rangenorth = e.rangenorth;
  state_.rangewestdms = e.rangewestdms;
  state_.rangesouthdms = e.rangesouthdms;
}

void Form1::recordsizes(const SheetInfo& info) {
  state_.jcha = info.lonsize;
  state_.wcha = info.latsize;
}

void Form1::recordblock(const Block& b) { state_.block = b; }

const Scale* Form1::buttonscale(int number) const {
  auto inuse = [this](int id) {
    const Scale* s = byid(id);
    return s->in(state_.edition) ? s : nullptr;
  };
  for (const auto& b : tables::kHierarchyButtons)
    if (b.number == number) return inuse(b.scale);
  for (const auto& b : tables::kBlockButtons)
    if (b.number == number) return inuse(b.scale);
  return nullptr;
}

// ---------------------------------------------------------------------------
// Controls by number

QLabel* Form1::label(int number) const { return labels_[number]; }

void Form1::settext(int number, std::string_view text) { labels_[number]->setText(qs(text)); }

void Form1::settext(int number, const QString& text) { labels_[number]->setText(text); }

std::string Form1::caption(int number) const { return labels_[number]->text().toStdString(); }

std::string Form1::fieldtext(int number) const { return texts_[number]->text().toStdString(); }

std::string Form1::entrytext() const { return entry_->currentText().toStdString(); }

}  // namespace tufu
