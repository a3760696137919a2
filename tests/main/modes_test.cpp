// The main window's frame: start-up, mode switching with the replay of the
// last scale button, focus, activation and closing.
#include <QtTest>

#include "formdriver.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;

namespace {
// Panel places in pixels: in view (240, 500 twips) and out of view (8000).
const QPoint kInView(16, 33);
constexpr int kAwayLeft = 533;
constexpr int kButtonTop = 16;     // 240 twips
constexpr int kButtonRaised = 14;  // 210 twips

QStringList alllabels(FormDriver& d) {
  QStringList out;
  for (QLabel* l : d.form().findChildren<QLabel*>())
    out << l->objectName() + QLatin1Char('=') + l->text() + (l->isHidden() ? "/h" : "");
  return out;
}
}  // namespace

class ModesTest : public QObject {
  Q_OBJECT

 private slots:
  void startup() {
    FormDriver d;
    QCOMPARE(d.form().objectName(), QStringLiteral("Form1"));
    QCOMPARE(d.form().size(), QSize(321, 484));  // 4815 × 7260 twips, with the status and edition strip
    QCOMPARE(d.frame(1)->pos(), kInView);
    QCOMPARE(d.frame(2)->x(), kAwayLeft);
    QCOMPARE(d.frame(3)->x(), kAwayLeft);
    for (int n : {1, 2, 3}) QCOMPARE(d.command(n)->y(), kButtonTop);
    QCOMPARE(d.frame(1)->size(), QSize(289, 385));
    QVERIFY(d.frame(4)->isHidden());
    QCOMPARE(d.label(9), QStringLiteral("A31"));
  }

  void modebuttons_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("focus");
    QTest::newRow("经纬度求图幅编号") << 1 << "Text1";
    QTest::newRow("新旧图幅编号转换") << 2 << "Combo2";
    QTest::newRow("关于") << 3 << "Command3";
  }
  void modebuttons() {
    QFETCH(int, mode);
    QFETCH(QString, focus);
    FormDriver d;
    d.click(mode == 1 ? 2 : 1);
    d.click(mode);
    for (int n : {1, 2, 3}) {
      QCOMPARE(d.frame(n)->pos(), n == mode ? kInView : QPoint(kAwayLeft, kInView.y()));
      QCOMPARE(d.frame(n)->isHidden(), n != mode);
      QCOMPARE(d.command(n)->y(), n == mode ? kButtonRaised : kButtonTop);
    }
    QCOMPARE(d.form().focusWidget()->objectName(), focus);
  }

  // In the block query the longitude field is out of view: the first bound
  // takes the focus instead.
  void focusinblockquery() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.click(2);
    d.click(1);
    QCOMPARE(d.form().focusWidget()->objectName(), QStringLiteral("Text3"));
  }

  // Command2 presses nothing after a block listing; Command1 lists again.
  void blocklistingisreplayed() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.click(22);  // "5万"
    QCOMPARE(d.label(94), QStringLiteral("15*14"));
    d.labelw(94)->clear();
    d.click(2);
    QCOMPARE(d.form().state().lastscalebtn, 22);
    QCOMPARE(d.label(69), QString());
    QCOMPARE(d.label(94), QString());
    d.click(1);
    QCOMPARE(d.label(94), QStringLiteral("15*14"));
  }

  // After a hierarchy listing, Command1 lists no block.
  void hierarchylistingstopsblockreplay() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.click(2);
    d.typeentry(QStringLiteral("J-50-C"));
    d.click(9);  // "10万"
    QCOMPARE(d.form().state().lastscalebtn, 9);
    d.labelw(94)->clear();
    d.click(1);
    QCOMPARE(d.label(94), QString());
    QCOMPARE(d.form().state().lastscalebtn, 9);
  }

  void hierarchylistingisreplayed() {
    FormDriver d;
    d.click(2);
    d.typeentry(QStringLiteral("J50"));
    d.click(12);  // "1万"
    d.labelw(69)->clear();
    d.click(1);
    QCOMPARE(d.label(69), QString());
    d.click(2);
    QCOMPARE(d.label(69), QStringLiteral("96*96"));
  }

  // The about mode changes nothing in the other panels.
  void aboutleavesthepanels() {
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(4, QStringLiteral("江苏"));
    d.click(2);
    d.typeentry(QStringLiteral("J50D005003"));
    const QStringList before = alllabels(d);
    d.click(3);
    QCOMPARE(alllabels(d), before);
    d.click(2);
    QCOMPARE(alllabels(d), before);
  }

  // Whenever the window becomes active the input of the mode in view takes
  // the focus.
  void activation() {
    FormDriver d;
    d.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
    d.click(2);
    d.command(3)->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    d.form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.form()));
    QCOMPARE(d.form().focusWidget()->objectName(), QStringLiteral("Combo2"));
  }

  // Closing the main window closes the sheet table window first.
  void closingclosesthetable() {
    FormDriver d;
    d.form().show();
    d.choose(4, QStringLiteral("北京"));
    d.click(16);
    QPointer<tufu::SheetTableWindow> table = d.form().sheettable();
    QVERIFY(table && table->isVisible());
    QVERIFY(d.form().close());
    QVERIFY(!table || !table->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(table.isNull());
    QVERIFY(d.form().sheettable() == nullptr);
  }

  // A table closed by the user is made afresh by the next "输出".
  void tableclosedbytheuser() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.click(16);
    d.form().sheettable()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d.form().sheettable() == nullptr);
    d.click(18);
    d.click(16);
    QVERIFY(d.form().sheettable() != nullptr);
    QCOMPARE(d.form().sheettable()->block().blockscale, 2);
  }
};

QTEST_MAIN(ModesTest)
#include "modes_test.moc"
