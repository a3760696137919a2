// The edition of the numbering: the chooser in the strip, its memory
// between runs, and the 2012 edition's scales in every panel that lists or
// offers scales.
#include <QtTest>

#include "formdriver.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;
using tufu::testing::Settings;

namespace {
// The scale buttons and table rows that only the 2012 edition has.
const int kLargeButtons[] = {28, 29, 30, 31, 32, 33};
const int kLargeRows[] = {113, 114, 115, 116, 117, 118, 119, 120, 121};
// Hierarchy buttons from "50万" to "500".
const int kHierarchyButtons[] = {7, 8, 15, 9, 10, 11, 12, 13, 28, 29, 30};

// Cells of the containing table, rows 1:100万 .. 1:1000 (new, old).
const std::initializer_list<int> kCells = {45, 46, 47, 48, 49, 50, 83, 84, 51, 52, 53,
                                           54, 55, 56, 57, 58, 114, 115, 117, 118, 120, 121};
// Point query: new and old number, ranges, sizes, name.
const std::initializer_list<int> kPoint = {9, 10, 14, 15, 18, 19, 109};
// Sheet-number query: kind, scale, counterpart, ranges, sizes.
const std::initializer_list<int> kSheet = {21, 27, 23, 31, 32, 36, 34};

QString enabledbuttons(FormDriver& d) {
  QString out;
  for (int n : kHierarchyButtons)
    out += d.command(n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
  return out;
}

QStringList items(QComboBox* c) {
  QStringList out;
  for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

const QStringList kScales1992 = {"1:100万", "1:50万", "1:25万", "1:20万", "1:10万",
                                 "1:5万",   "1:2.5万", "1:1万", "1:5000"};
}  // namespace

class EditionTest : public QObject {
  Q_OBJECT

 private slots:
  // 1992 by default; 2012 adds three scales everywhere and grows the window
  // by three button rows; back in 1992 everything is as before.
  void chooser() {
    FormDriver d;
    QCOMPARE(items(d.combo(5)), (QStringList{"GB/T 13989-1992", "GB/T 13989-2012"}));
    QCOMPARE(d.combo(5)->currentText(), QStringLiteral("GB/T 13989-1992"));
    QCOMPARE(d.label(111), QStringLiteral("编号标准:"));
    QCOMPARE(d.label(112), QString());
    QCOMPARE(d.form().state().edition, tufu::Edition::k1992);
    QCOMPARE(items(d.combo(1)), kScales1992);
    for (int n : kLargeButtons) QVERIFY(d.command(n)->isHidden());
    for (int n : kLargeRows) QVERIFY(d.labelw(n)->isHidden());
    QCOMPARE(d.form().size(), QSize(321, 484));

    d.edition(2012);
    QCOMPARE(d.form().state().edition, tufu::Edition::k2012);
    QCOMPARE(items(d.combo(1)), kScales1992 + QStringList({"1:2000", "1:1000", "1:500"}));
    const QStringList captions = {"2000", "1000", "500", "2千", "1千", "500"};
    for (std::size_t i = 0; i < std::size(kLargeButtons); ++i) {
      QVERIFY(!d.command(kLargeButtons[i])->isHidden());
      QCOMPARE(d.command(kLargeButtons[i])->text(), captions[static_cast<qsizetype>(i)]);
    }
    for (int n : kLargeRows) QVERIFY(!d.labelw(n)->isHidden());
    QCOMPARE(d.labels({113, 116, 119}), (QStringList{" 1:5000", " 1:2000", " 1:1000"}));
    QCOMPARE(d.form().size(), QSize(321, 538));
    QCOMPARE(d.frame(1)->height(), 385 + 54);

    d.edition(1992);
    QCOMPARE(items(d.combo(1)), kScales1992);
    for (int n : kLargeButtons) QVERIFY(d.command(n)->isHidden());
    QCOMPARE(d.form().size(), QSize(321, 484));
    QCOMPARE(d.frame(1)->height(), 385);
  }

  // The chooser stands below the panels: in view in every mode.
  void chooserinbothquerymodes() {
    FormDriver d;
    d.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
    for (int year : {1992, 2012}) {
      d.edition(year);
      for (int mode : {1, 2, 3}) {
        d.click(mode);
        QWidget* chooser = d.combo(5);
        QVERIFY(chooser->isVisible());
        const QRect place(chooser->mapTo(&d.form(), QPoint(0, 0)), chooser->size());
        QVERIFY(d.form().rect().contains(place));
        const QRect panel(d.frame(mode)->pos(), d.frame(mode)->size());
        QVERIFY(!panel.intersects(place));
      }
    }
  }

  // The edition is remembered between runs; a value that names no edition
  // gives 1992.
  void remembered() {
    {
      FormDriver d;
      d.edition(2012);
    }
    tufu::testing::testsettings().sync();
    QCOMPARE(tufu::testing::testsettings().value("edition").toString(), QStringLiteral("2012"));
    {
      FormDriver d(Settings::Kept);
      QCOMPARE(d.combo(5)->currentText(), QStringLiteral("GB/T 13989-2012"));
      QCOMPARE(d.combo(1)->count(), 12);
      QCOMPARE(d.form().size(), QSize(321, 538));
      QVERIFY(!d.command(30)->isHidden());
      // The start-up computes in the remembered edition.
      d.click(2);
      d.typeentry(QStringLiteral("J50I006006"));
      QCOMPARE(d.label(27), QStringLiteral("1:2000"));
      d.edition(1992);
    }
    {
      FormDriver d(Settings::Kept);
      QCOMPARE(d.combo(5)->currentText(), QStringLiteral("GB/T 13989-1992"));
      QCOMPARE(d.combo(1)->count(), 9);
    }
    tufu::testing::testsettings().setValue("edition", "1999");
    {
      FormDriver d(Settings::Kept);
      QCOMPARE(d.form().state().edition, tufu::Edition::k1992);
    }
    {
      FormDriver d;  // a fresh start knows no edition
      QCOMPARE(d.form().state().edition, tufu::Edition::k1992);
    }
  }

  // J50I006006 is the internal code of a 1:20万 sheet in 1992 and a 1:2000
  // sheet in 2012; changing the edition runs the query again.
  void clash() {
    FormDriver d;
    d.click(2);
    d.typeentry(QStringLiteral("J50I006006"));
    const QStringList as1992 = {"该编号为新图幅编号", "1:20万", "J-50-XXXVI",
                                "119°0′-- 120°0′", "36°0′-- 36°40′", "1°", "40′"};
    const QStringList cells1992 = {"J50", "J-50", "J50B002002", "J-50-D", "", "", "", "",
                                   "", "", "", "", "", "", "", "", "", "", "", "", "", ""};
    QCOMPARE(d.labels(kSheet), as1992);
    QCOMPARE(d.labels(kCells), cells1992);
    QCOMPARE(enabledbuttons(d), QStringLiteral("00011111000"));

    d.edition(2012);
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50I006006"));
    // 1:2000 sheets are 37.5″ × 25″: column 6 starts 5 × 37.5″ east of
    // 114°, row 6 from the north is row 570 from the south of J50 (36°).
    QCOMPARE(d.labels(kSheet),
             (QStringList{"该编号为新图幅编号", "1:2000", "", "114°3′7.5″-- 114°3′45″",
                          "39°57′30″-- 39°57′55″", "37.5″", "25″"}));
    QCOMPARE(d.labels(kCells),
             (QStringList{"J50", "J-50", "J50B001001", "J-50-A", "J50C001001", "J-50-[1]", "",
                          "J-50-I", "J50D001001", "J-50-1", "J50E001001", "J-50-1-A",
                          "J50F001001", "J-50-1-A-1", "J50G001001", "J-50-1-(1)", "J50H002002",
                          "J-50-1-(1)-D", "", "", "", ""}));
    QCOMPARE(enabledbuttons(d), QStringLiteral("00000000011"));
    QCOMPARE(d.form().state().lastscalebtn, 29);
    QCOMPARE(d.label(69), QStringLiteral("2*2"));

    d.edition(1992);
    QCOMPARE(d.labels(kSheet), as1992);
    QCOMPARE(d.labels(kCells), cells1992);
    QCOMPARE(d.form().state().lastscalebtn, 9);
  }

  // The three larger scales at 116°23′30″ E, 39°54′30″ N: 2°23′30″ (8610″)
  // east of 114° and 5′30″ (330″) south of 40°, so column 8610 / lonsize
  // + 1 and row 330 / latsize + 1 from the north-west of J50.
  void largescalepoint_data() {
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("1:2000") << "1:2000"
                            << QStringList{"J50I014230", "", "116°23′7.5″-- 116°23′45″",
                                           "39°54′10″-- 39°54′35″", "37.5″", "25″", ""};
    QTest::newRow("1:1000") << "1:1000"
                            << QStringList{"J50J00270460", "", "116°23′26.25″-- 116°23′45″",
                                           "39°54′22.5″-- 39°54′35″", "18.75″", "12.5″", ""};
    QTest::newRow("1:500") << "1:500"
                           << QStringList{"J50K00530919", "", "116°23′26.25″-- 116°23′35.625″",
                                          "39°54′28.75″-- 39°54′35″", "9.375″", "6.25″", ""};
  }
  void largescalepoint() {
    QFETCH(QString, scale);
    QFETCH(QStringList, results);
    FormDriver d;
    d.edition(2012);
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(1, scale);
    QCOMPARE(d.labels(kPoint), results);
    // The number goes to the sheet-number query, which reads it as typed.
    d.clicklabel(9);
    QCOMPARE(d.combo(2)->currentText(), results[0]);
    QCOMPARE(d.label(27), scale);
    QCOMPARE(d.label(31), results[2]);
  }

  // The chosen scale stays chosen; one that the edition lacks gives way to
  // 1:5000.
  void chosenscaleacrosseditions() {
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(1, QStringLiteral("1:20万"));
    d.edition(2012);
    QCOMPARE(d.combo(1)->currentText(), QStringLiteral("1:20万"));
    QCOMPARE(d.labels({9, 10}), (QStringList{"", "J-50-III"}));
    d.choose(1, QStringLiteral("1:500"));
    QCOMPARE(d.label(9), QStringLiteral("J50K00530919"));
    d.edition(1992);
    QCOMPARE(d.combo(1)->currentText(), QStringLiteral("1:5000"));
    QCOMPARE(d.form().state().scaletag, 8);
    QCOMPARE(d.labels({9, 10}), (QStringList{"J50H005077", "J-50-5-(23)-A"}));
  }

  // A 1:500 sheet is contained by one sheet of every smaller scale, 1:20万
  // included, and contains nothing.
  void containingtableof500() {
    FormDriver d;
    d.edition(2012);
    d.typeentry(QStringLiteral("J50K00530919"));
    QCOMPARE(d.labels(kCells),
             (QStringList{"J50", "J-50", "J50B001001", "J-50-A", "J50C001002", "J-50-[2]", "",
                          "J-50-III", "J50D001005", "J-50-5", "J50E001010", "J-50-5-B",
                          "J50F002020", "J-50-5-B-4", "J50G003039", "J-50-5-(23)",
                          "J50H005077", "J-50-5-(23)-A", "J50I014230", "", "J50J00270460", ""}));
    QCOMPARE(enabledbuttons(d), QStringLiteral("00000000000"));
    // A click on a 2012 row queries its number.
    d.clicklabel(117);
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50I014230"));
    QCOMPARE(d.label(27), QStringLiteral("1:2000"));
    QCOMPARE(d.label(120), QString());
    QCOMPARE(d.label(114), QStringLiteral("J50H005077"));
  }

  // A 1:5000 sheet holds 3 × 3 1:2000 sheets, 6 × 6 1:1000 and 12 × 12
  // 1:500; they have no old numbers.
  void hierarchyof5000_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QStringList>("corners");  // top-left, bottom-left, top-right, bottom-right
    QTest::newRow("2000") << 28 << "3*3"
                          << QStringList{"J50I013229", "J50I015229", "J50I013231", "J50I015231"};
    QTest::newRow("1000") << 29 << "6*6"
                          << QStringList{"J50J00250457", "J50J00300457", "J50J00250462",
                                         "J50J00300462"};
    QTest::newRow("500") << 30 << "12*12"
                         << QStringList{"J50K00490913", "J50K00600913", "J50K00490924",
                                        "J50K00600924"};
  }
  void hierarchyof5000() {
    QFETCH(int, button);
    QFETCH(QString, relation);
    QFETCH(QStringList, corners);
    FormDriver d;
    d.edition(2012);
    d.click(2);
    d.choose(3, QStringLiteral("所含大比例尺图幅编号"));
    d.typeentry(QStringLiteral("J50H005077"));
    QCOMPARE(enabledbuttons(d), QStringLiteral("00000000111"));
    QCOMPARE(d.form().state().lastscalebtn, 28);  // the first that nests ran
    d.click(button);
    QCOMPARE(d.label(69), relation);
    QCOMPARE(d.labels({65, 66, 67, 68}), corners);
    QCOMPARE(d.form().state().lastscalebtn, button);
    d.click(6);  // old view: no old numbers at these scales
    QCOMPARE(d.labels({78, 79, 80, 81}), QStringList(4, QString()));
    d.click(14);
    QVERIFY(d.takemessages().isEmpty());
    QCOMPARE(d.form().sheettable()->block().blockscale, button - 28 + 10);
  }

  // A 1:100万 sheet holds 2304 × 2304 1:500 sheets: too many for the table.
  void hierarchyoutputlimit() {
    FormDriver d;
    d.edition(2012);
    d.click(2);
    d.typeentry(QStringLiteral("J50"));
    QCOMPARE(enabledbuttons(d), QStringLiteral("11111111111"));
    d.click(30);
    QCOMPARE(d.label(69), QStringLiteral("2304*2304"));
    QCOMPARE(d.labels({65, 66, 67, 68}),
             (QStringList{"J50K00010001", "J50K23040001", "J50K00012304", "J50K23042304"}));
    d.click(14);
    QCOMPARE(d.takemessages(), QStringList{"错误|图幅过大！最大输出60*48"});
    QVERIFY(d.form().sheettable() == nullptr);
  }

  // The block query at 1:500: 116°23′30″–116°23′40″ E spans columns 919 and
  // 920 of J50, 39°54′30″–39°54′40″ N rows 53 and 52.
  void blockat500() {
    FormDriver d;
    d.edition(2012);
    d.choose(4, QStringLiteral("区块查询"));
    d.type(3, "116,23,30");
    d.type(4, "116,23,40");
    d.type(5, "39,54,30");
    d.type(6, "39,54,40");
    d.click(33);
    QCOMPARE(d.label(94), QStringLiteral("2*2"));
    QCOMPARE(d.labels({90, 91, 92, 93}),
             (QStringList{"J50K00520919", "J50K00530919", "J50K00520920", "J50K00530920"}));
    QCOMPARE(d.labels({95, 96, 97, 98, 100, 101, 102, 103}), QStringList(8, QString()));
    QCOMPARE(d.form().state().lastscalebtn, 33);
    d.click(31);  // "2千": two rows of 1:2000 sheets meet at 39°54′35″
    QCOMPARE(d.label(94), QStringLiteral("2*1"));
    QCOMPARE(d.labels({90, 91}), (QStringList{"J50I013230", "J50I014230"}));
    d.click(16);
    QCOMPARE(d.form().sheettable()->block().blockscale, 10);
    // A bound on a sheet edge ends the block south of it: 39°54′35″ is the
    // north edge of row 53.
    d.click(33);
    d.type(6, "39,54,35");
    QCOMPARE(d.label(94), QStringLiteral("1*2"));
  }

  // Mode switching presses the new buttons again as it does the others.
  void modeswitchingreplaysthenewbuttons() {
    FormDriver d;
    d.edition(2012);
    d.choose(4, QStringLiteral("北京"));
    d.type(4, "114,30,20");
    d.type(6, "39,0,20");
    d.click(32);  // "1千"
    QCOMPARE(d.label(94), QStringLiteral("2*2"));
    d.labelw(94)->clear();
    d.click(2);
    d.click(1);
    QCOMPARE(d.label(94), QStringLiteral("2*2"));
    QCOMPARE(d.form().state().lastscalebtn, 32);

    d.click(2);
    d.typeentry(QStringLiteral("J50H005077"));
    d.click(29);  // "1000"
    d.labelw(69)->clear();
    d.click(1);
    d.click(2);
    QCOMPARE(d.label(69), QStringLiteral("6*6"));
  }

  // Back in 1992 a block listing at a scale it lacks gives way to 1:5000,
  // and "输出" shows a block of the edition.
  void blocklistingacrosseditions() {
    FormDriver d;
    d.edition(2012);
    d.choose(4, QStringLiteral("区块查询"));
    d.type(3, "116,23,30");
    d.type(4, "116,23,40");
    d.type(5, "39,54,30");
    d.type(6, "39,54,40");
    d.click(33);
    d.edition(1992);
    QCOMPARE(d.form().state().lastscalebtn, 25);
    QCOMPARE(d.labels({90, 94}), (QStringList{"J50H005077", "1*1"}));
    QCOMPARE(d.form().state().block->blockscale, 9);
  }

  // A hierarchy listing the edition still has is shown again; one it lacks
  // gives way to the first scale that nests, as typing the number runs it.
  // A block listing of 2012 left in the block query is emptied.
  void hierarchylistingacrosseditions() {
    FormDriver d;
    d.click(2);
    d.typeentry(QStringLiteral("J50"));
    d.click(12);  // "1万"
    d.edition(2012);
    QCOMPARE(d.form().state().lastscalebtn, 12);
    QCOMPARE(d.label(69), QStringLiteral("96*96"));

    d.click(1);
    d.choose(4, QStringLiteral("区块查询"));
    d.type(3, "116,23,30");
    d.type(4, "116,23,40");
    d.type(5, "39,54,30");
    d.type(6, "39,54,40");
    d.click(33);
    d.click(2);
    d.click(30);  // "500"
    QCOMPARE(d.label(69), QStringLiteral("2304*2304"));
    d.edition(1992);
    QCOMPARE(d.form().state().lastscalebtn, 7);
    QCOMPARE(d.label(69), QStringLiteral("2*2"));
    QCOMPARE(d.labels({90, 91, 92, 93, 94}), QStringList(5, QString()));
    QCOMPARE(d.form().state().block->blockscale, 2);
  }

  // The entry list shows the forms of the larger scales in 2012 and leaves
  // the typed text as it is.
  void entrylist() {
    FormDriver d;
    d.typeentry(QStringLiteral("J-50"));
    d.edition(2012);
    QCOMPARE(d.combo(2)->count(), 28);
    QCOMPARE(d.combo(2)->itemText(2), QStringLiteral("1:2000:"));
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J-50"));
    d.choose(2, QStringLiteral("J50J00010001"));
    QCOMPARE(d.label(27), QStringLiteral("1:1000"));
    d.edition(1992);
    QCOMPARE(d.combo(2)->count(), 22);
    QCOMPARE(d.combo(2)->itemText(2), QStringLiteral("旧图幅编号格式"));
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50J00010001"));
    QCOMPARE(d.label(21), QStringLiteral("该编号为  图幅编号"));  // not a 1992 number
  }
};

QTEST_MAIN(EditionTest)
#include "edition_test.moc"
