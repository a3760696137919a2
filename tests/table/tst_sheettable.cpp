// The drawn sheet table: geometry, line widths, colours and texts, checked on
// the rendered image itself.
#include <QtTest>

#include "blocks.h"
#include "gazetteer/gazetteer.h"
#include "ui/table/sheettable.h"

using tablefixture::block;
using tablefixture::count;
using tablefixture::pixels;
using tufu::twips;

class SheetTableTest : public QObject {
  Q_OBJECT

 private slots:
  void picturesize_data();
  void picturesize();
  void onesheet();
  void emptyblock();
  void namelines_data();
  void namelines();
  void linewidths_data();
  void linewidths();
  void cellcolours_data();
  void cellcolours();
  void nonewnumberat200k();
  void graticulelabels_data();
  void graticulelabels();
  void title_data();
  void title();
  void splitname_data();
  void splitname();
  void longtextstaysinitscell();
};

void SheetTableTest::picturesize_data() {
  QTest::addColumn<QByteArray>("sw");
  QTest::addColumn<QByteArray>("ne");
  QTest::addColumn<int>("width");   // twips
  QTest::addColumn<int>("height");  // twips
  QTest::newRow("1 column") << QByteArray("J50E001001") << QByteArray("J50E001001") << 8000 << 2500;
  QTest::newRow("3 columns widened") << QByteArray("J50E001001") << QByteArray("J50E001003") << 8000 << 2500;
  QTest::newRow("4 columns") << QByteArray("J50E001001") << QByteArray("J50E001004") << 8000 << 2500;
  QTest::newRow("5 columns") << QByteArray("J50E002001") << QByteArray("J50E001005") << 9500 << 3500;
  QTest::newRow("48 columns") << QByteArray("J50E001001") << QByteArray("J51E001024") << 74000 << 2500;
  QTest::newRow("60 by 48") << QByteArray("I50E012001") << QByteArray("K51E001024") << 74000 << 61500;
}

void SheetTableTest::picturesize() {
  QFETCH(QByteArray, sw);
  QFETCH(QByteArray, ne);
  QFETCH(int, width);
  QFETCH(int, height);
  const tufu::Block b = block(sw.constData(), ne.constData());
  QCOMPARE(tufu::picturewidth(b), width);
  QCOMPARE(tufu::pictureheight(b), height);
  const QImage image = tufu::rendertable(b);
  QCOMPARE(image.size(), QSize(twips(width), twips(height)));
}

// The table of one sheet, item by item.
void SheetTableTest::onesheet() {
  const tufu::TableDrawing d = tufu::drawtable(block("J50", "J50"));
  QCOMPARE(d.width, 8000);
  QCOMPARE(d.height, 2500);
  QCOMPARE(d.lines.size(), std::size_t{4});
  QCOMPARE(d.texts.front().x, 1250);  // title
  QCOMPARE(d.texts.front().y, 300);

  struct Expected {
    int x, y;
    const char* text;
    tufu::Ink ink;
  };
  const QString name = QString::fromUtf8(tufu::mapchinesename("J50").data(),
                                         static_cast<qsizetype>(tufu::mapchinesename("J50").size()));
  QVERIFY(!name.isEmpty());
  const std::vector<Expected> expected = {
      {100, 1000, "40°0′0″", tufu::Ink::Black},  {100, 2000, "36°0′0″", tufu::Ink::Black},
      {600, 700, "114°0′0″", tufu::Ink::Black},  {2100, 700, "120°0′0″", tufu::Ink::Black},
      {1100, 1100, "J50", tufu::Ink::Blue},      {1100, 1350, "J-50", tufu::Ink::Blue},
  };
  QCOMPARE(d.texts.size(), expected.size() + 2);  // and the title and the name
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const tufu::TableText& t = d.texts[i + 1];
    QCOMPARE(t.text, QString::fromUtf8(expected[i].text));
    QCOMPARE(QPoint(t.x, t.y), QPoint(expected[i].x, expected[i].y));
    QCOMPARE(t.ink, expected[i].ink);
  }
  const tufu::TableText& n = d.texts.back();
  QCOMPARE(n.text, name);
  QCOMPARE(QPoint(n.x, n.y), QPoint(1100, 1600));
  QCOMPARE(n.ink, tufu::Ink::Red);
}

