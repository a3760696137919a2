// The block query (Frame6, in the point query's place): the corner sheets of
// a rectangle of longitude and latitude at the scale of a button, and how
// many rows and columns of sheets it spans.  Every change of a bound checks
// the block; "输出" asks for the sheet table of the block listed last.
#pragma once

#include <QFrame>
#include <string>
#include <vector>

#include "core/block.h"
#include "core/regions.h"
#include "core/scale.h"

class QLineEdit;
class QPushButton;

namespace tufu {

class ClickLabel;
class CornerView;
class Names;

class BlockPanel : public QFrame {
  Q_OBJECT

 public:
  BlockPanel(QWidget* parent, const Names* names);
  ~BlockPanel() override;

  /// The scale buttons of edition `e`, and the room they take.  A listing
  /// at a scale the edition lacks is emptied.
  void setedition(Edition e);

  /// Puts the four bounds into their fields, west, east, south, north in
  /// this order; each change checks the block.
  void setbounds(const QString& west, const QString& east, const QString& south,
                 const QString& north);
  void setbounds(const Region& r);

  /// Whether `number` is one of this panel's scale buttons.
  static bool hasbutton(int number);
  /// The scale that button `number` lists, when the edition has it.
  const Scale* buttonscale(int number) const;
  /// The button of the edition's largest scale.
  int largestbutton() const;
  /// Presses scale button `number`, as a click does.
  void press(int number);

  /// The new view ("新图幅编号").
  void shownew();
  void focusinput();
  /// The controls the Tab key visits, in its order: "输出", the scale
  /// buttons, the two views, then the four bounds.
  std::vector<QWidget*> focuschain() const;
  /// Why the four bounds are refused, or "".
  std::string refusal() const;

 signals:
  /// The block check ran: whether the four bounds form a block.
  void checked(bool valid);
  /// A scale button listed this block.
  void listed(const Block& block);
  /// Scale button `number` ran its query.
  void pressed(int number);
  void outputrequested();

 private:
  void field_Change();  // Text3_Change .. Text6_Change
  void clearresults();

  const Names* names_;
  Edition edition_ = Edition::k1992;
  /// The scale of the block shown; nullptr while none is.
  const Scale* shown_ = nullptr;

  ClickLabel *loncaption_, *lonto_, *latcaption_, *latto_, *hint_, *heading_;
  QLineEdit *west_, *east_, *south_, *north_;
  QFrame* results_;  // Frame7
  QPushButton* output_;
  std::vector<QPushButton*> scalebuttons_;  // in the order of layout::block::kScales
  QPushButton *newview_, *oldview_;
  CornerView* corners_;
};

}  // namespace tufu
