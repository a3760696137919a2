// "导出…" and "打印…" of the sheet table window: the block as a GIS layer,
// the table as PDF and SVG (vector, with text) and PNG, and on paper; all
// from the one drawing the window shows.
#include <QtTest>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <deque>

#include "blocks.h"
#include "gazetteer/gazetteer.h"
#include "tests/gis/gisfixture.h"
#include "ui/table/savedialogs.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"
#include "ui/table/tableoutput.h"

using tablefixture::block;

namespace {

// Answers the export and print dialogs from a script.
class ScriptedDialogs final : public tufu::SaveDialogs {
 public:
  std::deque<FileChoice> answers;  // a null path cancels
  QStringList offered, selected;   // what each export dialog opened on
  QStringList filters;             // of the last export dialog
  QString printto;                 // the PDF file the printer writes; null cancels
  int printdialogs = 0;
  QStringList errors;

  std::optional<QString> savefilename(QWidget*, const QString&, const QString&,
                                      const QString&) override {
    return std::nullopt;
  }
  void showerror(QWidget*, const QString&, const QString& text) override { errors << text; }
  std::optional<FileChoice> exportfilename(QWidget*, const QString& initialname,
                                           const QStringList& list,
                                           const QString& chosen) override {
    offered << initialname;
    selected << chosen;
    filters = list;
    if (answers.empty() || answers.front().path.isNull()) return std::nullopt;
    FileChoice a = answers.front();
    answers.pop_front();
    return a;
  }
  bool printsetup(QWidget*, QPrinter& printer) override {
    ++printdialogs;
    if (printto.isNull()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printto);
    return true;
  }
};

QImage rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// The output of a poppler tool (pdftotext, pdfinfo) on `pdf`.
QString poppler(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<failed>");
  return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfpages(const QString& pdf) {
  const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Every text of an SVG file, in order.
QStringList svgtexts(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&file);
  QStringList texts;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("text"))
      texts << xml.readElementText();
  return xml.hasError() ? QStringList{QStringLiteral("<xml error>")} : texts;
}

QStringList drawntexts(const tufu::TableDrawing& d) {
  QStringList texts;
  for (const tufu::TableText& t : d.texts) texts << t.text;
  return texts;
}

// The cells' numbers and names as drawn (the title and graticule left out).
QStringList celltexts(const tufu::TableDrawing& d) {
  QStringList texts;
  for (const tufu::TableText& t : d.texts)
    if (t.ink != tufu::Ink::Black) texts << t.text;
  return texts;
}

}  // namespace

class TableExportTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void buttons();
  void exportformats_data();
  void exportformats();
  void exportoffersthelastchoice();
  void exportcancelled();
  void exportfailure_data();
  void exportfailure();
  void printing_data();
  void printing();
  void printcancelled();
  void printlayout_data();
  void printlayout();
  void platformexportdialog();

 private:
  std::unique_ptr<tufu::SheetTableWindow> window_;
  std::shared_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<QTemporaryDir> dir_;
};

void TableExportTest::init() {
  window_ = std::make_unique<tufu::SheetTableWindow>();
  dialogs_ = std::make_shared<ScriptedDialogs>();
  window_->setSaveDialogs(dialogs_);
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
}

void TableExportTest::cleanup() {
  window_.reset();
  dir_.reset();
}

// The two buttons sit beside "保存" on its line, each wide enough for its
// text; "保存" keeps its place and size.
void TableExportTest::buttons() {
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  auto* save = window_->findChild<QPushButton*>("Command1");
  auto* exporting = window_->findChild<QPushButton*>("Command2");
  auto* printing = window_->findChild<QPushButton*>("Command3");
  QVERIFY(save && exporting && printing);
  QCOMPARE(exporting->text(), QString("导出…"));
  QCOMPARE(printing->text(), QString("打印…"));
  QCOMPARE(save->geometry(), QRect(0, 0, 41, 20));
  QRect before = save->geometry();
  for (QPushButton* b : {exporting, printing}) {
    QCOMPARE(b->y(), 0);
    QCOMPARE(b->height(), 20);
    QVERIFY(b->x() > before.right());
    QVERIFY(b->width() > b->fontMetrics().horizontalAdvance(b->text()));
    QVERIFY(b->geometry().right() < window_->width());
    before = b->geometry();
  }
}