// No block listed yet: an empty frame with zero edges and no scale.
void SheetTableTest::emptyblock() {
  const tufu::TableDrawing d = tufu::drawtable(tufu::Block{});
  QCOMPARE(QSize(d.width, d.height), QSize(8000, 1500));
  QCOMPARE(d.lines.size(), std::size_t{2});
  for (const tufu::TableLine& l : d.lines) {
    QCOMPARE(QPoint(l.x1, l.y1), QPoint(1000, 1000));  // of zero length
    QCOMPARE(QPoint(l.x2, l.y2), QPoint(1000, 1000));
  }
  QCOMPARE(d.texts.size(), std::size_t{3});
  QCOMPARE(d.texts[0].text, QString("E0°0′0″-0°0′0″  N0°0′0″-0°0′0″地形图分幅表"));
  QCOMPARE(QPoint(d.texts[0].x, d.texts[0].y), QPoint(1250, 300));
  QCOMPARE(QPoint(d.texts[1].x, d.texts[1].y), QPoint(100, 1000));
  QCOMPARE(QPoint(d.texts[2].x, d.texts[2].y), QPoint(600, 700));
  QCOMPARE(d.texts[1].text, QString("0°0′0″"));
  QCOMPARE(d.texts[2].text, QString("0°0′0″"));
  QCOMPARE(tufu::rendertable(tufu::Block{}).size(), QSize(533, 100));
}

void SheetTableTest::namelines_data() {
  QTest::addColumn<QByteArray>("sheet");
  QTest::addColumn<QStringList>("lines");  // the name as printed, line by line
  QTest::newRow("7 characters, one line") << QByteArray("M55") << QStringList{"捷尔彼尼耶半岛"};
  QTest::newRow("two lines") << QByteArray("F47E004016")
                             << QStringList{"双江拉祜族佤族", "布朗族傣族自治县"};
  QTest::newRow("no name") << QByteArray("J50F001001") << QStringList{};
}

// The name in red below the numbers: its first 7 characters at 600 twips
// into the cell, the rest at 800, and nothing for a sheet without one.
void SheetTableTest::namelines() {
  QFETCH(QByteArray, sheet);
  QFETCH(QStringList, lines);
  const tufu::Block b = block(sheet.constData(), sheet.constData());
  const tufu::TableDrawing d = tufu::drawtable(b);
  QStringList red;
  for (const tufu::TableText& t : d.texts) {
    if (t.ink != tufu::Ink::Red) continue;
    QCOMPARE(QPoint(t.x, t.y), QPoint(1100, 1600 + 200 * static_cast<int>(red.size())));
    red << t.text;
  }
  QCOMPARE(red, lines);
  const QImage image = tufu::rendertable(b);
  QCOMPARE(count(image, pixels(1100, 1600, 2450, 1800), tablefixture::isred) > 20, lines.size() >= 1);
  QCOMPARE(count(image, pixels(1100, 1800, 2450, 2000), tablefixture::isred) > 20, lines.size() == 2);
}

// 1:10万 from 117° to 120° E and 38° to 40° N: parallels every 20′,
// meridians every 30′.
void SheetTableTest::linewidths_data() {
  QTest::addColumn<bool>("parallel");
  QTest::addColumn<int>("index");  // from the north or the west
  QTest::addColumn<int>("width");
  QTest::newRow("40° parallel") << true << 0 << 3;
  QTest::newRow("39° parallel") << true << 3 << 1;
  QTest::newRow("38° parallel") << true << 6 << 2;
  QTest::newRow("39°20′ parallel") << true << 2 << 1;
  QTest::newRow("117° meridian") << false << 0 << 2;
  QTest::newRow("118° meridian") << false << 2 << 1;
  QTest::newRow("120° meridian") << false << 6 << 3;
}

void SheetTableTest::linewidths() {
  QFETCH(bool, parallel);
  QFETCH(int, index);
  QFETCH(int, width);
  const tufu::Block b = block("J50D006007", "J50D001012");
  QCOMPARE(b.blockrows, 6);
  QCOMPARE(b.blockcols, 6);
  const QImage image = tufu::rendertable(b);

  // The dark run across the line, 4 pixels inside the grid's north-west
  // corner, clear of every text.
  const int at = parallel ? twips(tufu::kGridTop + tufu::kCellHeight * index)
                          : twips(tufu::kGridLeft + tufu::kCellWidth * index);
  const int across = parallel ? twips(tufu::kGridLeft) + 4 : twips(tufu::kGridTop) + 4;
  const auto dark = [&](int i) {
    return tablefixture::isdark(parallel ? image.pixel(across, i) : image.pixel(i, across));
  };
  QVERIFY(dark(at));
  int first = at, last = at;
  while (dark(first - 1)) --first;
  while (dark(last + 1)) ++last;
  QCOMPARE(last - first + 1, width);
}

