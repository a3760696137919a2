#include "ui/main/controls.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "ui/main/clicklabel.h"
#include "ui/main/qtext.h"
#include "ui/table/twips.h"

namespace tufu {

QRect pixels(const layout::Place& p) {
  return {twips(p.left), twips(p.top), twips(p.width), twips(p.height)};
}

QRect fitted(const QWidget* w, QRect place) {
  const int need = w->sizeHint().height() - place.height();
  if (need > 0) place.adjust(0, -need / 2, 0, need - need / 2);
  return place;
}

QString qname(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

ClickLabel* makelabel(QWidget* parent, const layout::Label& entry) {
  using namespace layout;
  auto* l = new ClickLabel(parent);
  l->setObjectName(qname(entry.name));
  l->setTextFormat(Qt::PlainText);
  l->setText(qs(entry.caption));
  l->setGeometry(pixels(entry.place));
  const unsigned style = entry.style;
  Qt::Alignment align = Qt::AlignLeft;
  if (style & kRight) align = Qt::AlignRight;
  if (style & kCentre) align = Qt::AlignHCenter;
  if (style & kWrap) {
    l->setWordWrap(true);
    if (style & kMiddle)
      align |= Qt::AlignVCenter;
    else
      align |= (style & kBottom) ? Qt::AlignBottom : Qt::AlignTop;
  } else {
    align |= Qt::AlignVCenter;
  }
  l->setAlignment(align);
  if (style & kBoxed) {
    l->setFrameShape(QFrame::Box);
    l->setIndent(2);
  }
  if (style & kOpaque) l->setAutoFillBackground(true);
  if (style & kHatched) {
    // Hatched like the sheet's own square in a printed margin diagram.
    QPalette palette = l->palette();
    palette.setBrush(QPalette::Window, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
    l->setPalette(palette);
    l->setAutoFillBackground(true);
  }
  if (style & kCopy) l->makecopyable();
  return l;
}

QPushButton* makebutton(QWidget* parent, const layout::Button& b) {
  auto* button = new QPushButton(qs(b.caption), parent);
  button->setObjectName(qname(b.name));
  button->setGeometry(pixels(b.place));
  button->setAutoDefault(false);
  return button;
}

QPushButton* makescalebutton(QWidget* parent, const layout::ScaleButton& b, int left, int top,
                             int index) {
  auto* button = new QPushButton(qs(b.caption), parent);
  button->setObjectName(QStringLiteral("Command%1").arg(b.number));
  button->setGeometry(pixels({left, top + index * layout::kButtonStep, layout::kButtonWidth,
                              layout::kButtonHeight}));
  button->setAutoDefault(false);
  return button;
}

QLineEdit* makefield(QWidget* parent, const layout::Control& c) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(qname(c.name));
  edit->setGeometry(fitted(edit, pixels(c.place)));
  return edit;
}

QComboBox* makelist(QWidget* parent, const layout::Control& c) {
  auto* list = new QComboBox(parent);
  list->setObjectName(qname(c.name));
  list->setGeometry(fitted(list, pixels(c.place)));
  return list;
}

void placeframe(QFrame* frame, const layout::Control& c, bool boxed) {
  frame->setObjectName(qname(c.name));
  frame->setGeometry(pixels(c.place));
  frame->setFrameShape(boxed ? QFrame::Box : QFrame::NoFrame);
  frame->setFrameShadow(QFrame::Sunken);
}

}  // namespace tufu
