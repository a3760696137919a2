#include "ui/main/clicklabel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tufu {

void ClickLabel::makecopyable() {
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A click gives the focus, so that Ctrl+C reaches the caption; the Tab
  // key passes it by.
  setFocusPolicy(Qt::ClickFocus);
}

QString ClickLabel::copytext() const { return hasSelectedText() ? selectedText() : text(); }

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
  if (textInteractionFlags() == Qt::NoTextInteraction) {
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
  if (textInteractionFlags() != Qt::NoTextInteraction && event->matches(QKeySequence::Copy)) {
    copy();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace tufu
