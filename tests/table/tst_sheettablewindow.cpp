// The sheet table window: its controls, a fresh picture for every block,
// scrolling over the whole table, and saving it as a bitmap.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <deque>
#include <unistd.h>

#include "blocks.h"
#include "ui/table/savedialogs.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"

using tablefixture::block;

namespace {

// Answers the save dialog from a script and keeps what the window asked.
class ScriptedDialogs final : public tufu::SaveDialogs {
 public:
  std::deque<QString> answers;  // a null QString() cancels; "" is an empty name
  QStringList offered;      // initial names the dialog was opened on
  QStringList suffixes, filters;
  QStringList errortitles, errors;

  std::optional<QString> savefilename(QWidget*, const QString& initialname, const QString& suffix,
                                      const QString& filter) override {
    offered << initialname;
    suffixes << suffix;
    filters << filter;
    if (answers.empty()) return std::nullopt;
    const QString a = answers.front();
    answers.pop_front();
    if (a.isNull()) return std::nullopt;
    return a;
  }
  void showerror(QWidget*, const QString& title, const QString& text) override {
    errortitles << title;
    errors << text;
  }
};

// What the platform's file dialog showed when it opened.
struct DialogSeen {
  QString objectname, offered, suffix;
  QStringList filters;
};

// Waits for the platform's file dialog to open, notes what it offers, then
// chooses `typed` in it, or cancels it when `typed` is null.
void answerdialog(DialogSeen* seen, const QString& typed, int tries = 1500) {
  QTimer::singleShot(10, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (tries > 0) answerdialog(seen, typed, tries - 1);
      return;
    }
    *seen = {dialog->objectName(), dialog->selectedFiles().value(0), dialog->defaultSuffix(),
             dialog->nameFilters()};
    if (typed.isNull()) {
      dialog->reject();
      return;
    }
    // Typed into the file name field, as a person would: selectFile() would
    // change folders while the dialog still lists the old one.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) {
      dialog->reject();
      return;
    }
    name->setText(typed);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

QImage rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

quint32 le32(const QByteArray& b, int at) {
  return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
         quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}

}  // namespace

class SheetTableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void controls();
  void everyblockgetsafreshpicture();
  void scrollingreachesthewholetable_data();
  void scrollingreachesthewholetable();
  void wheelscrolls();
  void savewritesthewholetable();
  void savenames_data();
  void savenames();
  void secondsaveoffersthefirstname();
  void cancelwritesnothing();
  void failedwriteisreported_data();
  void failedwriteisreported();
  void clickingsavesaves();
  void platformdialog();

 private:
  std::unique_ptr<tufu::SheetTableWindow> window_;
  std::shared_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<QTemporaryDir> dir_;
};

void SheetTableWindowTest::init() {
  window_ = std::make_unique<tufu::SheetTableWindow>();
  dialogs_ = std::make_shared<ScriptedDialogs>();
  window_->setSaveDialogs(dialogs_);
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
}

void SheetTableWindowTest::cleanup() {
  window_.reset();
  dir_.reset();
}

void SheetTableWindowTest::controls() {
  tufu::SheetTableWindow& w = *window_;
  QCOMPARE(w.objectName(), QString("form2"));
  QCOMPARE(w.windowTitle(), QString("分幅表"));
  auto* button = w.findChild<QPushButton*>("Command1");
  QVERIFY(button);
  QCOMPARE(button->text(), QString("保存"));
  QCOMPARE(button->geometry(), QRect(0, 0, 41, 20));  // 615 × 300 twips
  QVERIFY(w.findChild<QWidget*>("Picture1"));
  QCOMPARE(w.findChild<QScrollBar*>("HScroll1")->orientation(), Qt::Horizontal);
  QCOMPARE(w.findChild<QScrollBar*>("VScroll1")->orientation(), Qt::Vertical);
  QCOMPARE(w.size(), QSize(312, 206));  // 4680 × 3090 twips
}

// A second block while the window is open replaces the first one entirely:
// its own picture size, its own title, scroll bars back at the start.
void SheetTableWindowTest::everyblockgetsafreshpicture() {
  tufu::SheetTableWindow& w = *window_;
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  auto* hbar = w.findChild<QScrollBar*>("HScroll1");
  auto* vbar = w.findChild<QScrollBar*>("VScroll1");

  w.setBlock(tablefixture::largest());
  hbar->setValue(hbar->maximum());
  vbar->setValue(vbar->maximum());
  const int bigh = hbar->maximum(), bigv = vbar->maximum();

  const tufu::Block second = block("J50C004001", "J50C001004");
  w.setBlock(second);
  QCOMPARE(w.block(), second);
  QCOMPARE(w.picture().size(), QSize(533, 367));
  QCOMPARE(rgb32(w.picture()), rgb32(tufu::rendertable(second)));
  QCOMPARE(hbar->value(), 0);
  QCOMPARE(vbar->value(), 0);
  QVERIFY(hbar->maximum() < bigh);
  QVERIFY(vbar->maximum() < bigv);
  QCOMPARE(w.scrolloffset(), QPoint(0, 0));
}

