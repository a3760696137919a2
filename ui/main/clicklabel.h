// A caption that reports a click of the left mouse button.  A result caption
// can also have its text selected and copied: a context menu "复制", and
// Ctrl+C once a click has given it the focus, copy the selected part or,
// when nothing is selected, the whole text.  A click that selects nothing
// is still a click.
#pragma once

#include <QLabel>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;

namespace tufu {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  /// Lets the text be selected with the mouse and copied.
  void makecopyable();

  /// What "复制" and Ctrl+C copy: the selection, or else the whole text.
  QString copytext() const;
  /// Puts copytext() on the clipboard.
  void copy() const;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tufu
