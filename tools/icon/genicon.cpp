// Writes the program's icon files from the one drawing of ui/main/icon.cpp:
//
//   tufu_icon_gen OUTDIR
//
// OUTDIR/tufu.svg (scalable) and OUTDIR/NxN/tufu.png for the sizes of the
// hicolor icon theme.  Exits with 1 and a message when a file cannot be
// written.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/main/icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: tufu_icon_gen OUTDIR\n", stderr);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  constexpr int kSvgSize = 256;
  {
    QSvgGenerator svg;
    svg.setFileName(out.filePath(QStringLiteral("tufu.svg")));
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setTitle(QStringLiteral("tufu"));
    svg.setDescription(QStringLiteral("图幅编号计算"));
    QPainter painter;
    if (!painter.begin(&svg)) {
      std::fputs("tufu_icon_gen: cannot write tufu.svg\n", stderr);
      return 1;
    }
    tufu::painticon(painter, kSvgSize);
  }
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QStringLiteral("%1x%1").arg(size);
    if (!out.mkpath(dir) || !tufu::iconpixmap(size).save(out.filePath(dir + QStringLiteral("/tufu.png")))) {
      std::fprintf(stderr, "tufu_icon_gen: cannot write %s/tufu.png\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
