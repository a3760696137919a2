// The sheet-number query: recognition, counterpart, extent, containing
// table, list items, table clicks and the scale buttons it enables.
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"

using tufu::testing::FormDriver;

namespace {
// Cells of the containing table, rows 1:100万, 1:50万, 1:25万, 1:20万,
// 1:10万, 1:5万, 1:2.5万, 1:1万 (new, old).
const std::initializer_list<int> kCells = {45, 46, 47, 48, 49, 50, 83, 84,
                                           51, 52, 53, 54, 55, 56, 57, 58};
// Hierarchy buttons "50万", "25万", "20万", "10万", "5万", "2.5万", "1万", "5000".
const int kHierarchyButtons[] = {7, 8, 15, 9, 10, 11, 12, 13};

QString enabledbuttons(FormDriver& d) {
  QString out;
  for (int n : kHierarchyButtons) out += d.command(n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
  return out;
}

QStringList blankcells() { return QStringList(16, QString()); }
}  // namespace

class SheetQueryTest : public QObject {
  Q_OBJECT

 private slots:
  void startup() {
    FormDriver d;
    QCOMPARE(d.combo(2)->currentText(), QString());
    QCOMPARE(d.combo(2)->count(), 22);
    QCOMPARE(d.label(21), QStringLiteral("该编号为  图幅编号"));
    QCOMPARE(d.label(22), QStringLiteral("对应  编号为:"));
    QCOMPARE(d.labels(kCells), blankcells());
    QCOMPARE(d.labels({27, 23, 31, 32, 36, 34, 105}), QStringList(7, QString()));
  }

  // Each prefix of I-49-15 is a query of its own.
  void typingoldnumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("counterpart");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<int>("lastscalebtn");
    const QString neutral = QStringLiteral("该编号为  图幅编号");
    const QString old = QStringLiteral("该编号为旧图幅编号");
    const QStringList blank = blankcells();
    const QStringList containing15 = {"I49", "I-49", "I49B001001", "I-49-A",
                                      "I49C001001", "I-49-[1]", "", "I-49-II",
                                      "", "", "", "", "", "", "", ""};
    const QStringList containing1 = {"I49", "I-49", "I49B001001", "I-49-A",
                                     "I49C001001", "I-49-[1]", "", "I-49-I",
                                     "", "", "", "", "", "", "", ""};
    QTest::newRow("I") << "I" << neutral << "" << "" << blank << "11111111" << 17;
    QTest::newRow("I-") << "I-" << neutral << "" << "" << blank << "11111111" << 17;
    QTest::newRow("I-4") << "I-4" << neutral << "" << "" << blank << "11111111" << 17;
    QTest::newRow("I-49") << "I-49" << old << "I49" << "1:100万" << blank << "11111111" << 7;
    QTest::newRow("I-49-") << "I-49-" << neutral << "" << "" << blank << "11111111" << 7;
    QTest::newRow("I-49-1") << "I-49-1" << old << "I49D001001" << "1:10万" << containing1
                            << "00001111" << 10;
    QTest::newRow("I-49-15") << "I-49-15" << old << "I49D002003" << "1:10万" << containing15
                             << "00001111" << 10;
  }
  void typingoldnumber() {
    QFETCH(QString, typed);
    QFETCH(QString, kind);
    QFETCH(QString, counterpart);
    QFETCH(QString, scale);
    QFETCH(QStringList, cells);
    QFETCH(QString, enabled);
    QFETCH(int, lastscalebtn);
    FormDriver d;
    // Typed key by key from the start: the data row is the state after its last key.
    for (QChar c : typed) QTest::keyClicks(d.combo(2), QString(c));
    QCOMPARE(d.combo(2)->currentText(), typed);
    QCOMPARE(d.label(21), kind);
    QCOMPARE(d.label(23), counterpart);
    QCOMPARE(d.label(27), scale);
    QCOMPARE(d.labels(kCells), cells);
    QCOMPARE(enabledbuttons(d), enabled);
    QCOMPARE(d.form().state().lastscalebtn, lastscalebtn);
    if (typed == QLatin1String("I-49-15")) {
      QCOMPARE(d.label(22), QStringLiteral("对应新编号为:"));
      QCOMPARE(d.labels({31, 32, 36, 34}),
               (QStringList{"109°0′ -- 109°30′", "35°20′-- 35°40′", "30′", "20′"}));
    }
  }

