// The sheet table window, "分幅表": the table of one block, scrolled over
// with two scroll bars, the "保存" button that writes it as a bitmap, "导出…"
// that writes the block as a GIS or CAD layer or the table as PDF, SVG or
// PNG, and "打印…".
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "core/block.h"
#include "core/describe.h"
#include "ui/table/savedialogs.h"
#include "ui/table/sheettable.h"

class QPushButton;
class QScrollBar;

namespace tufu {

class TablePicture;

class SheetTableWindow : public QWidget {
  Q_OBJECT

 public:
  /// One scroll step moves the table by this many twips.
  static constexpr int kScrollUnit = 200;
  /// The first name the save dialog offers.
  static inline const QString kInitialFileName = QStringLiteral("未命名.bmp");

  explicit SheetTableWindow(QWidget* parent = nullptr);
  ~SheetTableWindow() override;

  /// Shows `block` on a fresh picture: its own size, scroll ranges (back at
  /// the north-west corner) and title.  The table is drawn here, once.
  void setBlock(const Block& block);
  const Block& block() const { return block_; }

  /// Where the table's place names come from, from the next block on; the
  /// built-in names when null.  The window does not own them.
  void setNames(const Names* names);

  /// The whole table as drawn, the image that "保存" writes.
  const QImage& picture() const { return image_; }

  /// What the picture is drawn from, and PDF, SVG and print with it.
  const TableDrawing& drawing() const { return drawing_; }

  /// Position in the picture, in pixels, of the view's top-left corner.
  QPoint scrolloffset() const;

  /// The window's size that shows the whole table of the block on display.
  QSize wholetablesize() const;

  /// Sizes the window to show the whole table, as far as the screen's
  /// available room allows, and puts it beside `other` (the main window):
  /// on the side with more room, over it only where the screen has none.
  void placebeside(const QWidget* other);

  /// Replaces the file and print dialogs and the message box ("保存",
  /// "导出…" and "打印…" use them).
  void setSaveDialogs(std::shared_ptr<SaveDialogs> dialogs);

  /// The "保存" button: asks for a file name (the last one given while the
  /// window stays open, at first "未命名.bmp") and writes the whole table to
  /// it as a bitmap.  A cancelled dialog writes nothing; a failed write is
  /// reported in a message that names the file.  True when a file was written.
  bool save();

  /// The first name and filter the export dialog offers.
  static inline const QString kInitialExportName = QStringLiteral("未命名.gpkg");
  /// The export dialog's filters: the GIS formats, then PDF, SVG and PNG.
  static QStringList exportfilters();

  /// The "导出…" button: asks for a file name and format (the last ones
  /// given while the window stays open, at first "未命名.gpkg" as
  /// GeoPackage); the name's extension picks the format, a name without a
  /// known one gets the chosen filter's.  The block goes to a GIS format as
  /// one polygon per sheet with its numbers and name (CGCS2000 longitude
  /// and latitude); the table to PDF or SVG as vector drawing with text, or
  /// to PNG as the picture.  A file of that name is replaced (the dialog
  /// asked).  A failure is reported in a message that names the file.  True
  /// when a file was written.
  bool exportfile();

  /// The "打印…" button: the print dialog, then the table on the printer,
  /// shrunk to fit a page or over several pages (see printlayout).  True
  /// when it was printed.
  bool print();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void placecontrols();
  void setscrollranges();
  void scrolled();

  QString writeexport(const QString& path, const QString& suffix) const;

  Block block_;
  const Names* names_ = nullptr;
  const Names* drawnnames_ = nullptr;  // the names drawing_ was made with
  TableDrawing drawing_;   // the table of block_
  QImage image_;           // drawing_ painted
  int picturewidth_ = 0;   // twips
  int pictureheight_ = 0;  // twips

  QPushButton* command1_;  // 保存
  QPushButton* command2_;  // 导出…
  QPushButton* command3_;  // 打印…
  TablePicture* picture1_;  // shows image_
  QScrollBar* hscroll1_;
  QScrollBar* vscroll1_;
  std::shared_ptr<SaveDialogs> dialogs_;
  QString filename_;
  QString exportname_;
  QString exportfilter_;
};

}  // namespace tufu
