#include "ui/main/clicklabel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tufu {

void ClickLabel::makecopyable() { copyable_ = true; }

void ClickLabel::selectable(bool on) {
  const Qt::TextInteractionFlags flags = on ? Qt::TextSelectableByMouse : Qt::NoTextInteraction;
  if (textInteractionFlags() != flags) setTextInteractionFlags(flags);
  // A click gives the focus, so that Ctrl+C reaches the caption; the Tab
  // key passes it by.  (A caption that can take the focus also lays its
  // text out anew on every change.)
  setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
}

void ClickLabel::enterEvent(QEnterEvent* event) {
  if (copyable_) selectable(true);
  QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event) {
  if (copyable_ && !hasFocus()) selectable(false);
  QLabel::leaveEvent(event);
}

void ClickLabel::focusOutEvent(QFocusEvent* event) {
  QLabel::focusOutEvent(event);
  if (copyable_ && !underMouse()) selectable(false);
}

QString ClickLabel::copytext() const {
  if (hasSelectedText()) return selectedText();
  return whole_.isEmpty() ? text() : whole_;
}

void ClickLabel::copy() const {
  const QString t = copytext();
  if (!t.isEmpty()) QApplication::clipboard()->setText(t);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint()) && !hasSelectedText();
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

void ClickLabel::contextMenuEvent(QContextMenuEvent* event) {
  if (!copyable_) {
    QLabel::contextMenuEvent(event);
    return;
  }
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("CopyMenu"));
  QAction* copyaction = menu.addAction(QStringLiteral("复制"), this, &ClickLabel::copy);
  copyaction->setShortcut(QKeySequence::Copy);
  copyaction->setEnabled(!text().isEmpty());
  menu.exec(event->globalPos());
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  if (copyable_ && event->matches(QKeySequence::Copy)) {
    copy();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace tufu