void TableExportTest::exportformats_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("filter");  // selected in the dialog
  QTest::addColumn<QString>("written");
  QTest::newRow("pdf") << "表.pdf" << "GeoPackage (*.gpkg)" << "表.pdf";
  QTest::newRow("svg") << "表.SVG" << "GeoPackage (*.gpkg)" << "表.SVG";
  QTest::newRow("png") << "表.png" << "GeoPackage (*.gpkg)" << "表.png";
  QTest::newRow("gpkg from the filter") << "表" << "GeoPackage (*.gpkg)" << "表.gpkg";
  QTest::newRow("shapefile") << "表.shp" << "PDF (*.pdf)" << "表.shp";
  QTest::newRow("csv from the filter") << "grid" << "CSV (*.csv)" << "grid.csv";
  QTest::newRow("kml") << "grid.kml" << "CSV (*.csv)" << "grid.kml";
  QTest::newRow("unknown extension") << "grid.txt" << "PDF (*.pdf)" << "grid.txt.pdf";
}

// Each format holds the table or the block it was asked for.
void TableExportTest::exportformats() {
  QFETCH(QString, typed);
  QFETCH(QString, filter);
  QFETCH(QString, written);
  // Four 1:25万 sheets with names, among them one of more than seven
  // characters, which the drawing narrows.
  tufu::Gazetteer names;
  QFile list(dir_->filePath("names.tsv"));
  QVERIFY(list.open(QIODevice::WriteOnly));
  list.write("J50C001001\t一个很长很长的图幅名称\nJ50C001002\t乙\n");
  list.close();
  QCOMPARE(names.merge(list.fileName().toStdString()), std::string());
  window_->setNames(&names);
  const tufu::Block b = block("J50C002001", "J50C001002");
  window_->setBlock(b);
  const tufu::TableDrawing& d = window_->drawing();
  QVERIFY(d.texts.size() > 10);

  dialogs_->answers.push_back({dir_->filePath(typed), filter});
  QVERIFY(window_->exportfile());
  QVERIFY(dialogs_->errors.isEmpty());
  const QString path = dir_->filePath(written);
  QVERIFY2(QFile::exists(path), qPrintable(path));
  const QString suffix = QFileInfo(path).suffix().toLower();

  // The window shows what the drawing paints.
  QCOMPARE(rgb32(window_->picture()), rgb32(tufu::painttable(d)));
  if (suffix == "pdf") {
    const QString text = poppler("pdftotext", {path, "-"});
    QVERIFY2(text.contains("E114°0′0″-117°0′0″"), qPrintable(text));
    QVERIFY(text.contains("N38°0′0″-40°0′0″1:25万地形图分幅表"));
    for (const QString& cell : celltexts(d)) QVERIFY2(text.contains(cell), qPrintable(cell));
    QCOMPARE(pdfpages(path), 1);
    // The page is the picture, 96 pixels to the inch (0.75 points a pixel).
    const QString info = poppler("pdfinfo", {path});
    const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    const QSize px = tufu::picturesize(d);
    QVERIFY(qAbs(size.captured(1).toDouble() - px.width() * 0.75) <= 0.5);
    QVERIFY(qAbs(size.captured(2).toDouble() - px.height() * 0.75) <= 0.5);
  } else if (suffix == "svg") {
    QSvgRenderer svg(path);
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox().size(), tufu::picturesize(d));
    // Runs of one font each: the texts split where the font changes.
    QCOMPARE(svgtexts(path).join(QString()), drawntexts(d).join(QString()));
  } else if (suffix == "png") {
    const QImage png(path, "PNG");
    QCOMPARE(png.size(), window_->picture().size());
    QCOMPARE(rgb32(png), rgb32(window_->picture()));
  } else {
    const gistest::Layer layer = gistest::readlayer(QFile::encodeName(path).toStdString());
    QVERIFY(layer.opened);
    QCOMPARE(qint64(layer.features.size()), qint64(b.sheetcount()));
    QStringList got;
    for (const gistest::Feature& f : layer.features)
      got << QString::fromStdString(f.text.at(suffix == "kml" ? "description" : "name"));
    QVERIFY2(got.contains("一个很长很长的图幅名称"), qPrintable(got.join(',')));
  }
}

