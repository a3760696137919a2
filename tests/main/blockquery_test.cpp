// The block query: the block check, regions, scale buttons, views and
// "输出" with the output limit.
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;

namespace {
// Corners top-left, bottom-left, top-right, bottom-right; count.
const std::initializer_list<int> kNewCorners = {90, 91, 92, 93};
const std::initializer_list<int> kOldCorners = {95, 96, 97, 98};
const std::initializer_list<int> kNames = {100, 102, 101, 103};
const std::initializer_list<int> kAllResults = {90, 91, 92, 93, 95,  96,  97,
                                                98, 100, 101, 102, 103, 94};

QString nameof(const QString& key) {
  const auto name = tufu::mapchinesename(key.toStdString());
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void setbounds(FormDriver& d, const QString& west, const QString& east, const QString& south,
               const QString& north) {
  d.type(3, west);
  d.type(4, east);
  d.type(5, south);
  d.type(6, north);
}
}  // namespace

class BlockQueryTest : public QObject {
  Q_OBJECT

 private slots:
  void startup() {
    FormDriver d;
    QCOMPARE(d.combo(4)->currentText(), QStringLiteral("单点查询"));
    QCOMPARE(d.combo(4)->count(), 35);
    QVERIFY(d.frame(6)->isHidden());
    for (int n : {3, 4, 5, 6}) QCOMPARE(d.text(n)->text(), QStringLiteral("00,00,00"));
    QCOMPARE(d.form().state().blockvalid, 0);
    QCOMPARE(d.form().state().lastscalebtn, 17);
    QCOMPARE(d.labels(kAllResults), QStringList(13, QString()));
  }

  // Choosing the block query takes the point query out of view.
  void querymode() {
    FormDriver d;
    d.choose(4, QStringLiteral("区块查询"));
    QVERIFY(!d.frame(6)->isHidden());
    for (int n : {2, 9, 109}) QVERIFY(!d.labelshown(n));
    QVERIFY(d.text(1)->isHidden());
    for (int n : kNewCorners) QVERIFY(d.labelshown(n));
    for (int n : kOldCorners) QVERIFY(!d.labelshown(n));
    QCOMPARE(d.text(3)->text(), QStringLiteral("00,00,00"));  // item 1 keeps the fields
    d.choose(4, QStringLiteral("单点查询"));
    QVERIFY(d.frame(6)->isHidden());
    QVERIFY(d.labelshown(9));
    QCOMPARE(d.labelw(9)->pos(), QPoint(112, 216));  // 1680, 3240 twips
  }

  void regions_data() {
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("corners");  // top-left, bottom-left, top-right, bottom-right
    QTest::addColumn<QString>("count");
    QTest::newRow("北京 100万") << "北京" << 17 << QStringList{"K50", "J50", "K50", "J50"} << "2*1";
    // 36° lies on a sheet edge: the block ends in the row 32° to 36°.
    QTest::newRow("江苏 100万") << "江苏" << 17 << QStringList{"I50", "H50", "I51", "H51"} << "2*2";
    QTest::newRow("北京 5万") << "北京" << 22
                            << QStringList{"K50E016003", "J50E006003", "K50E016016",
                                           "J50E006016"}
                            << "15*14";
  }
  void regions() {
    QFETCH(QString, region);
    QFETCH(int, button);
    QFETCH(QStringList, corners);
    QFETCH(QString, count);
    FormDriver d;
    d.choose(4, QStringLiteral("区块查询"));
    if (button != 17) {
      setbounds(d, "100", "101", "30", "31");
      d.click(button);
    }
    d.choose(4, region);
    QCOMPARE(d.labels(kNewCorners), corners);
    QCOMPARE(d.label(94), count);
    QCOMPARE(d.labels(kNames), (QStringList{nameof(corners[0]), nameof(corners[1]),
                                            nameof(corners[2]), nameof(corners[3])}));
    QCOMPARE(d.form().state().blockvalid, 1);
    QCOMPARE(d.form().state().lastscalebtn, button);
    const tufu::Block& b = *d.form().state().block;
    QCOMPARE(QStringLiteral("%1*%2").arg(b.blockrows).arg(b.blockcols), count);
  }

  // Every region's bounds form a valid block of the whole of it.
  void everyregionisvalid() {
    FormDriver d;
    for (int i = 2; i < d.combo(4)->count(); ++i) {
      d.choose(4, d.combo(4)->itemText(i));
      QVERIFY2(d.form().state().blockvalid == 1, qPrintable(d.combo(4)->itemText(i)));
      QVERIFY(!d.label(94).isEmpty());
    }
  }

  // An east bound on a 1:5000 sheet edge is taken a second back.
  void onesheetat5000() {
    FormDriver d;
    d.choose(4, QStringLiteral("区块查询"));
    setbounds(d, "119,59", "120", "30", "30,1");
    d.click(25);
    QCOMPARE(d.labels(kNewCorners), QStringList(4, QStringLiteral("H50H096192")));
    QCOMPARE(d.label(94), QStringLiteral("1*1"));
    QCOMPARE(d.form().state().lastscalebtn, 25);
  }

