// The sheet table window, "分幅表": the table of one block, scrolled over
// with two scroll bars, and the "保存" button that writes it as a bitmap.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/block.h"
#include "core/describe.h"
#include "ui/table/savedialogs.h"

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

  /// Position in the picture, in pixels, of the view's top-left corner.
  QPoint scrolloffset() const;

  /// Replaces the file dialog and message box ("保存" uses them).
  void setSaveDialogs(std::shared_ptr<SaveDialogs> dialogs);

  /// The "保存" button: asks for a file name (the last one given while the
  /// window stays open, at first "未命名.bmp") and writes the whole table to
  /// it as a bitmap.  A cancelled dialog writes nothing; a failed write is
  /// reported in a message that names the file.  True when a file was written.
  bool save();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void placecontrols();
  void setscrollranges();
  void scrolled();

  Block block_;
  const Names* names_ = nullptr;
  QImage image_;           // the whole table of block_
  int picturewidth_ = 0;   // twips
  int pictureheight_ = 0;  // twips

  QPushButton* command1_;
  TablePicture* picture1_;  // shows image_
  QScrollBar* hscroll1_;
  QScrollBar* vscroll1_;
  std::shared_ptr<SaveDialogs> dialogs_;
  QString filename_;
};

}  // namespace tufu
