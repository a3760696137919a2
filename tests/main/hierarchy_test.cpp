// The hierarchy panel: the block a queried sheet contains, its views, and
// "输出" with the output limit.
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;

namespace {
// Corners top-left, bottom-left, top-right, bottom-right.
const std::initializer_list<int> kNewCorners = {65, 66, 67, 68};
const std::initializer_list<int> kOldCorners = {78, 79, 80, 81};
const std::initializer_list<int> kNames = {70, 71, 72, 73};

QString nameof(const QString& key) {
  const auto name = tufu::mapchinesename(key.toStdString());
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void showpanel(FormDriver& d) {
  d.click(2);
  d.choose(3, QStringLiteral("所含大比例尺图幅编号"));
}
}  // namespace

class HierarchyTest : public QObject {
  Q_OBJECT

 private slots:
  void chooserhidesandshowsthepanel() {
    FormDriver d;
    QVERIFY(d.frame(4)->isHidden());
    QCOMPARE(d.combo(3)->currentText(), QStringLiteral("所属小比例尺图幅编号"));
    showpanel(d);
    QVERIFY(!d.frame(4)->isHidden());
    d.choose(3, QStringLiteral("所属小比例尺图幅编号"));
    QVERIFY(d.frame(4)->isHidden());
  }

  void tenthousandsinahundredthousand() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50D005003"));
    d.click(12);  // "1万"
    const QStringList corners = {"J50G033017", "J50G040017", "J50G033024", "J50G040024"};
    QCOMPARE(d.label(69), QStringLiteral("8*8"));
    QCOMPARE(d.labels(kNewCorners), corners);
    QCOMPARE(d.labels(kOldCorners),
             (QStringList{"J-50-51-(1)", "J-50-51-(57)", "J-50-51-(8)", "J-50-51-(64)"}));
    QCOMPARE(d.labels(kNames), (QStringList{nameof(corners[0]), nameof(corners[1]),
                                            nameof(corners[2]), nameof(corners[3])}));
    QCOMPARE(d.form().state().lastscalebtn, 12);
    QVERIFY(d.labelshown(65));
    QVERIFY(!d.labelshown(78));

    d.click(14);  // "输出"
    QVERIFY(d.takemessages().isEmpty());
    tufu::SheetTableWindow* table = d.form().sheettable();
    QVERIFY(table != nullptr);
    QVERIFY(table->isVisible());
    QCOMPARE(table->block().blockrows, 8);
    QCOMPARE(table->block().blockcols, 8);
  }

