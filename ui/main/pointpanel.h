// The point query (Frame1): the sheet of a chosen scale that holds a typed
// longitude and latitude, with its old number, extent, sizes and place name.
// The query kind list (Combo4) stands above it; for any kind but "单点查询"
// the point query's controls leave the view and the block query takes their
// place.
#pragma once

#include <QFrame>
#include <QString>
#include <string>
#include <vector>

#include "angles/angle.h"
#include "core/scale.h"

class QComboBox;
class QLineEdit;

namespace tufu {

class ClickLabel;
class Names;

class PointPanel : public QFrame {
  Q_OBJECT

 public:
  PointPanel(QWidget* parent, const Names* names);
  ~PointPanel() override;

  /// The scales of edition `e` in the scale list.  The chosen scale stays
  /// chosen; a scale the edition lacks gives way to its largest.
  void setedition(Edition e);
  /// The chosen position of the scale list.
  int scaleindex() const { return scaleindex_; }

  /// Puts `text` into the longitude field, then the latitude field.
  void setfields(const QString& text);
  /// Computes again from what the fields hold.
  void rerun();
  /// Chooses an item of the query kind list.
  void choosekind(int index);
  /// Shows or hides the point query's own controls.
  void showcontrols(bool inview);
  void focusinput();
  /// The controls the Tab key visits, in its order: the longitude and
  /// latitude fields, the scale list, the query kind list.
  std::vector<QWidget*> focuschain() const;
  /// Why the typed point is refused, or "".
  std::string refusal() const;

 signals:
  /// An item of the query kind list was chosen: 0 "单点查询", 1 "区块查询",
  /// 2.. the regions.
  void kindchosen(int index);
  /// A number shown was clicked.
  void numberchosen(const QString& number);
  /// The input changed, or the edition's scale list moved the choice.
  void inputchanged();

 private:
  void field_Change();  // Text1_Change and Text2_Change
  void Combo4_Click(int index);
  void Combo1_Click(int index);
  void number_Click();  // Label9_Click and Label10_Click
  void recompute(Angle lon, Angle lat);
  void clearresults();

  const Names* names_;
  Edition edition_ = Edition::k1992;
  int scaleindex_ = 0;

  ClickLabel* kindcaption_;
  QComboBox* kind_;
  ClickLabel *loncaption_, *latcaption_, *format_, *area_, *scalecaption_;
  QLineEdit *lon_, *lat_;
  QComboBox* scale_;
  ClickLabel *numbersheading_, *newcaption_, *new_, *oldcaption_, *old_;
  ClickLabel *rangeheading_, *lonrangecaption_, *lonrange_, *latrangecaption_, *latrange_;
  ClickLabel *lonsizecaption_, *lonsize_, *latsizecaption_, *latsize_;
  ClickLabel *namecaption_, *name_;
  std::vector<QWidget*> controls_;  // what leaves the view for the block query
};

}  // namespace tufu
