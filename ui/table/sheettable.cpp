#include "ui/table/sheettable.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "angles/angle.h"
#include "gazetteer/gazetteer.h"
#include "core/table.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {

// Text positions inside a cell, from its top-left corner.
constexpr int kTextLeft = 100;
constexpr int kNewNumberTop = 100;
constexpr int kOldNumberTop = 350;
constexpr int kNameTop = 600;
constexpr int kNameSecondTop = 800;
// Graticule labels: latitudes at the left margin, longitudes above the grid.
constexpr int kLatLabelLeft = 100;
constexpr int kLonLabelBack = 400;
constexpr int kLonLabelTop = 700;
constexpr int kTitleTop = 300;
constexpr int kNameLineChars = 7;
// Room for a cell's text: up to 50 twips short of the cell's east edge.
constexpr int kCellTextWidth = kCellWidth - kTextLeft - 50;

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString angletext(Angle t) { return QString::fromStdString(dfms(t)); }

// A white RGB32 image of w × h pixels, or a null image when it cannot be
// had.  The largest table is 80 MB; touching that many fresh 4 KB pages
// costs more than drawing the whole table, so on Linux the buffer is
// aligned for and advised to use huge pages.
QImage whiteimage(int w, int h) {
  constexpr std::size_t kLimit = std::size_t{1} << 30;
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  if (w <= 0 || h <= 0) return {};
  const std::size_t line = static_cast<std::size_t>(w) * 4;
  const std::size_t bytes = line * static_cast<std::size_t>(h);
  if (bytes > kLimit) return {};
  const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* data = std::aligned_alloc(kHugePage, size);
  if (data == nullptr) return {};
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(data, size, MADV_HUGEPAGE);  // only advice: failure changes nothing
#endif
  QImage image(static_cast<uchar*>(data), w, h, static_cast<qsizetype>(line),
               QImage::Format_RGB32, [](void* p) { std::free(p); }, data);
  image.fill(Qt::white);
  return image;
}

}  // namespace

int picturewidth(const Block& b) {
  return std::max(kCellWidth * b.blockcols + 2 * kGridLeft, kMinPictureWidth);
}

// A margin of 1000 twips on the west and east, 1000 above the grid for the
// title and longitudes and 500 below it for the southern latitude.
int pictureheight(const Block& b) { return kCellHeight * b.blockrows + kGridTop + 500; }

QColor inkcolour(Ink ink) {
  switch (ink) {
    case Ink::Blue: return QColor(0, 0, 255);
    case Ink::Red: return QColor(255, 0, 0);
    case Ink::Black: break;
  }
  return QColor(0, 0, 0);
}

QString tabletitle(const Block& b) {
  const QString scale = b.scale != nullptr ? qs(b.scale->label) : QString();
  return QStringLiteral("E") + angletext(b.blockswlon) + QStringLiteral("-") +
         angletext(b.east()) + QStringLiteral("  N") + angletext(b.blockswlat) +
         QStringLiteral("-") + angletext(b.north()) + scale + QStringLiteral("地形图分幅表");
}

std::pair<QString, QString> splitname(const QString& name) {
  qsizetype units = 0;
  for (int chars = 0; chars < kNameLineChars && units < name.size(); ++chars) {
    const bool pair = name.at(units).isHighSurrogate() && units + 1 < name.size() &&
                      name.at(units + 1).isLowSurrogate();
    units += pair ? 2 : 1;
  }
  return {name.left(units), name.mid(units)};
}

TableDrawing drawtable(const Block& b) { return drawtable(b, builtingazetteer()); }