  void blockcheck_data() {
    QTest::addColumn<QStringList>("bounds");
    QTest::addColumn<bool>("valid");
    QTest::newRow("degrees and minutes") << QStringList{"114,30", "118", "39", "41,30"} << true;
    QTest::newRow("60° north") << QStringList{"116", "117", "59", "60"} << true;
    QTest::newRow("east equals west") << QStringList{"116", "116", "39", "40"} << false;
    QTest::newRow("north equals south") << QStringList{"116", "117", "40", "40"} << false;
    QTest::newRow("east below west") << QStringList{"117", "116", "39", "40"} << false;
    QTest::newRow("over 180°") << QStringList{"179", "180,0,1", "39", "40"} << false;
    QTest::newRow("over 60°") << QStringList{"116", "117", "59", "60,0,1"} << false;
    QTest::newRow("decimal point") << QStringList{"116.5", "117", "39", "40"} << false;
  }
  void blockcheck() {
    QFETCH(QStringList, bounds);
    QFETCH(bool, valid);
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    setbounds(d, bounds[0], bounds[1], bounds[2], bounds[3]);
    const tufu::Block listed = *d.form().state().block;
    QCOMPARE(d.form().state().blockvalid, valid ? 1 : 0);
    if (valid) {
      QVERIFY(!d.label(94).isEmpty());
    } else {
      QCOMPARE(d.labels(kAllResults), QStringList(13, QString()));
      // The buttons do nothing, and the block listed last stays for "输出".
      d.click(18);
      QCOMPARE(d.label(94), QString());
      QCOMPARE(d.form().state().lastscalebtn, 17);
      QVERIFY(*d.form().state().block == listed);
      d.click(16);
      QVERIFY(d.form().sheettable() != nullptr);
      QVERIFY(d.form().sheettable()->block() == listed);
    }
  }

  // 1:20万 has no new numbers: the old view shows the old ones, names and
  // count are shown.
  void twohundredthousands() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.click(20);
    QCOMPARE(d.labels(kNewCorners), QStringList(4, QString()));
    QCOMPARE(d.labels(kOldCorners),
             (QStringList{"K-50-XIX", "J-50-VII", "K-50-XXII", "J-50-X"}));
    QCOMPARE(d.label(94), QStringLiteral("5*4"));
    QCOMPARE(d.labels(kNames), (QStringList{nameof("K50I004001"), nameof("J50I002001"),
                                            nameof("K50I004004"), nameof("J50I002004")}));
    d.click(27);
    for (int n : kOldCorners) QVERIFY(d.labelshown(n));
    for (int n : kNewCorners) QVERIFY(!d.labelshown(n));
    d.click(26);
    for (int n : kOldCorners) QVERIFY(!d.labelshown(n));
    // A change of a bound lists 1:20万 again.
    d.type(6, "41,40");
    QCOMPARE(d.labels(kNewCorners), QStringList(4, QString()));
    QCOMPARE(d.label(95), QStringLiteral("K-50-XIX"));
  }

  void outputlimit_data() {
    QTest::addColumn<QString>("east");
    QTest::addColumn<QString>("north");
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("refused");
    QTest::newRow("60*48") << "120" << "35" << "60*48" << false;
    QTest::newRow("61 rows") << "120" << "35,5" << "61*48" << true;
    QTest::newRow("49 columns") << "120,7,30" << "35" << "60*49" << true;
  }
  void outputlimit() {
    QFETCH(QString, east);
    QFETCH(QString, north);
    QFETCH(QString, count);
    QFETCH(bool, refused);
    FormDriver d;
    d.choose(4, QStringLiteral("区块查询"));
    setbounds(d, "114", east, "30", north);
    d.click(23);  // "2.5万"
    QCOMPARE(d.label(94), count);
    d.click(16);
    if (refused) {
      QCOMPARE(d.takemessages(), QStringList{QStringLiteral("错误|图幅过大！最大输出60*48")});
      QVERIFY(d.form().sheettable() == nullptr);
      QCOMPARE(d.label(94), count);
    } else {
      QVERIFY(d.takemessages().isEmpty());
      QVERIFY(d.form().sheettable() != nullptr);
      QCOMPARE(d.form().sheettable()->block().blockrows, 60);
      QCOMPARE(d.form().sheettable()->block().blockcols, 48);
    }
  }

  // Before anything is listed there is no table to show.
  void outputwithoutablock() {
    FormDriver d;
    d.click(16);
    QVERIFY(d.form().sheettable() == nullptr);
    QVERIFY(d.takemessages().isEmpty());
  }

  // While the last scale button was the hierarchy's, a valid change lists
  // nothing and the results stay.
  void hierarchycodestopslisting() {
    FormDriver d;
    d.choose(4, QStringLiteral("北京"));
    d.pasteentry(QStringLiteral("J50"));  // runs the hierarchy's "50万"
    QCOMPARE(d.form().state().lastscalebtn, 7);
    QTest::keyClick(d.text(6), Qt::Key_Backspace);  // 41,3: still valid
    QCOMPARE(d.form().state().blockvalid, 1);
    QCOMPARE(d.label(92), QStringLiteral("K50"));
    QCOMPARE(d.label(94), QStringLiteral("2*1"));
    d.click(18);
    QCOMPARE(d.form().state().lastscalebtn, 18);
    QCOMPARE(d.label(92), QStringLiteral("K50B002002"));
  }
};

QTEST_MAIN(BlockQueryTest)
#include "blockquery_test.moc"
