// The strip along the bottom of the window (Frame8): the status line, which
// says why the input of the panel in view is refused, and the edition of
// the numbering (Combo5): GB/T 13989-1992 with nine scales, or
// GB/T 13989-2012 with twelve.
#pragma once

#include <QFrame>
#include <string_view>
#include <vector>

#include "core/scale.h"

class QComboBox;

namespace tufu {

class ClickLabel;

class EditionStrip : public QFrame {
  Q_OBJECT

 public:
  explicit EditionStrip(QWidget* parent);
  ~EditionStrip() override;

  /// Shows edition `e` as chosen, without reporting a choice.
  void showedition(Edition e);
  /// The reason an input is refused, or "" to clear the line.
  void setstatus(std::string_view text);
  /// The controls the Tab key visits: the edition list.
  std::vector<QWidget*> focuschain() const;

 signals:
  void editionchosen(tufu::Edition e);

 private:
  void Combo5_Click(int index);

  ClickLabel* status_;
  ClickLabel* caption_;
  QComboBox* editions_;
};

}  // namespace tufu
