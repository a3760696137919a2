// The sheet table on a screen with two device pixels to a pixel: shown
// sharp, at the screen's resolution, while the saved picture stays at one
// pixel to a pixel.  Run with a screen of device pixel ratio 2.
#include <QtTest>

#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>

#include "blocks.h"
#include "ui/table/savedialogs.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"

using tablefixture::block;
using tablefixture::largest;

class SheetTableHiDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void sharpatthescreensresolution() {
    tufu::SheetTableWindow w;
    const tufu::Block b = block("J50C002001", "J50C001002");
    w.setBlock(b);
    w.resize(w.wholetablesize());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* picture = w.findChild<QWidget*>(QStringLiteral("Picture1"));
    QCOMPARE(picture->devicePixelRatioF(), 2.0);

    const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), picture->size() * 2);
    // What the table looks like drawn at two device pixels to a pixel.
    QImage sharp(picture->size() * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    sharp.fill(picture->palette().window().color());
    {
      QPainter painter(&sharp);
      painter.fillRect(QRect(QPoint(0, 0), w.picture().size()), Qt::white);
      tufu::painttable(painter, w.drawing());
    }
    QCOMPARE(shown, sharp);
    // Not the picture of one pixel to a pixel, enlarged.
    const QImage enlarged = w.picture().scaled(w.picture().size() * 2).convertToFormat(QImage::Format_RGB32);
    QVERIFY(shown.copy(QRect(QPoint(0, 0), enlarged.size())) != enlarged);

    // The picture that "保存" writes keeps one pixel to a pixel.
    QCOMPARE(w.picture().devicePixelRatio(), 1.0);
    QCOMPARE(w.picture(), tufu::rendertable(b));
    QTemporaryDir dir;
    QVERIFY(tufu::writebmp(w.picture(), dir.filePath("t.bmp")).isEmpty());
    QCOMPARE(QImage(dir.filePath("t.bmp")).size(), w.picture().size());
  }

  // Scrolled, the exposed part is drawn where the picture shows it.
  void scrolledpart() {
    tufu::SheetTableWindow w;
    w.setBlock(largest());
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(40);
    w.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(30);
    auto* picture = w.findChild<QWidget*>(QStringLiteral("Picture1"));
    const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage sharp(picture->size() * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    sharp.fill(Qt::white);
    {
      QPainter painter(&sharp);
      painter.translate(-w.scrolloffset());
      tufu::painttable(painter, w.drawing());
    }
    QCOMPARE(shown, sharp);
  }
};

QTEST_MAIN(SheetTableHiDpiTest)
#include "tst_sheettablehidpi.moc"
