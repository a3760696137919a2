// The sheet division table of a block: one cell per sheet, north at the top,
// graticule values along the top and left edges and a title line above.
//
// The table is laid out in twips (see twips.h) and drawn once per block into
// an image; the window shows that image and the "保存" button writes it.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QSize>
#include <utility>
#include <vector>

#include "core/block.h"
#include "core/describe.h"

class QPainter;

namespace tufu {

/// Table geometry, in twips.
inline constexpr int kGridLeft = 1000;    ///< west edge of the grid
inline constexpr int kGridTop = 1000;     ///< north edge of the grid
inline constexpr int kCellWidth = 1500;   ///< one sheet, west to east
inline constexpr int kCellHeight = 1000;  ///< one sheet, north to south
inline constexpr int kMinPictureWidth = 8000;
inline constexpr int kTitleWidth = 5500;  ///< room the title is centred on

/// The picture of a block: 1500 × cols + 2000 (at least 8000) by
/// 1000 × rows + 1500 twips.
int picturewidth(const Block& b);
int pictureheight(const Block& b);

/// What a piece of text is printed in.
enum class Ink { Black, Blue, Red };
QColor inkcolour(Ink ink);

/// A line from (x1, y1) to (x2, y2), in twips, `width` pixels wide.
struct TableLine {
  int x1, y1, x2, y2;
  int width;
};

/// A text printed with its top-left corner at (x, y), in twips.  A text
/// wider than `maxwidth` twips (when not 0) is narrowed to that width, so
/// that it stays inside its cell.
struct TableText {
  int x, y;
  QString text;
  Ink ink;
  int maxwidth = 0;
};

/// Everything that makes up the table of one block.
struct TableDrawing {
  int width = 0, height = 0;     ///< picture size in twips
  QString title;                 ///< the title line, as drawn
  std::vector<TableLine> lines;  ///< parallels north to south, then meridians west to east
  std::vector<TableText> texts;  ///< title, latitude labels, longitude labels, cells
};

/// The title: "E114°0′0″-120°0′0″  N36°0′0″-40°0′0″1:100万地形图分幅表".
QString tabletitle(const Block& b);

/// A place name over at most two lines: its first 7 characters, and the
/// rest ("" when it has no more than 7).
std::pair<QString, QString> splitname(const QString& name);

/// The table of `b`.  Parallels are 3 pixels wide on multiples of 4°, 2 on
/// multiples of 2°, else 1; meridians 3 on multiples of 6°, 2 on multiples
/// of 3°, else 1.  Each cell holds the new number (none at 1:20万, whose
/// internal code is no sheet number) and the old number (none at the 2012
/// scales below 1:5000) in blue and the place name from `names` in red; the
/// title and graticule values are black.
TableDrawing drawtable(const Block& b, const Names& names);
/// The same with the built-in names.
TableDrawing drawtable(const Block& b);

/// The font of every text in the table.
QFont tablefont();

/// The picture's size in pixels.
QSize picturesize(const TableDrawing& d);

/// `d` drawn with `painter`, in pixels (15 twips each) from the painter's
/// origin, lines black, on what is there.  The one drawing of the table:
/// the window, the bitmap and PNG, the PDF, the SVG and the printed pages
/// all come from it.
void painttable(QPainter& painter, const TableDrawing& d);
/// The same, leaving out the lines and cell texts that lie wholly outside
/// `visible` (pixels of the picture): a window painting a part of a large
/// table.
void painttable(QPainter& painter, const TableDrawing& d, const QRect& visible);

/// `d` drawn on a white image of its size in pixels, lines black.  A null
/// image when the picture is too large to allocate.
QImage painttable(const TableDrawing& d);

/// The whole table of `b` as an image: painttable(drawtable(b, names)).
QImage rendertable(const Block& b, const Names& names);
QImage rendertable(const Block& b);

}  // namespace tufu
