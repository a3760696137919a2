#include "ui/table/tableoutput.h"

#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace tufu {

namespace {

constexpr int kScreenDpi = 96;

// A file written through QSaveFile: `draw` writes to the device; nothing
// replaces the old file unless it succeeds.
template <typename Draw>
QString savefile(const QString& path, Draw draw) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (QString failure = draw(file); !failure.isEmpty()) {
    file.cancelWriting();
    return failure;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace

QString writetablepdf(const TableDrawing& d, const QString& path) {
  return savefile(path, [&](QIODevice& device) -> QString {
    const QSize size = picturesize(d);
    QPdfWriter pdf(&device);
    pdf.setResolution(kScreenDpi);
    pdf.setTitle(d.title);
    pdf.setCreator(QStringLiteral("tufu"));
    const QPageSize page(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf)) return QStringLiteral("无法写入 PDF");
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painttable(painter, d);
    if (!painter.end()) return QStringLiteral("无法写入 PDF");
    return {};
  });
}

QString writetablesvg(const TableDrawing& d, const QString& path) {
  return savefile(path, [&](QIODevice& device) -> QString {
    const QSize size = picturesize(d);
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kScreenDpi);
    svg.setTitle(d.title);
    QPainter painter;
    if (!painter.begin(&svg)) return QStringLiteral("无法写入 SVG");
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painttable(painter, d);
    if (!painter.end()) return QStringLiteral("无法写入 SVG");
    return {};
  });
}

QString writetablepng(const QImage& image, const QString& path) {
  if (image.isNull()) return QStringLiteral("没有可保存的图像");
  return savefile(path, [&](QIODevice& device) -> QString {
    QImageWriter writer(&device, "PNG");
    if (!writer.write(image)) return writer.errorString();
    return {};
  });
}

PrintLayout printlayout(QSizeF picture, QSizeF page) {
  PrintLayout l;
  const QSizeF natural = picture / kScreenDpi;  // inches
  if (natural.isEmpty() || page.isEmpty()) return l;
  const double fit = std::min(page.width() / natural.width(), page.height() / natural.height());
  l.scale = std::clamp(fit, kMinPrintScale, 1.0);
  // A hair's tolerance, so that a table that fits exactly takes one page.
  l.across = std::max(1, static_cast<int>(std::ceil(natural.width() * l.scale / page.width() - 1e-9)));
  l.down = std::max(1, static_cast<int>(std::ceil(natural.height() * l.scale / page.height() - 1e-9)));
  return l;
}

QString printtable(QPrinter& printer, const TableDrawing& d) {
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double dpi = printer.resolution();
  const PrintLayout l = printlayout(QSizeF(picturesize(d)), page.size() / dpi);
  // Device pixels for one table pixel.
  const double unit = dpi / kScreenDpi * l.scale;
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("无法开始打印");
  for (int down = 0; down < l.down; ++down) {
    for (int across = 0; across < l.across; ++across) {
      if ((down > 0 || across > 0) && !printer.newPage()) return QStringLiteral("无法开始新的一页");
      painter.save();
      painter.setClipRect(QRectF(QPointF(0, 0), page.size()));
      painter.translate(-across * page.width(), -down * page.height());
      painter.scale(unit, unit);
      painttable(painter, d);
      painter.restore();
    }
  }
  if (!painter.end()) return QStringLiteral("打印失败");
  return {};
}

}  // namespace tufu
