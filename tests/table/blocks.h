// Blocks and pixel helpers shared by the sheet table tests.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QtTest>

#include "core/block.h"
#include "ui/table/twips.h"

namespace tablefixture {

/// The block from south-west corner sheet `sw` to north-east corner sheet `ne`.
inline tufu::Block block(const char* sw, const char* ne) {
  const auto b = tufu::outputranges(sw, "", "", ne);
  if (!b) qFatal("no block %s..%s", sw, ne);
  return *b;
}

/// The largest table: 60 rows by 48 columns at 1:5万, I50 to K51.
inline tufu::Block largest() { return block("I50E012001", "K51E001024"); }

/// A rectangle given in twips, as pixels.
inline QRect pixels(int left, int top, int right, int bottom) {
  return QRect(QPoint(tufu::twips(left), tufu::twips(top)),
               QPoint(tufu::twips(right) - 1, tufu::twips(bottom) - 1));
}

inline bool isblue(QRgb p) { return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80; }
inline bool isred(QRgb p) { return qRed(p) > 200 && qBlue(p) < 80 && qGreen(p) < 80; }
inline bool isdark(QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; }
/// Black, white or a grey between them.
inline bool isgrey(QRgb p) {
  return qAbs(qRed(p) - qGreen(p)) < 24 && qAbs(qGreen(p) - qBlue(p)) < 24 &&
         qAbs(qRed(p) - qBlue(p)) < 24;
}

template <typename Pred>
int count(const QImage& image, const QRect& r, Pred pred) {
  int n = 0;
  const QRect area = r.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += pred(image.pixel(x, y)) ? 1 : 0;
  return n;
}

}  // namespace tablefixture
