// The hierarchy panel (Frame4, in the sheet-number query): the block of
// larger-scale sheets that the queried sheet contains, at the scale of a
// button, with its corners, names and old numbers.  "输出" asks for the
// sheet table of the block listed last.
#pragma once

#include <QFrame>
#include <optional>
#include <vector>

#include "core/block.h"
#include "core/scale.h"
#include "core/sheet.h"

class QPushButton;

namespace tufu {

class CornerView;
class Names;

class HierarchyPanel : public QFrame {
  Q_OBJECT

 public:
  HierarchyPanel(QWidget* parent, const Names* names);
  ~HierarchyPanel() override;

  /// The scale buttons of edition `e`, and the room they take.
  void setedition(Edition e);

  /// The sheet whose blocks the buttons list, or none; empties the results.
  void setsheet(const Sheet* sheet);
  /// Runs the first scale button whose scale the sheet contains and enables
  /// exactly those buttons.  Without a sheet nothing changes.
  void follow();

  static bool hasbutton(int number);
  /// The scale that button `number` lists, when the edition has it.
  const Scale* buttonscale(int number) const;
  int largestbutton() const;
  bool isenabled(int number) const;
  /// Presses scale button `number`, as a click does, enabled or not.
  void press(int number);

  /// The new view ("新图幅编号"): none of the numbers after a listing at a
  /// scale without new numbers.
  void shownew();

  /// The controls the Tab key visits, in its order: "输出", the scale
  /// buttons, the two views.
  std::vector<QWidget*> focuschain() const;

 signals:
  void listed(const Block& block);
  void pressed(int number);
  void outputrequested();

 private:
  QPushButton* button(int number) const;

  const Names* names_;
  Edition edition_ = Edition::k1992;
  std::optional<Sheet> sheet_;
  /// Whether the scale pressed last shows new numbers.
  bool lastshownew_ = true;

  QPushButton* output_;
  std::vector<QPushButton*> scalebuttons_;  // in the order of layout::hierarchy::kScales
  QPushButton *newview_, *oldview_;
  CornerView* corners_;
};

}  // namespace tufu
