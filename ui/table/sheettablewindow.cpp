#include "ui/table/sheettablewindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "gazetteer/gazetteer.h"
#include "gis/grid.h"
#include "ui/table/sheettable.h"
#include "ui/table/tableoutput.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {

// Window layout, in twips.
constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 3090;
constexpr int kButtonWidth = 615;
constexpr int kButtonGap = 60;  // between the buttons
constexpr int kButtonHeight = 300;
constexpr int kPictureTop = 300;  // just below the button

// The fewest scroll steps whose offset (see scrolled) brings the far edge
// of a picture `picture` pixels long into a view `view` pixels long: the
// smallest k with twips(200 × k) ≥ picture − view.
int scrollrange(int picture, int view) {
  const int hidden = picture - view;
  if (hidden <= 0) return 0;
  const int unit = SheetTableWindow::kScrollUnit;
  return (hidden * kTwipsPerPixel - kTwipsPerPixel / 2 + unit - 1) / unit;
}

}  // namespace

/// The part of the table image that the window shows.
class TablePicture final : public QWidget {
 public:
  TablePicture(const QImage& image, const TableDrawing& drawing, QWidget* parent)
      : QWidget(parent), image_(image), drawing_(drawing) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  /// The scroll bars that the mouse wheel turns over the picture.
  void setScrollBars(QScrollBar* horizontal, QScrollBar* vertical) {
    horizontal_ = horizontal;
    vertical_ = vertical;
  }

  QPoint offset() const { return offset_; }
  void setOffset(QPoint offset) {
    if (offset == offset_) return;
    offset_ = offset;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().window());
    const QRect source = dirty.translated(offset_).intersected(image_.rect());
    if (source.isEmpty()) return;
    if (devicePixelRatioF() == 1.0) {
      // Only the exposed part of the image is copied.
      painter.drawImage(source.topLeft() - offset_, image_, source);
      return;
    }
    // A screen with more than one device pixel to a pixel: the exposed part
    // is drawn again at its resolution, sharp, from the same drawing.
    painter.fillRect(source.translated(-offset_), Qt::white);
    painter.setClipRect(source.translated(-offset_));
    painter.translate(-offset_);
    painttable(painter, drawing_, source);
  }

  void wheelEvent(QWheelEvent* event) override {
    const QPoint delta = event->angleDelta();
    const bool sideways = qAbs(delta.x()) > qAbs(delta.y());
    QScrollBar* bar = sideways ? horizontal_ : vertical_;
    if (bar != nullptr) {
      QCoreApplication::sendEvent(bar, event);
    } else {
      event->ignore();
    }
  }

 private:
  const QImage& image_;
  const TableDrawing& drawing_;
  QPoint offset_;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
};

SheetTableWindow::SheetTableWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      command1_(new QPushButton(QStringLiteral("保存"), this)),
      command2_(new QPushButton(QStringLiteral("导出…"), this)),
      command3_(new QPushButton(QStringLiteral("打印…"), this)),
      picture1_(new TablePicture(image_, drawing_, this)),
      hscroll1_(new QScrollBar(Qt::Horizontal, this)),
      vscroll1_(new QScrollBar(Qt::Vertical, this)),
      dialogs_(std::make_shared<QtSaveDialogs>()),
      filename_(kInitialFileName),
      exportname_(kInitialExportName),
      exportfilter_(exportfilters().front()) {
  setObjectName(QStringLiteral("form2"));
  setWindowTitle(QStringLiteral("分幅表"));
  command1_->setObjectName(QStringLiteral("Command1"));
  command2_->setObjectName(QStringLiteral("Command2"));
  command3_->setObjectName(QStringLiteral("Command3"));
  picture1_->setObjectName(QStringLiteral("Picture1"));
  hscroll1_->setObjectName(QStringLiteral("HScroll1"));
  vscroll1_->setObjectName(QStringLiteral("VScroll1"));
  for (QScrollBar* bar : {hscroll1_, vscroll1_}) {
    bar->setSingleStep(1);
    connect(bar, &QScrollBar::valueChanged, this, &SheetTableWindow::scrolled);
  }
  picture1_->setScrollBars(hscroll1_, vscroll1_);
  connect(command1_, &QPushButton::clicked, this, [this] { save(); });
  connect(command2_, &QPushButton::clicked, this, [this] { exportfile(); });
  connect(command3_, &QPushButton::clicked, this, [this] { print(); });

  resize(twips(kClientWidth), twips(kClientHeight));
  placecontrols();
  setBlock(Block{});
}

