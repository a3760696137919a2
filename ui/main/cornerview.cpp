#include "ui/main/cornerview.h"

#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/table/twips.h"

namespace tufu {

CornerView::CornerView(QWidget* parent, const layout::CornerLayout& l) : QFrame(parent) {
  placeframe(this, l.frame, l.boxed);
  place_ = geometry();
  const layout::CornerFields* corners[4] = {&l.topleft, &l.topright, &l.bottomleft,
                                            &l.bottomright};
  for (int c = 0; c < 4; ++c) {
    Fields& f = fields_[c];
    f.newno = makelabel(this, corners[c]->newno);
    f.oldno = makelabel(this, corners[c]->oldno);
    f.name = makelabel(this, corners[c]->name);
    for (ClickLabel* label : {f.newno, f.oldno, f.name}) label->makecopyable();
    if (c == kTopRight) {
      middle_ = makelabel(this, l.middle);
      middle_->makecopyable();
    }
  }
  for (int c : {kBottomLeft, kBottomRight}) {
    const Fields& f = fields_[c];
    QRect* places = bottomplaces_[c - kBottomLeft];
    places[0] = f.newno->geometry();
    places[1] = f.oldno->geometry();
    places[2] = f.name->geometry();
  }
  middleplace_ = middle_->geometry();
}

void CornerView::setcorner(Corner c, const QString& newno, const QString& oldno,
                           const QString& name) {
  fields_[c].newno->setText(newno);
  fields_[c].oldno->setText(oldno);
  fields_[c].name->setText(name);
}

void CornerView::setmiddle(const QString& text) { middle_->setText(text); }

void CornerView::clear() {
  for (const Fields& f : fields_) {
    f.newno->clear();
    f.oldno->clear();
    f.name->clear();
  }
  middle_->clear();
}

void CornerView::shownew() {
  for (const Fields& f : fields_) {
    f.newno->show();
    f.oldno->hide();
  }
}

void CornerView::showold() {
  for (const Fields& f : fields_) {
    f.newno->hide();
    f.oldno->show();
  }
}

void CornerView::setnewvisible(bool visible) {
  for (const Fields& f : fields_) f.newno->setVisible(visible);
}

void CornerView::setroom(int room) {
  setGeometry(place_.adjusted(0, 0, 0, twips(room)));
  for (int c : {kBottomLeft, kBottomRight}) {
    const Fields& f = fields_[c];
    const QRect* places = bottomplaces_[c - kBottomLeft];
    f.newno->setGeometry(places[0].translated(0, twips(room)));
    f.oldno->setGeometry(places[1].translated(0, twips(room)));
    f.name->setGeometry(places[2].translated(0, twips(room)));
  }
  middle_->setGeometry(middleplace_.translated(0, twips(room / 2)));
}

}  // namespace tufu
