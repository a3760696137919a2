// The program's picture: a map sheet divided into four, one quarter picked
// out and divided again.  The window icon, the about panel and the icon
// files that are installed are all drawn by this one function.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace tufu {

/// Draws the picture into the square (0, 0)–(size, size).
void painticon(QPainter& painter, int size);

/// The picture as a pixmap of `size` × `size` pixels, transparent around it.
QPixmap iconpixmap(int size);

/// The window icon, at the usual sizes.
QIcon windowicon();

}  // namespace tufu
