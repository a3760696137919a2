// The adjoining-sheet diagram (接图表, Frame9, in the sheet-number query): the
// queried sheet in the middle of a 3 × 3 grid with its eight neighbours at
// its own scale, each cell showing the sheet's place name, or its number
// where it has none, as in the margin of a printed sheet.  A click on a
// neighbour offers its number as the next query.
#pragma once

#include <QFrame>
#include <QString>
#include <array>

namespace tufu {

class ClickLabel;
class Names;
struct Sheet;

class NeighbourPanel : public QFrame {
  Q_OBJECT

 public:
  NeighbourPanel(QWidget* parent, const Names* names);
  ~NeighbourPanel() override;

  /// The neighbours of `sheet`, or empty cells without one.  A neighbour
  /// is offered in the numbering the sheet was typed in (`typedold`) where
  /// it has a number there.
  void showsheet(const Sheet* sheet, bool typedold);

 signals:
  void numberchosen(const QString& number);

 private:
  void cell_Click(std::size_t i);  // Label122..Label130

  const Names* names_;
  /// Row by row from the north-west.
  std::array<ClickLabel*, 9> cells_{};
  /// The numbers the cells offer ("" for none).
  std::array<QString, 9> numbers_{};
};

}  // namespace tufu
