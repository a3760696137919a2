#include "ui/main/icon.h"

#include <QPainter>
#include <QPen>

namespace tufu {

void painticon(QPainter& painter, int size) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int m = size / 8, side = size - 2 * m, half = side / 2;
  const int thick = std::max(size / 32, 1), thin = std::max(size / 96, 1);
  painter.fillRect(m, m, side, side, QColor(250, 246, 228));
  painter.fillRect(m + half, m, side - half, half, QColor(160, 200, 240));
  // Fine lines of the quarter picked out.
  painter.setPen(QPen(QColor(200, 0, 0), thin, Qt::SolidLine, Qt::FlatCap));
  for (int i = 1; i < 4; ++i) {
    painter.drawLine(m + half + i * half / 4, m, m + half + i * half / 4, m + half);
    painter.drawLine(m + half, m + i * half / 4, m + side, m + i * half / 4);
  }
  // The sheet's quarters and its frame.
  painter.setPen(QPen(QColor(0, 0, 160), thin, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(m + half, m, m + half, m + side);
  painter.drawLine(m, m + half, m + side, m + half);
  painter.setPen(QPen(QColor(0, 0, 160), thick, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawRect(m, m, side, side);
  painter.restore();
}

QPixmap iconpixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painticon(painter, size);
  return pixmap;
}

QIcon windowicon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(iconpixmap(size));
  return icon;
}

}  // namespace tufu