  void lowercaseistypedascapitals() {
    FormDriver d;
    d.command(12)->setEnabled(false);  // shown to be enabled again below
    QTest::keyClicks(d.combo(2), QStringLiteral("j50"));
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50"));
    QCOMPARE(d.label(21), QStringLiteral("该编号为新图幅编号"));
    QCOMPARE(d.label(22), QStringLiteral("对应旧编号为:"));
    QCOMPARE(d.labels({23, 27, 31, 32, 36, 34}),
             (QStringList{"J-50", "1:100万", "114°-- 120°", "36°-- 40°", "6°", "4°"}));
    QCOMPARE(d.label(105), QString::fromUtf8(tufu::mapchinesename("J50").data()));
    QCOMPARE(d.labels(kCells), blankcells());
    QCOMPARE(enabledbuttons(d), QStringLiteral("11111111"));
    // The "50万" action ran: the 2*2 block of 1:50万 sheets.
    QCOMPARE(d.label(69), QStringLiteral("2*2"));
    QCOMPARE(d.label(65), QStringLiteral("J50B001001"));
    QCOMPARE(d.form().state().lastscalebtn, 7);
  }

  // A number typed in any case: the checks and conversions ignore it; only
  // letters typed from the keyboard are turned into capitals.
  void otherkeyspassunchanged() {
    FormDriver d;
    QTest::keyClicks(d.combo(2), QStringLiteral("l-51-[2]"));
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("L-51-[2]"));
    QCOMPARE(d.label(23), QStringLiteral("L51C001002"));
  }

  void twentythousandoldnumberhidesthecounterpart() {
    FormDriver d;
    d.typeentry(QStringLiteral("I-48-XXXV"));
    QCOMPARE(d.label(27), QStringLiteral("1:20万"));
    QVERIFY(!d.labelshown(23));
    QCOMPARE(d.label(23), QStringLiteral("I48I006005"));  // kept for the hierarchy
    QCOMPARE(d.labels(kCells), (QStringList{"I48", "I-48", "I48B002002", "I-48-D", "", "", "",
                                            "", "", "", "", "", "", "", "", ""}));
    QCOMPARE(enabledbuttons(d), QStringLiteral("00011111"));
    QCOMPARE(d.form().state().lastscalebtn, 9);
    QCOMPARE(d.labels({36, 34}), (QStringList{"1°", "40′"}));
    // The next query shows the counterpart again.
    d.typeentry(QStringLiteral("I-48"));
    QVERIFY(d.labelshown(23));
  }

  void internalcodetypedasnewnumber() {
    FormDriver d;
    d.typeentry(QStringLiteral("J50I003004"));
    QCOMPARE(d.label(21), QStringLiteral("该编号为新图幅编号"));
    QCOMPARE(d.label(23), QStringLiteral("J-50-XVI"));
    QCOMPARE(d.label(27), QStringLiteral("1:20万"));
    QVERIFY(d.labelshown(23));
    QCOMPARE(d.labels(kCells), (QStringList{"J50", "J-50", "J50B001002", "J-50-B", "", "", "",
                                            "", "", "", "", "", "", "", "", ""}));
  }

  // The name of an old number is that of its new counterpart.
  void placenameofoldnumber() {
    FormDriver d;
    d.typeentry(QStringLiteral("I-48-I"));
    QCOMPARE(d.label(23), QStringLiteral("I48I001001"));
    QCOMPARE(d.label(105), QString::fromUtf8(tufu::mapchinesename("I48I001001").data()));
    QVERIFY(!d.label(105).isEmpty());
  }

  void listitems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("counterpart");
    QTest::newRow("heading") << "1:25万:" << "该编号为  图幅编号" << "";
    QTest::newRow("note") << "字母大小写均可" << "该编号为  图幅编号" << "";
    QTest::newRow("L-51-[2]") << "L-51-[2]" << "该编号为旧图幅编号" << "L51C001002";
    QTest::newRow("D-45-48-(26)-C") << "D-45-48-(26)-C" << "该编号为旧图幅编号" << "D45H056179";
    QTest::newRow("J50C001002") << "J50C001002" << "该编号为新图幅编号" << "J-50-[2]";
  }
  void listitems() {
    QFETCH(QString, item);
    QFETCH(QString, kind);
    QFETCH(QString, counterpart);
    FormDriver d;
    d.typeentry(QStringLiteral("K-49"));
    d.choose(2, item);
    QCOMPARE(d.combo(2)->currentText(), item);
    QCOMPARE(d.label(21), kind);
    QCOMPARE(d.label(23), counterpart);
    if (counterpart.isEmpty()) {
      QCOMPARE(d.label(22), QStringLiteral("对应  编号为:"));
      QCOMPARE(d.labels({27, 31, 32, 36, 34, 105}), QStringList(6, QString()));
    }
  }

  // Choosing an item runs the query even when the entry already reads it:
  // the hierarchy goes back to the first scale that nests.  Enter is no
  // choice and leaves everything as it is.
  void choosingthetextalreadyshown_data() {
    QTest::addColumn<bool>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<int>("lastscalebtn");
    QTest::newRow("chosen, then chosen again") << false << false << "3*3" << 9;
    QTest::newRow("typed, then chosen") << true << false << "3*3" << 9;
    QTest::newRow("chosen, then Enter") << false << true << "24*24" << 12;
    QTest::newRow("typed, then Enter") << true << true << "24*24" << 12;
  }
  void choosingthetextalreadyshown() {
    QFETCH(bool, typed);
    QFETCH(bool, enter);
    QFETCH(QString, relation);
    QFETCH(int, lastscalebtn);
    const QString number = QStringLiteral("J50C001002");
    FormDriver d;
    if (typed)
      d.typeentry(number);
    else
      d.choose(2, number);
    QCOMPARE(d.label(69), QStringLiteral("3*3"));  // "10万" ran
    d.click(12);  // "1万"
    QCOMPARE(d.label(69), QStringLiteral("24*24"));
    if (enter)
      QTest::keyClick(d.combo(2), Qt::Key_Return);
    else
      d.choose(2, number);
    QCOMPARE(d.combo(2)->currentText(), number);
    QCOMPARE(d.label(69), relation);
    QCOMPARE(d.form().state().lastscalebtn, lastscalebtn);
  }

  void unacceptabletextblankseverything_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("enabled");
    // Typed key by key: J50C001002 is itself a 1:25万 number on the way.
    QTest::newRow("trailing blank") << "J50C001002 " << "00011111";
    QTest::newRow("bad zone") << "J30" << "00001111";
    QTest::newRow("empty") << "" << "00001111";
  }
  void unacceptabletextblankseverything() {
    QFETCH(QString, text);
    QFETCH(QString, enabled);
    FormDriver d;
    d.typeentry(QStringLiteral("J50D005003"));
    QVERIFY(!d.label(69).isEmpty());
    d.typeentry(text);
    QCOMPARE(d.label(21), QStringLiteral("该编号为  图幅编号"));
    QCOMPARE(d.label(22), QStringLiteral("对应  编号为:"));
    QCOMPARE(d.labels({27, 23, 31, 32, 36, 34, 105}), QStringList(7, QString()));
    QCOMPARE(d.labels(kCells), blankcells());
    QCOMPARE(d.labels({65, 66, 67, 68, 78, 79, 80, 81, 70, 71, 72, 73, 69}),
             QStringList(13, QString()));
    // The buttons keep the states of the last accepted number.
    QCOMPARE(enabledbuttons(d), enabled);
  }

  // A click on a filled cell queries its number; on a blank cell nothing.
  void cellclick() {
    FormDriver d;
    d.typeentry(QStringLiteral("I-49-15"));
    d.clicklabel(58);  // 1:1万 row: blank
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("I-49-15"));
    QCOMPARE(d.label(23), QStringLiteral("I49D002003"));
    d.clicklabel(46);  // 1:100万 old number
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("I-49"));
    QCOMPARE(d.labels({21, 23, 27, 36, 34}),
             (QStringList{"该编号为旧图幅编号", "I49", "1:100万", "6°", "4°"}));
    QCOMPARE(d.labels(kCells), blankcells());
    QCOMPARE(d.label(105), QString::fromUtf8(tufu::mapchinesename("I49").data()));
    d.typeentry(QStringLiteral("J50C001002"));
    d.clicklabel(47);  // 1:50万 new number
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50B001001"));
    QCOMPARE(d.labels({21, 23, 27}),
             (QStringList{"该编号为新图幅编号", "J-50-A", "1:50万"}));
    QCOMPARE(d.label(45), QStringLiteral("J50"));
  }
};

QTEST_MAIN(SheetQueryTest)
#include "sheetquery_test.moc"
