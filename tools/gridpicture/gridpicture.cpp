// Draws a layer of sheet outlines as GDAL reads it back: every outline and,
// inside it, the sheet's number and name, north up, the layer's own units
// the same both ways (longitudes shortened by the cosine of the middle
// latitude in a geographic layer).  For the pictures of exported grids.
//
//   QT_QPA_PLATFORM=offscreen tufu-gridpicture LAYER OUT.png [WIDTH]
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Sheet {
  QPolygonF outline;
  QPointF centre;
  QString number, name;
};

QString field(OGRFeature& f, const char* name) {
  const int i = f.GetFieldIndex(name);
  return i >= 0 && f.IsFieldSetAndNotNull(i) ? QString::fromUtf8(f.GetFieldAsString(i)) : QString();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fputs("usage: tufu-gridpicture LAYER OUT.png [WIDTH]\n", stderr);
    return 2;
  }
  const int width = argc > 3 ? std::atoi(argv[3]) : 900;
  GDALAllRegister();
  GDALDatasetUniquePtr ds(GDALDataset::Open(argv[1], GDAL_OF_VECTOR | GDAL_OF_READONLY));
  if (!ds || ds->GetLayerCount() < 1) {
    std::fprintf(stderr, "tufu-gridpicture: cannot read %s\n", argv[1]);
    return 1;
  }
  OGRLayer* layer = ds->GetLayer(0);
  const OGRSpatialReference* srs = layer->GetSpatialRef();
  std::vector<Sheet> sheets;
  OGREnvelope all;
  for (auto& f : *layer) {
    const OGRGeometry* g = f->GetGeometryRef();
    if (g == nullptr || wkbFlatten(g->getGeometryType()) != wkbPolygon) continue;
    Sheet s;
    const OGRLinearRing* ring = g->toPolygon()->getExteriorRing();
    for (int i = 0; i < ring->getNumPoints(); ++i) s.outline << QPointF(ring->getX(i), ring->getY(i));
    OGRPoint c;
    g->Centroid(&c);
    s.centre = QPointF(c.getX(), c.getY());
    s.number = field(*f, "new_no");
    if (s.number.isEmpty()) s.number = field(*f, "old_no");
    s.name = field(*f, "name");
    OGREnvelope e;
    g->getEnvelope(&e);
    all.Merge(e);
    sheets.push_back(std::move(s));
  }
  if (sheets.empty()) {
    std::fputs("tufu-gridpicture: no polygons\n", stderr);
    return 1;
  }

  const double stretch = srs != nullptr && srs->IsGeographic()
                             ? std::cos((all.MinY + all.MaxY) / 2 * M_PI / 180)
                             : 1.0;
  const int margin = 40;
  const double scale = (width - 2 * margin) / ((all.MaxX - all.MinX) * stretch);
  const int height = static_cast<int>((all.MaxY - all.MinY) * scale) + 2 * margin;
  const auto at = [&](QPointF p) {
    return QPointF(margin + (p.x() - all.MinX) * stretch * scale,
                   height - margin - (p.y() - all.MinY) * scale);
  };

  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.2));
  for (const Sheet& s : sheets) {
    QPolygonF shown;
    for (const QPointF& p : s.outline) shown << at(p);
    painter.drawPolygon(shown);
  }
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(13);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  for (const Sheet& s : sheets) {
    const QPointF c = at(s.centre);
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(QRectF(c.x() - 150, c.y() - metrics.height(), 300, metrics.height()),
                     Qt::AlignCenter, s.number);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QRectF(c.x() - 150, c.y(), 300, metrics.height()), Qt::AlignCenter, s.name);
  }
  painter.setPen(Qt::black);
  QString caption = QString::fromUtf8(layer->GetName());
  if (srs != nullptr && srs->GetAuthorityCode(nullptr) != nullptr)
    caption += QStringLiteral("  EPSG:") + QString::fromLatin1(srs->GetAuthorityCode(nullptr));
  painter.drawText(QPointF(margin, margin / 2.0 + 5), caption);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "tufu-gridpicture: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
