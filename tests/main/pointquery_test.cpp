// The point query: start-up, typing, scale choices and the number labels.
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"

using tufu::testing::FormDriver;

namespace {
// New number, old number, longitude range, latitude range, sizes.
const std::initializer_list<int> kResults = {9, 10, 14, 15, 18, 19};
}  // namespace

class PointQueryTest : public QObject {
  Q_OBJECT

 private slots:
  void startup() {
    FormDriver d;
    QCOMPARE(d.text(1)->text(), QStringLiteral("00,00,00"));
    QCOMPARE(d.text(2)->text(), QStringLiteral("00,00,00"));
    QCOMPARE(d.combo(1)->currentText(), QStringLiteral("1:100万"));
    QCOMPARE(d.combo(1)->count(), 9);
    QCOMPARE(d.labels(kResults),
             (QStringList{"A31", "A-31", "0°-- 6°", "0°-- 4°", "6°", "4°"}));
  }

  // Every keystroke recomputes; each prefix of 116,23,30 is a point of its own.
  void typingcharacterbycharacter() {
    FormDriver d;
    d.type(2, "39,54,30");
    d.choose(1, "1:25万");
    struct Step {
      const char* keys;
      const char* newno;
    };
    d.type(1, "");
    const Step steps[] = {{"1", "J31C001001"}, {"1", "J32C001004"}, {"6", "J50C001002"},
                          {",", "J50C001002"}, {"2", "J50C001002"}, {"3", "J50C001002"},
                          {",", "J50C001002"}, {"3", "J50C001002"}, {"0", "J50C001002"}};
    QString typed;
    for (const Step& s : steps) {
      QTest::keyClicks(d.text(1), QString::fromLatin1(s.keys));
      typed += QString::fromLatin1(s.keys);
      QCOMPARE(d.text(1)->text(), typed);
      QCOMPARE(d.label(9), QString::fromLatin1(s.newno));
    }
    QCOMPARE(d.labels(kResults), (QStringList{"J50C001002", "J-50-[2]", "115°30′-- 117°0′",
                                              "39°0′-- 40°0′", "1°30′", "1°"}));
  }

  // The largest point that can be typed lies in the last sheet of the grid,
  // row O and zone 60: none lies beyond 180° E or 60° N.  Sizes shown too.
  void largestpoint() {
    FormDriver d;
    d.type(1, "180,0,0");
    d.type(2, "60");
    QCOMPARE(d.labels(kResults), (QStringList{"O60", "O-60", "174°-- 180°", "56°-- 60°", "6°", "4°"}));
    d.choose(1, "1:5000");
    QCOMPARE(d.label(9), QStringLiteral("O60H001192"));
    QCOMPARE(d.label(18), QStringLiteral("1′52.5″"));
  }

  void refusedinputemptiestheresults_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("keys");
    QTest::newRow("decimal point") << 1 << "116.5";
    QTest::newRow("over 180°") << 1 << "180,0,1";
    QTest::newRow("over 60°") << 2 << "60,0,1";
    QTest::newRow("sign") << 2 << "-5";
    QTest::newRow("blank") << 1 << " 45";
  }
  void refusedinputemptiestheresults() {
    QFETCH(int, field);
    QFETCH(QString, keys);
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    QCOMPARE(d.label(9), QStringLiteral("J50"));
    d.type(field, keys);
    QCOMPARE(d.text(field)->text(), keys);  // the input stays as typed
    for (int n : kResults) QCOMPARE(d.label(n), QString());
    QCOMPARE(d.label(109), QString());
  }

  // The decimal point empties the results at once, while 116 still shows.
  void decimalpointaskeystroke() {
    FormDriver d;
    d.type(2, "39,54,30");
    d.type(1, "116");
    QCOMPARE(d.label(9), QStringLiteral("J50"));
    QTest::keyClick(d.text(1), '.');
    for (int n : kResults) QCOMPARE(d.label(n), QString());
  }

  void twentythousandhasnonewnumber() {
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(1, "1:20万");
    QCOMPARE(d.label(9), QString());
    QCOMPARE(d.label(10), QStringLiteral("J-50-III"));
    QCOMPARE(d.label(18), QStringLiteral("1°"));
    QCOMPARE(d.label(19), QStringLiteral("40′"));
    QCOMPARE(d.label(14), QStringLiteral("116°0′-- 117°0′"));
    // Every later keystroke leaves it empty too.
    QTest::keyClick(d.text(1), Qt::Key_Backspace);
    QCOMPARE(d.label(9), QString());
    QCOMPARE(d.label(10), QStringLiteral("J-50-III"));
    d.choose(1, "1:25万");
    QCOMPARE(d.label(9), QStringLiteral("J50C001002"));
  }

  // The name is looked up from the new number, or from the internal code at
  // 1:20万, before that is taken away.
  void placename_data() {
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QString>("newno");
    QTest::newRow("1:100万") << "1:100万" << "I48";
    QTest::newRow("1:20万") << "1:20万" << "I48I001001";
  }
  void placename() {
    QFETCH(QString, scale);
    QFETCH(QString, newno);
    FormDriver d;
    d.type(1, "102,30");
    d.type(2, "35,40");
    d.choose(1, scale);
    QCOMPARE(d.label(109), QString::fromUtf8(tufu::mapchinesename(newno.toStdString()).data()));
    QVERIFY(!d.label(109).isEmpty());
  }

  // A scale choice applies the checks of a field change: input the fields
  // refuse shows nothing, whatever the scale.
  void scalechoicechecksthefields_data() {
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("lat");
    QTest::newRow("empty longitude") << "" << "39,54,30";
    QTest::newRow("200°") << "200" << "39";
    QTest::newRow("negative") << "-116" << "39";
    QTest::newRow("decimal") << "116.5" << "39";
    QTest::newRow("latitude over 60°") << "116" << "61";
  }
  void scalechoicechecksthefields() {
    QFETCH(QString, lon);
    QFETCH(QString, lat);
    FormDriver d;
    d.type(2, lat);
    d.type(1, lon);
    d.choose(1, "1:5万");
    for (int n : kResults) QCOMPARE(d.label(n), QString());
    QCOMPARE(d.label(109), QString());
  }

  void scalechoicewithvalidfields() {
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(1, "1:5000");
    QCOMPARE(d.labels(kResults),
             (QStringList{"J50H005077", "J-50-5-(23)-A", "116°22′30″-- 116°24′22.5″",
                          "39°53′45″-- 39°55′0″", "1′52.5″", "1′15″"}));
  }

  // Clicking a number puts it into the sheet-number query without leaving
  // the point query; an empty number does nothing.
  void numberlabelclick() {
    FormDriver d;
    d.type(1, "116,23,30");
    d.type(2, "39,54,30");
    d.choose(1, "1:20万");
    d.clicklabel(9);
    QCOMPARE(d.combo(2)->currentText(), QString());
    d.clicklabel(10);
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J-50-III"));
    QCOMPARE(d.label(21), QStringLiteral("该编号为旧图幅编号"));
    QVERIFY(!d.frame(1)->isHidden());
    QCOMPARE(d.form().state().mode, 1);
    d.choose(1, "1:10万");
    d.clicklabel(9);
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50D001005"));
    QCOMPARE(d.label(23), QStringLiteral("J-50-5"));
  }
};

QTEST_MAIN(PointQueryTest)
#include "pointquery_test.moc"
