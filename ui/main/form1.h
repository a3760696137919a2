// The main window, "Form1": three modes chosen by the buttons along its top.
//
//   1 "经纬度求图幅编号"  the point query (PointPanel, Frame1) and, in its
//                         place, the block query (BlockPanel, Frame6)
//   2 "新旧图幅编号转换"  the sheet-number query (SheetPanel, Frame2) with,
//                         below it, the containing table, the hierarchy
//                         (HierarchyPanel, Frame4) or the adjoining-sheet
//                         diagram (NeighbourPanel, Frame9)
//   3 "关于"              the about panel (AboutPanel, Frame3)
//
// A strip along the bottom (EditionStrip, Frame8) shows why an input is
// refused and chooses the edition of the numbering (Combo5): GB/T 13989-1992
// with nine scales, or GB/T 13989-2012 with twelve.  The choice is
// remembered between runs; changing it runs the queries in view again.
//
// form1.cpp builds every panel and wires them together; formlayout.h holds
// every caption and place.  Each panel owns its controls, which carry their
// established names as objectName (Text1, Combo2, Label45, Command17, ...).
// Each change of a field, choice in a list and press of a button runs one
// handler to completion; a handler that sets a field's text, selects a list
// item or presses a button runs that control's handler at once, nested in
// its own.  The panels leave all numbering to core/ and show what it
// returns.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "core/block.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"
#include "ui/main/formstate.h"

class QPushButton;

namespace tufu {

class AboutPanel;
class BlockPanel;
class EditionStrip;
class HierarchyPanel;
class NeighbourPanel;
class PointPanel;
class SheetPanel;
class SheetTableWindow;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  /// The values the window keeps for its panels.
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

 private:
  void Form_Load();
  void switchmode(Mode mode);
  void focusmodeinput();
  void settaborder();
  /// Shows in the status line why the input of the panel in view is
  /// refused, or clears it.
  void updatestatus();

  // What the panels report.
  void pointchanged();
  void querykindchosen(int index);
  void blockchecked(bool valid);
  void sheetqueried(const Sheet* sheet, bool typedold);
  void viewchosen(int index);
  void scalepressed(int number);
  void blocklisted(const Block& block);
  void output();  // "输出" of either panel (Command14, Command16)
  void editionchosen(Edition e);

  // Scale buttons of both panels, by number.
  void pressscale(int number);
  const Scale* buttonscale(int number) const;
  int buttonfor(int number) const;

  void setedition(Edition e);
  void placeedition();
  void rerunqueries();
  void shownames();

  FormState state_;
  Gazetteer names_;
  CriticalBox criticalbox_;
  QPointer<SheetTableWindow> sheettable_;

  QPushButton* modebuttons_[3]{};  // Command1..Command3
  PointPanel* point_ = nullptr;
  BlockPanel* block_ = nullptr;
  SheetPanel* sheet_ = nullptr;
  HierarchyPanel* hierarchy_ = nullptr;
  NeighbourPanel* neighbours_ = nullptr;
  AboutPanel* about_ = nullptr;
  EditionStrip* strip_ = nullptr;
};

}  // namespace tufu
