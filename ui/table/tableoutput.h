// The sheet table as a file or on paper: PDF and SVG (vector, with real
// text), PNG, and printing.  All draw the same TableDrawing with
// painttable, as the window does.
#pragma once

#include <QSizeF>
#include <QString>

#include "ui/table/sheettable.h"

class QImage;
class QPrinter;

namespace tufu {

/// Writes the table as a one-page PDF of the picture's own size (96 pixels
/// to the inch), its title as the document title.  Written aside and
/// renamed, so a failure leaves the old file.  Returns "" or the reason.
QString writetablepdf(const TableDrawing& d, const QString& path);

/// The same as an SVG drawing, 1 unit a pixel.
QString writetablesvg(const TableDrawing& d, const QString& path);

/// `image` as a PNG file.
QString writetablepng(const QImage& image, const QString& path);

/// How a table goes onto pages: at `scale` of its own size (1 = as on the
/// screen, 96 pixels to the inch), over `across` × `down` pages.
struct PrintLayout {
  double scale = 1;
  int across = 1, down = 1;
};

/// The smallest that printed text may become.
inline constexpr double kMinPrintScale = 0.6;

/// A table of `picture` pixels on pages of `page` inches: shrunk to fit one
/// page (never enlarged), but not below kMinPrintScale; what does not fit
/// then runs over several pages.
PrintLayout printlayout(QSizeF picture, QSizeF page);

/// Prints the table on `printer` as printlayout says, page by page, row by
/// row from the north-west.  Returns "" or the reason.
QString printtable(QPrinter& printer, const TableDrawing& d);

}  // namespace tufu
