// The main window, "Form1": three modes chosen by the buttons along its top.
//
//   1 "经纬度求图幅编号"  the point query and the block query (Frame1, Frame6)
//   2 "新旧图幅编号转换"  the sheet-number query, the hierarchy and the
//                         adjoining-sheet diagram (Frame2, Frame4, Frame9)
//   3 "关于"              the about panel (Frame3)
//
// A strip along the bottom (Frame8) chooses the edition of the numbering
// (Combo5): GB/T 13989-1992 with nine scales, or GB/T 13989-2012 with
// twelve.  The choice is remembered between runs; changing it runs the
// queries in view again.
//
// Every control carries its established name as objectName (Text1, Combo2,
// Label45, Command17, Frame4, ...).  Each change of a field, choice in a list
// and press of a button runs one handler to completion; a handler that sets
// a field's text, selects a list item or presses a button runs that
// control's handler at once, nested in its own.  The handlers leave all
// numbering to core/ and show what it returns.
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "angles/angle.h"
#include "core/block.h"
#include "core/describe.h"
#include "core/oldnumber.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"
#include "ui/main/formstate.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tufu {

class ClickLabel;
class SheetTableWindow;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  /// The shared values of the handlers.
  const FormState& state() const { return state_; }

  /// The sheet table window while it exists, else nullptr.
  SheetTableWindow* sheettable() const;

  /// Shows a modal critical-error message with an OK button.  The default
  /// is the platform's message box; tests answer it themselves.
  using CriticalBox = std::function<void(const QString& title, const QString& text)>;
  void setcriticalbox(CriticalBox box);

  /// Merges the KEY<TAB>NAME file at `path` over the place names that every
  /// panel and the sheet table show, and runs the queries in view again.
  /// Returns "" on success, else "FILE:LINE: reason", and then changes
  /// nothing.
  std::string mergenames(const std::string& path);

  /// Where an organisation's name lists are kept for the window: the
  /// folder "tufu/names" in the user's configuration folder
  /// (~/.config/tufu/names on Linux).
  static QString namefolder();

  /// Merges every "*.tsv" file of `folder`, in the order of their names
  /// (later files win), as `mergenames` does.  A file with an error is
  /// left out; all such files are reported together in one message, each
  /// with its line and reason.  Returns those reports.
  QStringList mergenamefolder(const QString& folder);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the controls.
  void buildcontrols();
  QWidget* frameof(int frame) const;
  ClickLabel* makelabel(int number, std::string_view caption, int frame, unsigned style);
  void connecthandlers();

  // Main window and modes.
  void Form_Load();
  /// Shows in the status line why the input of the panel in view is
  /// refused, or clears it.
  void updatestatus();
  std::string refusal() const;
  void switchmode(int mode);
  void focusmodeinput();
  void pressscale(int number);
  void output();  // "输出" of either panel (Command14, Command16)

  // Edition.
  void Combo5_Click(int index);
  void setedition(Edition e);
  void placeedition();
  void fillscalelist();
  void fillentrylist();
  void rerunqueries();
  void shownames();
  int buttonfor(int number) const;

  // Point query.
  void pointfield_Change();  // Text1 and Text2
  void Combo1_Click(int index);
  void recompute(Angle lon, Angle lat);
  void clearpointresults();
  void numberlabel_Click(int number);  // Label9, Label10
  void placepointcontrols(bool inview);

  // Sheet-number query.
  void Combo2_Change();
  void Command4_Click();
  void cell_Click(int number);
  void showsheet(const Sheet& sheet, bool typedold, bool withname);
  void fillcontaining(const Sheet& sheet);
  void blankcells();
  void refreshhierarchy();

  // Adjoining-sheet diagram.
  void showneighbours();
  void diagram_Click(int number);

  // Hierarchy panel.
  void Combo3_Click(int index);
  void hierarchyscale_Click(int number);
  void Command5_Click();
  void Command6_Click();
  void clearhierarchy();

  // Block query.
  void Combo4_Click(int index);
  void blockfield_Change();  // Text3..Text6
  void blockscale_Click(int number);
  void Command26_Click();
  void Command27_Click();
  void clearblockresults();
  struct Bounds4 {
    Angle west, east, south, north;
  };
  std::optional<Bounds4> blockbounds() const;

  // The description of a sheet, with its results recorded in the shared
  // state as the numbering operations record theirs.
  SheetInfo describesheet(const Sheet& s);
  SheetInfo brieflabel(const Sheet& s);
  void recordnew(const Sheet& s);
  void recordold(const SheetInfo& info);
  void recordoldnew(const Sheet& s);
  void recordextent(const Sheet& s);
  void recordsizes(const SheetInfo& info);
  void recordblock(const Block& b);
  /// The scale a scale button lists, when the edition in use has it.
  const Scale* buttonscale(int number) const;

  // Controls by number.
  QLabel* label(int number) const;
  void settext(int number, std::string_view text);
  void settext(int number, const QString& text);
  std::string caption(int number) const;
  std::string fieldtext(int number) const;  // Text1..Text6
  std::string entrytext() const;            // Combo2

  FormState state_;
  Gazetteer names_;
  CriticalBox criticalbox_;
  QPointer<SheetTableWindow> sheettable_;

  std::array<QFrame*, 11> frames_{};         // Frame1..Frame9, table box at 10
  std::array<ClickLabel*, 134> labels_{};    // Label1..Label133
  std::array<QPushButton*, 34> commands_{};  // Command1..Command33
  std::array<QLineEdit*, 7> texts_{};        // Text1..Text6
  QComboBox* scalelist_ = nullptr;           // Combo1
  QComboBox* entry_ = nullptr;               // Combo2
  QComboBox* viewchooser_ = nullptr;         // Combo3
  QComboBox* querymode_ = nullptr;           // Combo4
  QComboBox* editions_ = nullptr;            // Combo5
  QLabel* image1_ = nullptr;

  /// The numbers to put into the entry for the cells of the adjoining-sheet
  /// diagram ("" for an empty cell), row by row from the north-west.
  std::array<QString, 9> neighbourno_{};
  /// The scale of the block the block query shows; nullptr while it shows
  /// none.
  const Scale* blockshown_ = nullptr;

  struct Moved {
    QWidget* widget;
    QRect place;  // in the 1992 edition
    int down, grow;
  };
  std::vector<Moved> largemoves_;  // what the 2012 edition moves and grows

  struct Placed {
    QWidget* widget;
    QRect place;
  };
  std::vector<Placed> pointcontrols_;  // the point query in single-point mode
};

}  // namespace tufu