TableDrawing drawtable(const Block& b, const Names& names) {
  TableDrawing d;
  d.width = picturewidth(b);
  d.height = pictureheight(b);
  const int gridright = kGridLeft + kCellWidth * b.blockcols;
  const int gridbottom = kGridTop + kCellHeight * b.blockrows;
  const auto cells = static_cast<std::size_t>(std::max(b.blockrows, 0)) *
                     static_cast<std::size_t>(std::max(b.blockcols, 0));
  d.lines.reserve(static_cast<std::size_t>(b.blockrows + b.blockcols + 2));
  d.texts.reserve(cells * 4 + static_cast<std::size_t>(b.blockrows + b.blockcols + 3));

  d.title = tabletitle(b);
  d.texts.push_back({(d.width - kTitleWidth) / 2, kTitleTop, d.title, Ink::Black});

  // Parallels, north to south.
  for (int i = 0; i <= b.blockrows; ++i) {
    const Angle lat = b.north() - b.blocklatsize * i;
    const int y = kGridTop + kCellHeight * i;
    d.lines.push_back({kGridLeft, y, gridright, y, parallelwidth(lat)});
    d.texts.push_back({kLatLabelLeft, y, angletext(lat), Ink::Black});
  }
  // Meridians, west to east.
  for (int i = 0; i <= b.blockcols; ++i) {
    const Angle lon = b.blockswlon + b.blocklonsize * i;
    const int x = kGridLeft + kCellWidth * i;
    d.lines.push_back({x, kGridTop, x, gridbottom, meridianwidth(lon)});
    d.texts.push_back({x - kLonLabelBack, kLonLabelTop, angletext(lon), Ink::Black});
  }

  // Cells, row by row from the north, each row from the west.
  for (int row = 0; row < b.blockrows; ++row) {
    for (int col = 0; col < b.blockcols; ++col) {
      const SheetInfo s = brief(b.sheet(row, col), &names);
      const int x = kGridLeft + kCellWidth * col + kTextLeft;
      const int y = kGridTop + kCellHeight * row;
      if (!s.newno.empty())
        d.texts.push_back({x, y + kNewNumberTop, qs(s.newno), Ink::Blue, kCellTextWidth});
      if (!s.oldno.empty())
        d.texts.push_back({x, y + kOldNumberTop, qs(s.oldno), Ink::Blue, kCellTextWidth});
      if (s.name.empty()) continue;
      auto [first, second] = splitname(qs(s.name));
      d.texts.push_back({x, y + kNameTop, std::move(first), Ink::Red, kCellTextWidth});
      if (!second.isEmpty()) {
        d.texts.push_back({x, y + kNameSecondTop, std::move(second), Ink::Red, kCellTextWidth});
      }
    }
  }
  return d;
}

QFont tablefont() {
  QFont font;
  // Latin first, so that digits, "°", "′" and "″" stay narrow enough for the
  // labels and numbers to fit their cells; the names fall through to the
  // CJK faces.  WenQuanYi before Noto: Noto draws 一 and 长 with the glyphs
  // of the Kangxi radicals ⼀ and ⻓, and a PDF maps each glyph back to one
  // character, so that text copied from the PDF would hold the radicals.
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(12);
  return font;
}

QSize picturesize(const TableDrawing& d) { return {twips(d.width), twips(d.height)}; }

void painttable(QPainter& painter, const TableDrawing& d) { painttable(painter, d, QRect()); }

void painttable(QPainter& painter, const TableDrawing& d, const QRect& visible) {
  const bool all = visible.isNull();
  painter.save();
  for (const TableLine& l : d.lines) {
    // Square ends, so that thick lines meet without notches at the corners.
    const int lo = -(l.width - 1) / 2;
    const int hi = lo + l.width - 1;
    const int x1 = twips(std::min(l.x1, l.x2)) + lo, x2 = twips(std::max(l.x1, l.x2)) + hi;
    const int y1 = twips(std::min(l.y1, l.y2)) + lo, y2 = twips(std::max(l.y1, l.y2)) + hi;
    const QRect line(QPoint(x1, y1), QPoint(x2, y2));
    if (all || line.intersects(visible)) painter.fillRect(line, inkcolour(Ink::Black));
  }

  const QFont font = tablefont();
  painter.setFont(font);
  // Measured as the screen measures, whatever the device, so that every
  // output narrows the same texts.
  const QFontMetrics metrics(font);
  const int ascent = metrics.ascent();
  Ink current = Ink::Black;
  painter.setPen(inkcolour(current));
  for (const TableText& t : d.texts) {
    // A cell's text keeps within its room; the few others are always drawn.
    if (!all && t.maxwidth > 0 &&
        !QRect(twips(t.x), twips(t.y), twips(t.maxwidth), metrics.height()).intersects(visible))
      continue;
    if (t.ink != current) {
      current = t.ink;
      painter.setPen(inkcolour(current));
    }
    const QPoint at(twips(t.x), twips(t.y) + ascent);
    const int room = twips(t.maxwidth);
    const int wide = room > 0 ? metrics.horizontalAdvance(t.text) : 0;
    if (wide <= room) {
      painter.drawText(at, t.text);
      continue;
    }
    // Too wide for its cell (a long second line of a name): narrowed.
    painter.save();
    painter.translate(at);
    painter.scale(static_cast<double>(room) / wide, 1.0);
    painter.drawText(QPoint(0, 0), t.text);
    painter.restore();
  }
  painter.restore();
}

QImage painttable(const TableDrawing& d) {
  const QSize size = picturesize(d);
  QImage image = whiteimage(size.width(), size.height());
  if (image.isNull()) return image;
  QPainter painter(&image);
  painttable(painter, d);
  return image;
}

QImage rendertable(const Block& b, const Names& names) { return painttable(drawtable(b, names)); }

QImage rendertable(const Block& b) { return painttable(drawtable(b)); }

}  // namespace tufu