SheetTableWindow::~SheetTableWindow() = default;

void SheetTableWindow::setBlock(const Block& block) {
  block_ = block;
  drawnnames_ = names_ != nullptr ? names_ : &builtingazetteer();
  drawing_ = drawtable(block_, *drawnnames_);
  image_ = painttable(drawing_);
  picturewidth_ = picturewidth(block_);
  pictureheight_ = pictureheight(block_);
  hscroll1_->setValue(0);
  vscroll1_->setValue(0);
  setscrollranges();
  scrolled();
  picture1_->update();
}

void SheetTableWindow::setNames(const Names* names) { names_ = names; }

QPoint SheetTableWindow::scrolloffset() const { return picture1_->offset(); }

void SheetTableWindow::setSaveDialogs(std::shared_ptr<SaveDialogs> dialogs) {
  if (dialogs) dialogs_ = std::move(dialogs);
}

bool SheetTableWindow::save() {
  const std::optional<QString> chosen = dialogs_->savefilename(
      this, filename_, QStringLiteral("bmp"), QStringLiteral("未命名(*.bmp)"));
  if (!chosen || chosen->isEmpty()) return false;
  filename_ = withbmpsuffix(*chosen);
  const QString failure = writebmp(image_, filename_);
  if (failure.isEmpty()) return true;
  dialogs_->showerror(this, QStringLiteral("错误"),
                      QStringLiteral("无法保存文件“%1”：\n%2")
                          .arg(QDir::toNativeSeparators(filename_), failure));
  return false;
}

QStringList SheetTableWindow::exportfilters() {
  QStringList filters;
  for (const gis::FormatInfo& f : gis::formats())
    filters << QString::fromUtf8(f.title.data(), static_cast<qsizetype>(f.title.size())) +
                   QStringLiteral(" (*.") +
                   QString::fromUtf8(f.extension.data(), static_cast<qsizetype>(f.extension.size())) +
                   QStringLiteral(")");
  filters << QStringLiteral("PDF (*.pdf)") << QStringLiteral("SVG (*.svg)")
          << QStringLiteral("PNG (*.png)");
  return filters;
}

bool SheetTableWindow::exportfile() {
  const QStringList filters = exportfilters();
  const auto choice = dialogs_->exportfilename(this, exportname_, filters, exportfilter_);
  if (!choice || choice->path.isEmpty()) return false;
  QString path = choice->path;
  const auto filterof = [&](const QString& suffix) -> QString {
    for (const QString& f : filters)
      if (filtersuffix(f) == suffix) return f;
    return {};
  };
  QString suffix = QFileInfo(path).suffix().toLower();
  if (filterof(suffix).isEmpty()) {
    suffix = filtersuffix(filters.contains(choice->filter) ? choice->filter : exportfilter_);
    if (!path.endsWith(QLatin1Char('.'))) path += QLatin1Char('.');
    path += suffix;
  }
  exportname_ = path;
  exportfilter_ = filterof(suffix);
  const QString failure = writeexport(path, suffix);
  if (failure.isEmpty()) return true;
  dialogs_->showerror(this, QStringLiteral("错误"),
                      QStringLiteral("无法导出文件“%1”：\n%2")
                          .arg(QDir::toNativeSeparators(path), failure));
  return false;
}

QString SheetTableWindow::writeexport(const QString& path, const QString& suffix) const {
  if (suffix == QStringLiteral("pdf")) return writetablepdf(drawing_, path);
  if (suffix == QStringLiteral("svg")) return writetablesvg(drawing_, path);
  if (suffix == QStringLiteral("png")) return writetablepng(image_, path);
  gis::GridOptions options;
  options.format = gis::formatnamed(suffix.toStdString());
  options.names = drawnnames_;
  options.overwrite = true;  // the dialog has asked
  const gis::Outcome out =
      gis::writegrid(QFile::encodeName(path).toStdString(), gis::SheetSet(block_), options);
  return QString::fromStdString(out.error);
}

