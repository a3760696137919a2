// The adjoining-sheet diagram of the sheet-number query: the eight
// neighbours of the queried sheet across the borders of 1:100万 sheets and
// zones, empty beyond the numbered area, and a click on a neighbour.
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"

using tufu::testing::FormDriver;

namespace {
// North-west, north, north-east; west, the sheet, east; south-west, south,
// south-east.
const std::initializer_list<int> kCells = {122, 123, 124, 125, 126, 127, 128, 129, 130};
constexpr int kNorth = 123, kWest = 125, kMiddle = 126, kEast = 127;

const QString kDiagramView = QStringLiteral("接图表(相邻图幅)");

/// What a cell shows for the sheet numbered `key`: its place name, or the
/// number where it has none ("" stays empty).
QString shown(const QString& key) {
  const auto name = tufu::mapchinesename(key.toStdString());
  return name.empty() ? key : QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QStringList shownall(const QStringList& keys) {
  QStringList out;
  for (const QString& k : keys) out << shown(k);
  return out;
}

void showdiagram(FormDriver& d, int edition) {
  if (edition != 1992) d.edition(edition);
  d.click(2);
  d.choose(3, kDiagramView);
}
}  // namespace

class NeighboursTest : public QObject {
  Q_OBJECT

 private slots:
  // The diagram takes the place of the containing table and the hierarchy.
  void chooser() {
    FormDriver d;
    QCOMPARE(d.combo(3)->itemText(2), kDiagramView);
    QVERIFY(d.frame(9)->isHidden());
    d.choose(3, kDiagramView);
    QVERIFY(!d.frame(9)->isHidden());
    QVERIFY(d.frame(4)->isHidden());
    QVERIFY(d.get<QWidget>(QStringLiteral("ContainingTable"))->isHidden());
    QCOMPARE(d.frame(9)->geometry(), d.get<QWidget>(QStringLiteral("ContainingTable"))->geometry());
    d.choose(3, QStringLiteral("所含大比例尺图幅编号"));
    QVERIFY(d.frame(9)->isHidden());
    QVERIFY(!d.frame(4)->isHidden());
    d.choose(3, QStringLiteral("所属小比例尺图幅编号"));
    QVERIFY(d.frame(9)->isHidden());
    QVERIFY(!d.get<QWidget>(QStringLiteral("ContainingTable"))->isHidden());
  }

  void diagram_data() {
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("keys");  // the sheets of the nine cells
    QTest::newRow("zone border") << 1992 << "J50C001004"
                                 << QStringList{"K50C004003", "K50C004004", "K51C004001",
                                                "J50C001003", "J50C001004", "J51C001001",
                                                "J50C002003", "J50C002004", "J51C002001"};
    QTest::newRow("row border") << 1992 << "J50C001001"
                                << QStringList{"K49C004004", "K50C004001", "K50C004002",
                                               "J49C001004", "J50C001001", "J50C001002",
                                               "J49C002004", "J50C002001", "J50C002002"};
    QTest::newRow("names") << 1992 << "J50"
                           << QStringList{"K49", "K50", "K51", "J49", "J50", "J51", "I49",
                                          "I50", "I51"};
    QTest::newRow("60° N and 180° E") << 1992 << "O60"
                                      << QStringList{"", "", "", "O59", "O60", "", "N59",
                                                     "N60", ""};
    QTest::newRow("equator and 0°") << 1992 << "A-31-133"
                                    << QStringList{"", "A31D011001", "A31D011002", "",
                                                   "A31D012001", "A31D012002", "", "", ""};
    QTest::newRow("1:20万 by old number") << 1992 << "J-50-XXXVI"
                                           << QStringList{"J-50-XXIX", "J-50-XXX", "J-51-XXV",
                                                          "J-50-XXXV", "J-50-XXXVI",
                                                          "J-51-XXXI", "I-50-V", "I-50-VI",
                                                          "I-51-I"};
    QTest::newRow("1:500, four 1:100万 sheets") << 2012 << "J50K00010001"
        << QStringList{"K49K23042304", "K50K23040001", "K50K23040002",
                       "J49K00012304", "J50K00010001", "J50K00010002",
                       "J49K00022304", "J50K00020001", "J50K00020002"};
    QTest::newRow("1:2000 in 2012") << 2012 << "J50I006006"
                                    << QStringList{"J50I005005", "J50I005006", "J50I005007",
                                                   "J50I006005", "J50I006006", "J50I006007",
                                                   "J50I007005", "J50I007006", "J50I007007"};
  }
  void diagram() {
    QFETCH(int, edition);
    QFETCH(QString, typed);
    QFETCH(QStringList, keys);
    FormDriver d;
    showdiagram(d, edition);
    d.typeentry(typed);
    QCOMPARE(d.labels(kCells), shownall(keys));
    // Nothing acceptable, nothing shown.
    d.typeentry(typed + QLatin1Char('-'));
    QCOMPARE(d.labels(kCells), QStringList(9, QString()));
  }

