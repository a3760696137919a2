// Opens the sheet table window on one block, or writes its table to a PNG.
//
//   tufu-table-demo [--png FILE] SW NE
//       the block from its south-west to its north-east corner sheet
//   tufu-table-demo [--png FILE] --bounds WEST EAST SOUTH NORTH SCALE
//       the sheets of SCALE that cover a rectangle of angle texts, e.g.
//       --bounds 114,30 118 39 41,30 1:5万
#include <QApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>

#include "core/block.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "core/block.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"

namespace {

int usage() {
  std::fputs(
      "usage: tufu-table-demo [--png FILE] SW NE\n"
      "       tufu-table-demo [--png FILE] --bounds WEST EAST SOUTH NORTH SCALE\n",
      stderr);
  return 2;
}

std::optional<tufu::Block> blockofbounds(const QStringList& a) {
  const auto w = tufu::readangle(a[0].toStdString(), tufu::kLonLimit);
  const auto e = tufu::readangle(a[1].toStdString(), tufu::kLonLimit);
  const auto s = tufu::readangle(a[2].toStdString(), tufu::kLatLimit);
  const auto n = tufu::readangle(a[3].toStdString(), tufu::kLatLimit);
  const tufu::Scale* scale = tufu::parsescale(a[4].toStdString());
  if (!w || !e || !s || !n || scale == nullptr) return std::nullopt;
  return tufu::blockquery(*scale, *w, *e, *s, *n);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList args = QApplication::arguments().mid(1);
  QString png;
  if (args.size() >= 2 && args[0] == QStringLiteral("--png")) {
    png = args[1];
    args = args.mid(2);
  }
  std::optional<tufu::Block> block;
  if (args.size() == 6 && args[0] == QStringLiteral("--bounds")) {
    block = blockofbounds(args.mid(1));
  } else if (args.size() == 2) {
    block = tufu::outputranges(args[0].toStdString(), "", "", args[1].toStdString());
  } else {
    return usage();
  }
  if (!block) {
    std::fputs("tufu-table-demo: no block\n", stderr);
    return 1;
  }
  if (!png.isEmpty()) {
    const QImage image = tufu::rendertable(*block);
    if (!image.save(png, "PNG")) {
      std::fprintf(stderr, "tufu-table-demo: cannot write %s\n", png.toLocal8Bit().constData());
      return 1;
    }
    std::printf("%d rows, %d columns: %d x %d pixels\n", block->blockrows, block->blockcols,
                image.width(), image.height());
    return 0;
  }
  tufu::SheetTableWindow window;
  window.setBlock(*block);
  window.show();
  return QApplication::exec();
}
