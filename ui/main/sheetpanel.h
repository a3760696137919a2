// The sheet-number query (Frame2): a typed number in either numbering, its
// counterpart, scale, extent, sizes, name and, in the containing table, the
// sheets that contain it.  Below its lines the view chooser (Combo3) shows
// the containing table, the hierarchy panel or the adjoining-sheet diagram,
// which the window puts in the place that `layout::sheet::kViewPlace` names.
#pragma once

#include <QFrame>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/scale.h"
#include "core/sheet.h"

class QComboBox;
class QPushButton;

namespace tufu {

class ClickLabel;
class Names;

class SheetPanel : public QFrame {
  Q_OBJECT

 public:
  SheetPanel(QWidget* parent, const Names* names);
  ~SheetPanel() override;

  /// Reads numbers as edition `e` does; its entry list and the rows of the
  /// containing table, and the room they take.  The typed text stays.
  void setedition(Edition e);

  /// Puts `text` into the entry, which runs the query when it changes.
  void setentry(const QString& text);
  /// Runs the query of the entry text again.
  void rerun();
  void focusinput();
  /// The controls the Tab key visits, in its order: the entry, the view
  /// chooser.
  std::vector<QWidget*> focuschain() const;
  /// Why the entry text is refused, or "".
  std::string refusal() const;

 signals:
  /// The entry was queried: the sheet it names, or nullptr; whether it was
  /// typed as an old number.
  void queried(const tufu::Sheet* sheet, bool typedold);
  /// An item of the view chooser was chosen (`tables::View`).
  void viewchosen(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Combo2_Change();
  void Combo3_Click(int index);
  void Command4_Click();
  void cell_Click();
  void showsheet(const Sheet& sheet, bool typedold, bool withname);
  void fillcontaining(const Sheet& sheet);
  void blankcells();
  void clearresults();
  std::string entrytext() const;

  const Names* names_;
  Edition edition_ = Edition::k1992;

  ClickLabel *entrycaption_, *kind_, *scalecaption_, *scale_, *counterpartcaption_, *counterpart_;
  ClickLabel *rangeheading_, *lonrangecaption_, *lonrange_, *latrangecaption_, *latrange_;
  ClickLabel *lonsizecaption_, *lonsize_, *latsizecaption_, *latsize_, *namecaption_, *name_;
  ClickLabel* viewcaption_;
  QComboBox *entry_, *view_;
  QPushButton* refresh_;  // Command4

  QFrame* table_;  // the containing table
  struct Row {
    int scale;
    ClickLabel *caption, *newno, *oldno;
  };
  std::vector<Row> rows_;
};

}  // namespace tufu