  // A typed old number: the block of its new counterpart at the scale the
  // query recognised.
  void oldnumberandtwohundredthousands() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J-50-C"));
    d.click(15);  // "20万"
    QCOMPARE(d.label(69), QStringLiteral("3*3"));
    QCOMPARE(d.labels(kNewCorners),
             (QStringList{"J50I004001", "J50I006001", "J50I004003", "J50I006003"}));
    QCOMPARE(d.labels(kOldCorners),
             (QStringList{"J-50-XIX", "J-50-XXXI", "J-50-XXI", "J-50-XXXIII"}));
    for (int n : kNewCorners) QVERIFY(!d.labelshown(n));  // no new numbers at 1:20万
    d.click(5);  // "新图幅编号": still none
    for (int n : kNewCorners) QVERIFY(!d.labelshown(n));
    for (int n : kOldCorners) QVERIFY(!d.labelshown(n));
    d.click(6);  // "旧图幅编号"
    for (int n : kOldCorners) QVERIFY(d.labelshown(n));
    // Another scale shows the new numbers again.
    d.click(9);
    QVERIFY(d.labelshown(65));
    QCOMPARE(d.label(65), QStringLiteral("J50D007001"));
  }

  // The internal 1:20万 codes in the new-number fields stay out of view
  // even after the block query has pressed a scale button of its own.
  void twohundredthousandsafterablocklisting() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50"));
    d.click(15);  // "20万"
    d.click(1);
    d.choose(4, QStringLiteral("北京"));
    d.click(17);  // "100万" of the block query
    QCOMPARE(d.form().state().lastscalebtn, 17);
    d.click(2);
    d.click(5);  // "新图幅编号"
    for (int n : kNewCorners) QVERIFY(!d.labelshown(n));
    d.click(6);
    for (int n : kOldCorners) QVERIFY(d.labelshown(n));
  }

  void outputlimit_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("refused");
    QTest::newRow("2.5万: 48*48") << 11 << 48 << false;
    QTest::newRow("1万: 96*96") << 12 << 96 << true;
  }
  void outputlimit() {
    QFETCH(int, button);
    QFETCH(int, rows);
    QFETCH(bool, refused);
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50"));
    d.click(button);
    QCOMPARE(d.label(69), QStringLiteral("%1*%1").arg(rows));
    d.click(14);
    if (refused) {
      QCOMPARE(d.takemessages(), QStringList{QStringLiteral("错误|图幅过大！最大输出60*48")});
      QVERIFY(d.form().sheettable() == nullptr);
      QCOMPARE(d.label(69), QStringLiteral("96*96"));  // the results stay
    } else {
      QVERIFY(d.takemessages().isEmpty());
      QVERIFY(d.form().sheettable() != nullptr);
      QCOMPARE(d.form().sheettable()->block().blockrows, rows);
    }
  }

  // An open table follows the next "输出", and a refused one leaves it.
  void outputreplacestheopentable() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50"));
    d.click(11);
    d.click(14);
    d.click(9);  // "10万": 12*12
    d.click(14);
    QCOMPARE(d.form().sheettable()->block().blockrows, 12);
    d.click(12);
    d.click(14);
    QCOMPARE(d.takemessages().size(), 1);
    QCOMPARE(d.form().sheettable()->block().blockrows, 12);
  }

  void editingemptiesthepanel() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50D005003"));
    d.click(12);
    QTest::keyClick(d.combo(2), Qt::Key_Backspace);  // "J50D00500": no number
    QCOMPARE(d.labels({65, 66, 67, 68, 78, 79, 80, 81, 70, 71, 72, 73, 69}),
             QStringList(13, QString()));
    QTest::keyClicks(d.combo(2), QStringLiteral("3"));  // the query runs "5万" itself
    QCOMPARE(d.label(69), QStringLiteral("2*2"));
    d.click(12);
    QCOMPARE(d.label(69), QStringLiteral("8*8"));
  }

  // A scale that does not nest in the sheet's scale gives no block: no
  // corners, no relation text, and "输出" keeps the block listed before.
  // Only a stale button number can ask for one: after a 1:5000 number no
  // button runs, and returning to the mode presses the last one again.
  void targetthatdoesnotnest_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("50万 for a 1:5000 sheet") << 7;
    QTest::newRow("20万 for a 1:5000 sheet") << 15;
  }
  void targetthatdoesnotnest() {
    QFETCH(int, button);
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50"));
    d.click(button);
    const tufu::Block before = *d.form().state().block;
    d.pasteentry(QStringLiteral("J50H001001"));
    QCOMPARE(d.form().state().lastscalebtn, button);
    d.click(1);
    d.click(2);
    QCOMPARE(d.form().state().lastscalebtn, button);
    QCOMPARE(d.labels({65, 66, 67, 68, 78, 79, 80, 81, 70, 71, 72, 73, 69}),
             QStringList(13, QString()));
    QVERIFY(*d.form().state().block == before);
  }

  // Nothing recognised: the buttons only remember their number.
  void nothingrecognised() {
    FormDriver d;
    showpanel(d);
    d.typeentry(QStringLiteral("J50"));
    d.typeentry(QStringLiteral("X"));
    d.click(8);
    QCOMPARE(d.form().state().lastscalebtn, 8);
    QCOMPARE(d.label(69), QString());
    QCOMPARE(d.label(65), QString());
  }
};

QTEST_MAIN(HierarchyTest)
#include "hierarchy_test.moc"