void SheetTableWindowTest::scrollingreachesthewholetable_data() {
  QTest::addColumn<QSize>("before");  // a size the window had first, if any
  QTest::addColumn<QSize>("windowsize");
  QTest::newRow("as opened") << QSize() << QSize(312, 206);
  QTest::newRow("enlarged") << QSize() << QSize(900, 700);
  QTest::newRow("enlarged, then shrunk") << QSize(1000, 800) << QSize(400, 300);
}

// At the scroll bars' ends the view shows the table's south-east corner,
// and a step less does not: the ranges fit the picture and the view, also
// after a resize.  The largest table scrolls far beyond 163 steps, where
// 200 × value leaves 16 bits.
void SheetTableWindowTest::scrollingreachesthewholetable() {
  QFETCH(QSize, before);
  QFETCH(QSize, windowsize);
  tufu::SheetTableWindow& w = *window_;
  w.setBlock(tablefixture::largest());
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  if (before.isValid()) {
    w.resize(before);
    QCoreApplication::processEvents();
  }
  w.resize(windowsize);
  QCoreApplication::processEvents();

  auto* hbar = w.findChild<QScrollBar*>("HScroll1");
  auto* vbar = w.findChild<QScrollBar*>("VScroll1");
  auto* view = w.findChild<QWidget*>("Picture1");
  QVERIFY(vbar->maximum() > 163);
  QVERIFY(hbar->maximum() > 163);
  const QImage& image = w.picture();

  hbar->setValue(200);
  vbar->setValue(170);
  QCOMPARE(w.scrolloffset(), QPoint(tufu::twips(200 * 200), tufu::twips(200 * 170)));
  QCOMPARE(rgb32(view->grab().toImage()),
           rgb32(image.copy(QRect(w.scrolloffset(), view->size()))));

  hbar->setValue(hbar->maximum() - 1);
  vbar->setValue(vbar->maximum() - 1);
  QVERIFY(w.scrolloffset().x() + view->width() < image.width());
  QVERIFY(w.scrolloffset().y() + view->height() < image.height());
  hbar->setValue(hbar->maximum());
  vbar->setValue(vbar->maximum());
  const QPoint corner(image.width() - view->width(), image.height() - view->height());
  QCOMPARE(w.scrolloffset(), corner);
  QCOMPARE(rgb32(view->grab().toImage()), rgb32(image.copy(QRect(corner, view->size()))));
}

void SheetTableWindowTest::wheelscrolls() {
  tufu::SheetTableWindow& w = *window_;
  w.setBlock(tablefixture::largest());
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QWidget* view = w.findChild<QWidget*>("Picture1");
  const auto turn = [&](QPoint delta) {
    QWheelEvent event(QPointF(10, 10), view->mapToGlobal(QPointF(10, 10)), QPoint(), delta,
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &event);
  };
  turn(QPoint(0, -120));  // towards the user: further south
  QVERIFY(w.scrolloffset().y() > 0);
  QCOMPARE(w.scrolloffset().x(), 0);
  turn(QPoint(-120, 0));
  QVERIFY(w.scrolloffset().x() > 0);
}

// The file holds the whole table, not the part in view, as a bitmap.
void SheetTableWindowTest::savewritesthewholetable() {
  tufu::SheetTableWindow& w = *window_;
  w.setBlock(tablefixture::largest());
  w.show();
  const QString path = dir_->filePath("table.bmp");
  dialogs_->answers.push_back(path);
  QVERIFY(w.save());
  QCOMPARE(dialogs_->offered, QStringList{"未命名.bmp"});
  QCOMPARE(dialogs_->suffixes, QStringList{"bmp"});
  QCOMPARE(dialogs_->filters, QStringList{"未命名(*.bmp)"});

  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray head = file.read(54);
  QCOMPARE(head.left(2), QByteArray("BM"));
  QCOMPARE(qint64(le32(head, 2)), file.size());
  QCOMPARE(qint32(le32(head, 18)), 4933);
  QCOMPARE(qAbs(qint32(le32(head, 22))), 4100);
  file.close();
  QCOMPARE(rgb32(QImage(path, "BMP")), rgb32(w.picture()));
  QVERIFY(dialogs_->errors.isEmpty());
}

void SheetTableWindowTest::savenames_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("written");
  QTest::newRow("without extension") << "表" << "表.bmp";
  QTest::newRow("with .bmp") << "表.bmp" << "表.bmp";
  QTest::newRow("with .jpg") << "table.jpg" << "table.jpg";
  QTest::newRow("with .png") << "table.png" << "table.png";
}

