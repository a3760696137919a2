// A caption that reports a click of the left mouse button.  A result caption
// can also have its text selected and copied: a context menu "复制", and
// Ctrl+C once a click has given it the focus, copy the selected part or,
// when nothing is selected, the whole text.  A click that selects nothing
// is still a click.  The text can be selected, and the caption take the
// focus, while the mouse is over it or it has the focus: such a caption lays
// its text out anew on every change, which the many captions of a query
// need not do.
#pragma once

#include <QLabel>

class QContextMenuEvent;
class QEnterEvent;
class QFocusEvent;
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
  /// The whole text, when the caption shows a shortened one.
  void setwholetext(const QString& text) { whole_ = text; }
  /// Puts copytext() on the clipboard.
  void copy() const;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void selectable(bool on);

  bool copyable_ = false;
  QString whole_;  ///< empty: the text shown is whole
};

}  // namespace tufu