bool SheetTableWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(drawing_.title);
  if (!dialogs_->printsetup(this, printer)) return false;
  const QString failure = printtable(printer, drawing_);
  if (failure.isEmpty()) return true;
  dialogs_->showerror(this, QStringLiteral("错误"), QStringLiteral("无法打印：\n%1").arg(failure));
  return false;
}

QSize SheetTableWindow::wholetablesize() const {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return QSize(image_.width() + bar, twips(kPictureTop) + image_.height() + bar);
}

void SheetTableWindow::placebeside(const QWidget* other) {
  const QScreen* screen = other != nullptr ? other->screen() : this->screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  // The window's frame, as the other window's shows it.
  const QMargins frame =
      other != nullptr && other->isVisible()
          ? QMargins(other->geometry().left() - other->frameGeometry().left(),
                     other->geometry().top() - other->frameGeometry().top(),
                     other->frameGeometry().right() - other->geometry().right(),
                     other->frameGeometry().bottom() - other->geometry().bottom())
          : QMargins();
  const QSize most = room.size().shrunkBy(frame);
  const QSize want = wholetablesize().boundedTo(most).expandedTo(minimumSizeHint());
  resize(want);
  if (other == nullptr) return;
  // Beside the other window, on the side with more room; over it only where
  // the screen has no room beside it.
  const QRect beside = other->frameGeometry();
  const int outer = want.width() + frame.left() + frame.right();
  const int right = room.right() + 1 - beside.right() - 1;
  const int left = beside.left() - room.left();
  int x;
  if (right >= outer || right >= left)
    x = std::min(beside.right() + 1, room.right() + 1 - outer);
  else
    x = std::max(beside.left() - outer, room.left());
  const int y = std::clamp(beside.top(), room.top(),
                           std::max(room.bottom() + 1 - want.height() - frame.top() - frame.bottom(),
                                    room.top()));
  move(x, y);
}

void SheetTableWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placecontrols();
  setscrollranges();
  scrolled();
}

void SheetTableWindow::closeEvent(QCloseEvent* event) {
  // A window opened again starts its dialogs afresh.
  filename_ = kInitialFileName;
  exportname_ = kInitialExportName;
  exportfilter_ = exportfilters().front();
  QWidget::closeEvent(event);
}

void SheetTableWindow::placecontrols() {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int top = twips(kPictureTop);
  const int w = std::max(width() - bar, 0);
  const int h = std::max(height() - top - bar, 0);
  command1_->setGeometry(0, 0, twips(kButtonWidth), twips(kButtonHeight));
  // The other buttons beside it, as wide as their text needs.
  int x = twips(kButtonWidth + kButtonGap);
  for (QPushButton* b : {command2_, command3_}) {
    const int wide =
        std::max(twips(kButtonWidth), b->fontMetrics().horizontalAdvance(b->text()) + 16);
    b->setGeometry(x, 0, wide, twips(kButtonHeight));
    x += wide + twips(kButtonGap);
  }
  picture1_->setGeometry(0, top, w, h);
  hscroll1_->setGeometry(0, top + h, w, bar);
  vscroll1_->setGeometry(w, top, bar, h);
}

void SheetTableWindow::setscrollranges() {
  const int viewwidth = picture1_->width();
  const int viewheight = picture1_->height();
  hscroll1_->setRange(0, scrollrange(twips(picturewidth_), viewwidth));
  vscroll1_->setRange(0, scrollrange(twips(pictureheight_), viewheight));
  hscroll1_->setPageStep(std::max(viewwidth * kTwipsPerPixel / kScrollUnit, 1));
  vscroll1_->setPageStep(std::max(viewheight * kTwipsPerPixel / kScrollUnit, 1));
}

void SheetTableWindow::scrolled() {
  // The offset in twips exceeds 16 bits on wide and tall tables (a picture
  // of 48 columns is 74000 twips wide); it is kept in int throughout.
  const auto offset = [](int value, int imagelength, int viewlength) {
    const int px = twips(kScrollUnit * value);
    return std::clamp(px, 0, std::max(imagelength - viewlength, 0));
  };
  picture1_->setOffset({offset(hscroll1_->value(), image_.width(), picture1_->width()),
                        offset(vscroll1_->value(), image_.height(), picture1_->height())});
}

}  // namespace tufu