// The dialog offers the GIS formats, then PDF, SVG and PNG; the next export
// offers the name and format of the last, until the window is closed.
void TableExportTest::exportoffersthelastchoice() {
  window_->setBlock(block("J50", "J50"));
  window_->show();
  dialogs_->answers = {{dir_->filePath("a"), "SVG (*.svg)"}, {QString(), QString()}};
  QVERIFY(window_->exportfile());
  QVERIFY(!window_->exportfile());
  QCOMPARE(dialogs_->filters,
           (QStringList{"GeoPackage (*.gpkg)", "ESRI Shapefile (*.shp)", "GeoJSON (*.geojson)",
                        "KML (*.kml)", "DXF (*.dxf)", "FlatGeobuf (*.fgb)", "CSV (*.csv)",
                        "PDF (*.pdf)", "SVG (*.svg)", "PNG (*.png)"}));
  QCOMPARE(dialogs_->offered, (QStringList{"未命名.gpkg", dir_->filePath("a.svg")}));
  QCOMPARE(dialogs_->selected, (QStringList{"GeoPackage (*.gpkg)", "SVG (*.svg)"}));
  window_->close();
  window_->show();
  QVERIFY(!window_->exportfile());
  QCOMPARE(dialogs_->offered.last(), QString("未命名.gpkg"));
  QCOMPARE(dialogs_->selected.last(), QString("GeoPackage (*.gpkg)"));
}

void TableExportTest::exportcancelled() {
  window_->setBlock(block("J50", "J50"));
  dialogs_->answers = {{QString(), QString()}};
  QVERIFY(!window_->exportfile());
  QVERIFY(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
  QVERIFY(dialogs_->errors.isEmpty());
}

void TableExportTest::exportfailure_data() {
  QTest::addColumn<QString>("file");  // relative to the folder, or absolute
  for (const char* ext : {"gpkg", "shp", "pdf", "svg", "png"}) {
    QTest::addRow("missing folder, %s", ext) << QString("missing/表.%1").arg(ext);
    QTest::addRow("folder that is a file, %s", ext) << QString("plainfile/表.%1").arg(ext);
  }
  QTest::newRow("read-only file system") << "/proc/表.gpkg";
}

// A failed export names the file in a message and leaves nothing behind.
void TableExportTest::exportfailure() {
  QFETCH(QString, file);
  QFile plain(dir_->filePath("plainfile"));
  QVERIFY(plain.open(QIODevice::WriteOnly));
  plain.close();
  window_->setBlock(block("J50", "K51"));
  const QString path = QDir(dir_->path()).filePath(file);
  dialogs_->answers = {{path, "GeoPackage (*.gpkg)"}};
  QVERIFY(!window_->exportfile());
  QCOMPARE(dialogs_->errors.size(), 1);
  QVERIFY2(dialogs_->errors[0].contains(QDir::toNativeSeparators(path)), qPrintable(dialogs_->errors[0]));
  QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
           QStringList{"plainfile"});
}

void TableExportTest::printing_data() {
  QTest::addColumn<QString>("sw");
  QTest::addColumn<QString>("ne");
  QTest::addColumn<bool>("onepage");
  QTest::newRow("one sheet, one page") << "J50" << "J50" << true;
  QTest::newRow("60 × 48 sheets, across pages") << "I50E012001" << "K51E001024" << false;
}