void SheetTableTest::cellcolours_data() {
  QTest::addColumn<QByteArray>("sw");
  QTest::addColumn<QByteArray>("ne");
  QTest::addColumn<int>("named");  // -1: some cells named, some not
  QTest::newRow("1:100万, named") << QByteArray("J50") << QByteArray("K51") << 1;
  QTest::newRow("1:2.5万, no names") << QByteArray("J50F002001") << QByteArray("J50F001003") << 0;
  QTest::newRow("1:5万") << QByteArray("J50E002001") << QByteArray("J50E001002") << -1;
}

// Numbers blue where they are printed, names red where they are printed and
// only for sheets that have one.
void SheetTableTest::cellcolours() {
  QFETCH(QByteArray, sw);
  QFETCH(QByteArray, ne);
  QFETCH(int, named);
  const tufu::Block b = block(sw.constData(), ne.constData());
  const QImage image = tufu::rendertable(b);
  for (int row = 0; row < b.blockrows; ++row) {
    for (int col = 0; col < b.blockcols; ++col) {
      const int x = tufu::kGridLeft + tufu::kCellWidth * col;
      const int y = tufu::kGridTop + tufu::kCellHeight * row;
      const tufu::BlockSheet s = tufu::blocksheet(b, row, col);
      const bool hasname = !tufu::mapchinesename(s.newno).empty();
      if (named >= 0) QCOMPARE(hasname, named == 1);
      const QRect newno = pixels(x + 100, y + 100, x + 1450, y + 340);
      const QRect oldno = pixels(x + 100, y + 350, x + 1450, y + 590);
      const QRect name = pixels(x + 100, y + 600, x + 1450, y + 990);
      QVERIFY2(count(image, newno, tablefixture::isblue) > 20, s.newno.c_str());
      QVERIFY2(count(image, oldno, tablefixture::isblue) > 20, s.newno.c_str());
      QCOMPARE(count(image, name, tablefixture::isred) > 20, hasname);
      QCOMPARE(count(image, newno.united(oldno), tablefixture::isred), 0);
      QCOMPARE(count(image, name, tablefixture::isblue), 0);
    }
  }
  // Title and graticule values are black, however many tables came before.
  const QRect above(0, 0, image.width(), twips(tufu::kGridTop) - 2);
  const QRect left(0, 0, twips(tufu::kGridLeft) - 2, image.height());
  QCOMPARE(count(image, above, [](QRgb p) { return !tablefixture::isgrey(p); }), 0);
  QCOMPARE(count(image, left, [](QRgb p) { return !tablefixture::isgrey(p); }), 0);
  QVERIFY(count(image, above, tablefixture::isdark) > 100);
  QVERIFY(count(image, left, tablefixture::isdark) > 100);
}

void SheetTableTest::nonewnumberat200k() {
  const tufu::Block b = block("I48I002001", "I48I001003");
  QCOMPARE(b.blockscale, 4);
  const QImage image = tufu::rendertable(b);
  const tufu::TableDrawing d = tufu::drawtable(b);
  for (int row = 0; row < b.blockrows; ++row) {
    for (int col = 0; col < b.blockcols; ++col) {
      const int x = tufu::kGridLeft + tufu::kCellWidth * col;
      const int y = tufu::kGridTop + tufu::kCellHeight * row;
      const std::string code = tufu::blocksheet(b, row, col).newno;
      QCOMPARE(count(image, pixels(x + 100, y + 100, x + 1450, y + 340), tablefixture::isblue), 0);
      QVERIFY(count(image, pixels(x + 100, y + 350, x + 1450, y + 590), tablefixture::isblue) > 20);
      for (const tufu::TableText& t : d.texts) QVERIFY(t.text != QString::fromStdString(code));
    }
  }
}

void SheetTableTest::graticulelabels_data() {
  QTest::addColumn<QByteArray>("sw");
  QTest::addColumn<QByteArray>("ne");
  QTest::addColumn<QStringList>("longitudes");
  QTest::addColumn<QStringList>("latitudes");
  QTest::newRow("1:5000, half seconds")
      << QByteArray("J50H048001") << QByteArray("J50H047004")
      << QStringList{"114°0′0″", "114°1′52.5″", "114°3′45″", "114°5′37.5″", "114°7′30″"}
      << QStringList{"39°2′30″", "39°1′15″", "39°0′0″"};
  QTest::newRow("1:25万") << QByteArray("J50C002003") << QByteArray("J50C001004")
                           << QStringList{"117°0′0″", "118°30′0″", "120°0′0″"}
                           << QStringList{"40°0′0″", "39°0′0″", "38°0′0″"};
}