  // Each cell names both numbers of its sheet when the pointer rests on it.
  void tooltips() {
    FormDriver d;
    d.typeentry(QStringLiteral("J50C001004"));
    QCOMPARE(d.labelw(kEast)->toolTip(), QStringLiteral("J51C001001  J-51-[1]"));
    d.typeentry(QStringLiteral("J-50-XXXVI"));
    QCOMPARE(d.labelw(kEast)->toolTip(), QStringLiteral("J-51-XXXI"));
    d.edition(2012);
    d.typeentry(QStringLiteral("J50I006006"));
    QCOMPARE(d.labelw(kEast)->toolTip(), QStringLiteral("J50I006007"));
  }

  // A click on a neighbour queries it, in the numbering the sheet was typed
  // in where the neighbour has a number there.
  void clickaneighbour_data() {
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("middle");  // the diagram then centres on it
    const QString newkind = QStringLiteral("该编号为新图幅编号");
    const QString oldkind = QStringLiteral("该编号为旧图幅编号");
    QTest::newRow("east across a zone") << 1992 << "J50C001004" << kEast << "J51C001001"
                                        << newkind << "J51C001001";
    QTest::newRow("north across a row") << 1992 << "J50C001001" << kNorth << "K50C004001"
                                        << newkind << "K50C004001";
    QTest::newRow("old number") << 1992 << "J-50-[4]" << kEast << "J-51-[1]" << oldkind
                                << "J51C001001";
    QTest::newRow("1:20万 has only its old number")
        << 1992 << "J50I006006" << kEast << "J-51-XXXI" << oldkind << "J-51-XXXI";
    QTest::newRow("1:500") << 2012 << "J50K00010001" << kNorth << "K50K23040001" << newkind
                           << "K50K23040001";
    QTest::newRow("1:2000 typed with code I") << 2012 << "J50I006006" << kWest << "J50I006005"
                                              << newkind << "J50I006005";
  }
  void clickaneighbour() {
    QFETCH(int, edition);
    QFETCH(QString, typed);
    QFETCH(int, cell);
    QFETCH(QString, entered);
    QFETCH(QString, kind);
    QFETCH(QString, middle);
    FormDriver d;
    showdiagram(d, edition);
    d.typeentry(typed);
    const QString before = d.label(kMiddle);
    d.clicklabel(cell);
    QCOMPARE(d.combo(2)->currentText(), entered);
    QCOMPARE(d.label(21), kind);
    QCOMPARE(d.label(kMiddle), shown(middle));
    // The sheet left behind is now the neighbour on the other side.
    const int opposite = 2 * kMiddle - cell;
    QCOMPARE(d.label(opposite), before);
  }

  // The sheet itself and an empty cell are no neighbours to go to.
  void clicksthatchangenothing() {
    FormDriver d;
    showdiagram(d, 1992);
    d.typeentry(QStringLiteral("O60"));
    for (int cell : {kMiddle, kNorth, kEast}) {
      d.clicklabel(cell);
      QCOMPARE(d.combo(2)->currentText(), QStringLiteral("O60"));
    }
  }
};

QTEST_MAIN(NeighboursTest)
#include "neighbours_test.moc"