// The printed table: on one page when it fits, else over as many pages as
// printlayout gives, with the title and the cells' text on paper.
void TableExportTest::printing() {
  QFETCH(QString, sw);
  QFETCH(QString, ne);
  QFETCH(bool, onepage);
  window_->setBlock(block(sw.toLatin1().constData(), ne.toLatin1().constData()));
  dialogs_->printto = dir_->filePath("printed.pdf");
  QVERIFY(window_->print());
  QCOMPARE(dialogs_->printdialogs, 1);
  QVERIFY(dialogs_->errors.isEmpty());

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size() /
                      printer.resolution();
  const tufu::PrintLayout l = tufu::printlayout(QSizeF(tufu::picturesize(window_->drawing())), page);
  QCOMPARE(l.across * l.down == 1, onepage);
  QCOMPARE(pdfpages(dialogs_->printto), l.across * l.down);
  const QString text = poppler("pdftotext", {dialogs_->printto, "-"});
  QVERIFY2(text.contains("地形图分幅表"), qPrintable(text.left(200)));
  QVERIFY(text.contains(celltexts(window_->drawing()).last()));
}

void TableExportTest::printcancelled() {
  window_->setBlock(block("J50", "J50"));
  QVERIFY(!window_->print());
  QCOMPARE(dialogs_->printdialogs, 1);
  QVERIFY(dialogs_->errors.isEmpty());
}

void TableExportTest::printlayout_data() {
  QTest::addColumn<QSizeF>("picture");  // pixels, 96 to the inch
  QTest::addColumn<QSizeF>("page");     // inches
  QTest::addColumn<double>("scale");
  QTest::addColumn<int>("across");
  QTest::addColumn<int>("down");
  QTest::newRow("small: as it is") << QSizeF(480, 240) << QSizeF(8, 10) << 1.0 << 1 << 1;
  QTest::newRow("exactly the page") << QSizeF(768, 960) << QSizeF(8, 10) << 1.0 << 1 << 1;
  QTest::newRow("shrunk to fit") << QSizeF(960, 480) << QSizeF(8, 10) << 0.8 << 1 << 1;
  QTest::newRow("shrunk as far as text stays legible") << QSizeF(1280, 480) << QSizeF(8, 10)
                                                        << 0.6 << 1 << 1;
  QTest::newRow("across pages") << QSizeF(1920, 960) << QSizeF(8, 10) << 0.6 << 2 << 1;
  QTest::newRow("across and down") << QSizeF(4933, 4100) << QSizeF(7.5, 10) << 0.6 << 5 << 3;
}

void TableExportTest::printlayout() {
  QFETCH(QSizeF, picture);
  QFETCH(QSizeF, page);
  QFETCH(double, scale);
  QFETCH(int, across);
  QFETCH(int, down);
  const tufu::PrintLayout l = tufu::printlayout(picture, page);
  QCOMPARE(l.scale, scale);
  QCOMPARE(l.across, across);
  QCOMPARE(l.down, down);
}

// The platform's export dialog: its filters, the extension that follows
// the chosen filter, and the file written.
void TableExportTest::platformexportdialog() {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  tufu::SheetTableWindow w;
  w.setBlock(block("J50", "J50"));
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QString objectname, suffix, chosensuffix;
  QStringList filters;
  const QString typed = dir_->filePath("表");
  std::function<void(int)> answer = [&](int tries) {
    QTimer::singleShot(10, [&, tries] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        if (tries > 0) answer(tries - 1);
        return;
      }
      objectname = dialog->objectName();
      filters = dialog->nameFilters();
      suffix = dialog->defaultSuffix();
      // Choosing PDF in the file type list.
      auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (types == nullptr || name == nullptr) {
        dialog->reject();
        return;
      }
      // As a choice in the list does: the index, then the text activated.
      types->setCurrentIndex(int(filters.indexOf("PDF (*.pdf)")));
      QMetaObject::invokeMethod(types, "activated", Q_ARG(int, types->currentIndex()));
      QMetaObject::invokeMethod(types, "textActivated", Q_ARG(QString, types->currentText()));
      chosensuffix = dialog->defaultSuffix();
      name->setText(typed);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  };
  answer(1500);
  QVERIFY(w.exportfile());
  QCOMPARE(objectname, QString("CommonDialog2"));
  QCOMPARE(filters, tufu::SheetTableWindow::exportfilters());
  QCOMPARE(suffix, QString("gpkg"));
  QCOMPARE(chosensuffix, QString("pdf"));
  QVERIFY(QFile::exists(typed + ".pdf"));
}

QTEST_MAIN(TableExportTest)
#include "tst_tableexport.moc"