// Latitudes down the left from the north, longitudes along the top from the
// west, each at its line.
void SheetTableTest::graticulelabels() {
  QFETCH(QByteArray, sw);
  QFETCH(QByteArray, ne);
  QFETCH(QStringList, longitudes);
  QFETCH(QStringList, latitudes);
  const tufu::TableDrawing d = tufu::drawtable(block(sw.constData(), ne.constData()));
  QStringList lon, lat;
  for (const tufu::TableText& t : d.texts) {
    QCOMPARE(t.ink == tufu::Ink::Black, t.y == 700 || t.x == 100 || t.y == 300);
    if (t.y == 700) {
      QCOMPARE(t.x, tufu::kGridLeft + tufu::kCellWidth * static_cast<int>(lon.size()) - 400);
      lon << t.text;
    } else if (t.x == 100) {
      QCOMPARE(t.y, tufu::kGridTop + tufu::kCellHeight * static_cast<int>(lat.size()));
      lat << t.text;
    }
  }
  QCOMPARE(lon, longitudes);
  QCOMPARE(lat, latitudes);
}

void SheetTableTest::title_data() {
  QTest::addColumn<QByteArray>("sw");
  QTest::addColumn<QByteArray>("ne");
  QTest::addColumn<QString>("title");
  QTest::newRow("J50") << QByteArray("J50") << QByteArray("J50")
                       << QString("E114°0′0″-120°0′0″  N36°0′0″-40°0′0″1:100万地形图分幅表");
  QTest::newRow("1:20万") << QByteArray("I48I002001") << QByteArray("I48I001003")
                         << QString("E102°0′0″-105°0′0″  N34°40′0″-36°0′0″1:20万地形图分幅表");
  QTest::newRow("1:5000") << QByteArray("J50H048001") << QByteArray("J50H047004")
                          << QString("E114°0′0″-114°7′30″  N39°0′0″-39°2′30″1:5000地形图分幅表");
}

void SheetTableTest::title() {
  QFETCH(QByteArray, sw);
  QFETCH(QByteArray, ne);
  QFETCH(QString, title);
  const tufu::Block b = block(sw.constData(), ne.constData());
  QCOMPARE(tufu::tabletitle(b), title);
  QCOMPARE(tufu::drawtable(b).texts.front().text, title);
}

void SheetTableTest::splitname_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("short") << QString("北京") << QString("北京") << QString();
  QTest::newRow("7 characters") << QString("一二三四五六七") << QString("一二三四五六七") << QString();
  QTest::newRow("8 characters") << QString("一二三四五六七八") << QString("一二三四五六七")
                                << QString("八");
  QTest::newRow("15 characters") << QString("双江拉祜族佤族布朗族傣族自治县")
                                 << QString("双江拉祜族佤族") << QString("布朗族傣族自治县");
  // A character outside the basic plane is one character, not two.
  QTest::newRow("astral character") << QString("一二三四五六\U00020000八") << QString("一二三四五六\U00020000")
                                    << QString("八");
  QTest::newRow("digits and signs") << QString("-93高地") << QString("-93高地") << QString();
}

void SheetTableTest::splitname() {
  QFETCH(QString, name);
  QFETCH(QString, first);
  QFETCH(QString, second);
  const auto [a, b] = tufu::splitname(name);
  QCOMPARE(a, first);
  QCOMPARE(b, second);
}

// A line wider than its cell is narrowed to the cell, not cut.
void SheetTableTest::longtextstaysinitscell() {
  tufu::TableDrawing d;
  d.width = 8000;
  d.height = 2500;
  const QString name = QStringLiteral("布朗族傣族自治县布朗族傣族自治县");
  d.texts.push_back({1100, 1600, name, tufu::Ink::Red, 1350});
  d.texts.push_back({1100, 1800, name, tufu::Ink::Blue, 0});
  const QImage image = tufu::painttable(d);
  const QRect row1(0, twips(1600), image.width(), 13);
  const QRect row2(0, twips(1800), image.width(), 13);
  const QRect cell = pixels(1100, 0, 1100 + 1350, 2500);
  QVERIFY(count(image, row1, tablefixture::isred) > 50);
  QCOMPARE(count(image, row1.intersected(cell), tablefixture::isred), count(image, row1, tablefixture::isred));
  // Without a limit the same text runs past the cell.
  QVERIFY(count(image, row2, tablefixture::isblue) > count(image, row2.intersected(cell), tablefixture::isblue));
}

QTEST_MAIN(SheetTableTest)
#include "tst_sheettable.moc"
