// The sheet table window opens beside the main window, large enough for the
// whole table as far as the screen allows.  Run on a 1920 × 1080 screen.
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "formdriver.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;

namespace {

// The screen as it shows both windows, for the documentation.
void save(QWidget& form, QWidget& table) {
  const QRect both = form.frameGeometry().united(table.frameGeometry()).adjusted(-20, -20, 20, 20);
  QImage screen(both.size(), QImage::Format_RGB32);
  screen.fill(QColor(90, 110, 130));
  QPainter painter(&screen);
  for (QWidget* w : {&form, &table})
    painter.drawPixmap(w->geometry().topLeft() - both.topLeft(), w->grab());
  painter.end();
  QString dir = qEnvironmentVariable("TUFU_SCREENSHOT_DIR");
  if (dir.isEmpty()) dir = QStringLiteral(TUFU_SCREENSHOT_DEFAULT_DIR);
  QDir().mkpath(dir);
  QVERIFY(screen.save(dir + QStringLiteral("/main-beside.png")));
}

}  // namespace

class TableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void besidethemainwindow_data() {
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("whole");  // the whole table fits the screen
    QTest::newRow("北京 at 1:50万, 2 × 2") << "北京" << 18 << true;
    QTest::newRow("北京 at 1:10万, 8 × 7") << "北京" << 21 << true;
    QTest::newRow("北京 at 1:5万, 15 × 14") << "北京" << 22 << false;
  }
  void besidethemainwindow() {
    QFETCH(QString, region);
    QFETCH(int, button);
    QFETCH(bool, whole);
    FormDriver d;
    d.form().move(40, 40);
    d.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
    d.choose(4, region);
    d.click(button);
    d.click(16);  // 输出
    tufu::SheetTableWindow* table = d.form().sheettable();
    QVERIFY(table != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(table));
    const QRect room = table->screen()->availableGeometry();
    QVERIFY(room.contains(table->frameGeometry()));
    // Beside the main window, not over it.
    QVERIFY(!table->frameGeometry().intersects(d.form().frameGeometry()));
    auto* h = table->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    auto* v = table->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    if (whole) {
      QCOMPARE(table->geometry().top(), d.form().geometry().top());
      QCOMPARE(table->size(), table->wholetablesize());
      QCOMPARE(h->maximum(), 0);
      QCOMPARE(v->maximum(), 0);
    } else {
      QVERIFY(table->height() <= room.height());
      QVERIFY(v->maximum() > 0);
    }
    if (button == 21) save(d.form(), *table);
  }

  // A screen too narrow for both: the table keeps to the screen.
  void narrowscreen() {
    FormDriver d;
    d.form().move(1500, 40);
    d.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
    d.choose(4, QStringLiteral("北京"));
    d.click(21);
    d.click(16);
    tufu::SheetTableWindow* table = d.form().sheettable();
    QVERIFY(QTest::qWaitForWindowExposed(table));
    QVERIFY(table->screen()->availableGeometry().contains(table->frameGeometry()));
    QVERIFY(table->frameGeometry().right() < d.form().frameGeometry().left());  // on the left
  }
};

QTEST_MAIN(TableWindowTest)
#include "tablewindow_test.moc"
