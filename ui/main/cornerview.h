// The four corner sheets of a block, as the hierarchy panel and the block
// query show them: at each corner a new-number field and an old-number field
// in one place, of which the view shows one set, and the place name on the
// side of the middle; a text in the middle (the rows and columns).
#pragma once

#include <QFrame>
#include <QString>

#include "ui/main/formlayout.h"

namespace tufu {

class ClickLabel;

class CornerView : public QFrame {
  Q_OBJECT

 public:
  enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

  CornerView(QWidget* parent, const layout::CornerLayout& l);

  void setcorner(Corner c, const QString& newno, const QString& oldno, const QString& name);
  void setmiddle(const QString& text);
  /// Empties every field.
  void clear();

  /// The new view: the new numbers shown, the old ones hidden.
  void shownew();
  /// The old view: the old numbers shown, the new ones hidden.
  void showold();
  /// Shows or hides the new numbers alone.
  void setnewvisible(bool visible);

  /// Makes room for `room` twips more at the bottom: the view grows, the
  /// bottom corners move down by `room`, the middle by half of it.
  void setroom(int room);

 private:
  struct Fields {
    ClickLabel *newno, *oldno, *name;
  };
  Fields fields_[4]{};
  ClickLabel* middle_ = nullptr;
  QRect place_;
  QRect bottomplaces_[2][3];
  QRect middleplace_;
};

}  // namespace tufu