// Whatever the name's extension, the content is a bitmap; a name without
// one gets ".bmp".
void SheetTableWindowTest::savenames() {
  QFETCH(QString, typed);
  QFETCH(QString, written);
  const tufu::Block b = block("J50", "J50");
  window_->setBlock(b);
  dialogs_->answers.push_back(dir_->filePath(typed));
  QVERIFY(window_->save());
  QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{written});
  QFile file(dir_->filePath(written));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.read(2), QByteArray("BM"));
  QCOMPARE(rgb32(QImage(dir_->filePath(written), "BMP")), rgb32(tufu::rendertable(b)));
}

void SheetTableWindowTest::secondsaveoffersthefirstname() {
  tufu::SheetTableWindow& w = *window_;
  w.setBlock(block("J50", "J50"));
  w.show();
  const QString first = dir_->filePath("北京");
  dialogs_->answers = {first, dir_->filePath("second.bmp"), QString()};
  QVERIFY(w.save());
  QVERIFY(w.save());
  QVERIFY(!w.save());
  QCOMPARE(dialogs_->offered,
           (QStringList{"未命名.bmp", first + ".bmp", dir_->filePath("second.bmp")}));

  // Closed and opened again, the dialog starts over.
  w.close();
  w.show();
  dialogs_->answers = {QString()};
  QVERIFY(!w.save());
  QCOMPARE(dialogs_->offered.last(), QString("未命名.bmp"));
}

void SheetTableWindowTest::cancelwritesnothing() {
  window_->setBlock(block("J50", "J50"));
  dialogs_->answers = {QString(), QString("")};
  QVERIFY(!window_->save());
  QVERIFY(!window_->save());
  QCOMPARE(dialogs_->offered.size(), 2);
  QVERIFY(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  QVERIFY(dialogs_->errors.isEmpty());
}

void SheetTableWindowTest::failedwriteisreported_data() {
  QTest::addColumn<QString>("folder");  // relative to the temporary folder, or absolute
  QTest::newRow("folder that does not exist") << "missing";
  QTest::newRow("folder that is a file") << "plainfile";
  QTest::newRow("read-only file system") << "/proc";
  // Folder permissions do not stop the superuser.
  if (geteuid() != 0) QTest::newRow("read-only folder") << "readonly";
}

// A failed write names the file in an error message; the window stays open
// with its table, and nothing is left behind.
void SheetTableWindowTest::failedwriteisreported() {
  QFETCH(QString, folder);
  QFile plain(dir_->filePath("plainfile"));
  QVERIFY(plain.open(QIODevice::WriteOnly));
  plain.close();
  QDir(dir_->path()).mkdir("readonly");
  QFile::setPermissions(dir_->filePath("readonly"), QFile::ReadOwner | QFile::ExeOwner);

  tufu::SheetTableWindow& w = *window_;
  const tufu::Block b = block("J50", "K51");
  w.setBlock(b);
  w.show();
  const QString path = QDir(dir_->path()).filePath(folder + "/分幅表.bmp");
  dialogs_->answers = {path};
  QVERIFY(!w.save());
  QCOMPARE(dialogs_->errortitles, QStringList{"错误"});
  QVERIFY2(dialogs_->errors.value(0).contains(QDir::toNativeSeparators(path)),
           qPrintable(dialogs_->errors.value(0)));
  QVERIFY(!QFile::exists(path));
  QVERIFY(w.isVisible());
  QCOMPARE(rgb32(w.picture()), rgb32(tufu::rendertable(b)));
  QFile::setPermissions(dir_->filePath("readonly"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SheetTableWindowTest::clickingsavesaves() {
  window_->setBlock(block("J50", "J50"));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  const QString path = dir_->filePath("clicked.bmp");
  dialogs_->answers = {path};
  QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCOMPARE(dialogs_->offered.size(), 1);
  QVERIFY(QFile::exists(path));
}

// The window's own dialog, answered as a person would: its settings, the
// ".bmp" it adds to a bare name, the name it offers next, and a cancel.
void SheetTableWindowTest::platformdialog() {
  // The platform dialog keeps the folders it visited in the user's Qt
  // settings: a run must not depend on what an earlier run left there.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  tufu::SheetTableWindow w;
  const tufu::Block b = block("J50", "J50");
  w.setBlock(b);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));

  DialogSeen seen;
  answerdialog(&seen, dir_->filePath("表"));
  QVERIFY(w.save());
  QCOMPARE(seen.objectname, QString("CommonDialog1"));
  QCOMPARE(QFileInfo(seen.offered).fileName(), QString("未命名.bmp"));
  QCOMPARE(seen.suffix, QString("bmp"));
  QCOMPARE(seen.filters, QStringList{"未命名(*.bmp)"});
  QCOMPARE(rgb32(QImage(dir_->filePath("表.bmp"), "BMP")), rgb32(tufu::rendertable(b)));

  seen = {};
  answerdialog(&seen, QString());
  QVERIFY(!w.save());
  QCOMPARE(seen.offered, dir_->filePath("表.bmp"));
  QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"表.bmp"});
}

QTEST_MAIN(SheetTableWindowTest)
#include "tst_sheettablewindow.moc"
