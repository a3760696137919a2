// The keyboard path through the window: the controls that the Tab key
// visits in each mode and edition, in order, from the one that takes the
// focus as the mode comes into view, and Shift+Tab the same way back.
#include <QApplication>
#include <QtTest>
#include <algorithm>

#include "formdriver.h"

using tufu::testing::FormDriver;

namespace {

QString focusname() {
  const QWidget* w = QApplication::focusWidget();
  // The line edit of an editable list takes the keys for its list.
  while (w != nullptr && w->objectName().isEmpty()) w = w->parentWidget();
  return w != nullptr ? w->objectName() : QStringLiteral("(none)");
}

/// The controls the focus visits from the one holding it, pressing `key`
/// until the focus is back where it started.
QStringList walk(Qt::Key key) {
  QStringList cycle{focusname()};
  QWidget* const start = QApplication::focusWidget();
  for (int i = 0; i < 80; ++i) {
    QWidget* w = QApplication::focusWidget();
    if (w == nullptr) break;
    QTest::keyClick(w, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    if (QApplication::focusWidget() == start) return cycle;
    cycle << focusname();
  }
  cycle << QStringLiteral("(never back)");
  return cycle;
}

QStringList split(const char* names) {
  return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

/// Shows the window in `edition`, with `mode` in view and its input holding
/// the focus: "point", "block" (Beijing, listed at 1:5万), "about", or the
/// sheet-number query with the view "contained" or "neighbours" of J50, or
/// "containing" or "contained10k" of the 1:1万 sheet J50G001001.
bool enter(FormDriver& d, const QString& mode, int edition) {
  d.edition(edition);
  d.form().show();
  d.form().activateWindow();
  if (!QTest::qWaitForWindowActive(&d.form())) return false;
  if (mode == "point") {
    d.click(2);
    d.click(1);
  } else if (mode == "block") {
    d.choose(4, QStringLiteral("北京"));
    d.click(22);
    d.click(2);
    d.click(1);
  } else if (mode == "about") {
    d.click(3);
  } else {
    d.click(2);
    const bool small = mode == "containing" || mode == "contained10k";
    d.pasteentry(small ? QStringLiteral("J50G001001") : QStringLiteral("J50"));
    const int view = mode == "containing" ? 0 : mode == "neighbours" ? 2 : 1;
    d.combo(3)->setCurrentIndex(view);
    emit d.combo(3)->activated(view);
    d.combo(2)->setFocus();
  }
  return true;
}

}  // namespace

class TabOrderTest : public QObject {
  Q_OBJECT

 private slots:
  // Each mode's controls, then the edition list and the mode buttons; a
  // scale panel's buttons come last.  Disabled buttons are passed by.
  void cycle_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("edition");
    QTest::addColumn<QStringList>("expected");
    for (int year : {1992, 2012}) {
      const bool large = year == 2012;
      const QString y = QStringLiteral(" %1").arg(year);
      const QStringList modes = split("Command1 Command2 Command3");
      const QStringList blockbuttons =
          split("Command16 Command17 Command18 Command19 Command20 Command21 Command22 "
                "Command23 Command24 Command25") +
          split(large ? "Command31 Command32 Command33" : "") + split("Command26 Command27");
      const QStringList hierarchybuttons =
          split("Command14 Command7 Command8 Command15 Command9 Command10 Command11 Command12 "
                "Command13") +
          split(large ? "Command28 Command29 Command30" : "") + split("Command5 Command6");
      // A 1:1万 sheet contains the sheets of the scales from 1:5000 on.
      const QStringList from5000 = split("Command14 Command13") +
                                   split(large ? "Command28 Command29 Command30" : "") +
                                   split("Command5 Command6");
      const QStringList sheet = split("Combo2 Combo3 Combo5") + modes;
      QTest::newRow(qPrintable("point" + y))
          << "point" << year << split("Text1 Text2 Combo1 Combo4 Combo5") + modes;
      QTest::newRow(qPrintable("block" + y))
          << "block" << year
          << split("Text3 Text4 Text5 Text6 Combo4 Combo5") + modes + blockbuttons;
      QTest::newRow(qPrintable("containing" + y)) << "containing" << year << sheet;
      QTest::newRow(qPrintable("contained" + y)) << "contained" << year << sheet + hierarchybuttons;
      QTest::newRow(qPrintable("contained in 1:1万" + y)) << "contained10k" << year << sheet + from5000;
      QTest::newRow(qPrintable("neighbours" + y)) << "neighbours" << year << sheet;
      QTest::newRow(qPrintable("about" + y))
          << "about" << year << split("Command3 Combo5 Command1 Command2");
    }
  }
  void cycle() {
    QFETCH(QString, mode);
    QFETCH(int, edition);
    QFETCH(QStringList, expected);
    FormDriver d;
    QVERIFY(enter(d, mode, edition));
    const QStringList forward = walk(Qt::Key_Tab);
    if (forward != expected) qInfo().noquote() << "Tab:" << forward.join(QLatin1Char(' '));
    QCOMPARE(forward, expected);

    QStringList back = walk(Qt::Key_Backtab);
    std::reverse(back.begin() + 1, back.end());
    QCOMPARE(back, expected);
  }

  // A result caption that a click gave the focus (to copy it) lies outside
  // the path: Tab goes on to the first mode button, Shift+Tab back to the
  // edition list.
  void fromacaption_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("caption");
    for (int year : {1992, 2012}) {
      const QString y = QStringLiteral(" %1").arg(year);
      QTest::newRow(qPrintable("new number" + y)) << "point" << year << "Label9";
      QTest::newRow(qPrintable("block corner" + y)) << "block" << year << "Label90";
      QTest::newRow(qPrintable("containing table" + y)) << "containing" << year << "Label45";
      QTest::newRow(qPrintable("hierarchy corner" + y)) << "contained" << year << "Label65";
      QTest::newRow(qPrintable("adjoining sheet" + y)) << "neighbours" << year << "Label127";
    }
  }
  void fromacaption() {
    QFETCH(QString, mode);
    QFETCH(int, edition);
    QFETCH(QString, caption);
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      FormDriver d;
      QVERIFY(enter(d, mode, edition));
      QLabel* label = d.get<QLabel>(caption);
      QVERIFY(!label->text().isEmpty());
      QTest::mouseMove(label);  // the pointer comes over it first
      QTest::mouseClick(label, Qt::LeftButton);
      QCOMPARE(QApplication::focusWidget(), label);
      QTest::keyClick(label, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
      QCOMPARE(focusname(), QString::fromLatin1(key == Qt::Key_Tab ? "Command1" : "Combo5"));
    }
  }
};

QTEST_MAIN(TabOrderTest)
#include "taborder_test.moc"
