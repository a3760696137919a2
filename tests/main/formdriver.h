// Drives a real main window by its controls' names, as a user would: typing
// into fields, choosing list items, clicking buttons and captions.
//
// The window remembers the edition of the numbering between runs.  Each test
// program keeps those settings in a directory of its own that is removed at
// its end, and every window starts from no settings unless a test asks to
// keep what an earlier window stored: the user's own settings are never read
// or written.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "ui/main/form1.h"

namespace tufu::testing {

/// The settings of this test program, in a temporary directory; set before
/// the first settings are read (the location is fixed from then on).
inline QSettings& testsettings() {
  static QTemporaryDir dir;
  static const bool placed = [] {
    if (!dir.isValid()) qFatal("no temporary directory for the settings");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    return true;
  }();
  static QSettings settings(QStringLiteral("tufu"), QStringLiteral("tufu"));
  if (!placed || !settings.fileName().startsWith(dir.path()))
    qFatal("settings outside the test directory: %s", qPrintable(settings.fileName()));
  return settings;
}

/// Whether a new window starts from no settings or from those that an
/// earlier window stored.
enum class Settings { Fresh, Kept };

class FormDriver {
 public:
  explicit FormDriver(Settings settings = Settings::Fresh) : form_(makeform(settings)) {
    form_->setcriticalbox([this](const QString& title, const QString& text) {
      messages_.push_back(title + QStringLiteral("|") + text);
    });
  }

  Form1& form() { return *form_; }

  /// Chooses an edition in the strip: "GB/T 13989-1992" or "GB/T 13989-2012".
  void edition(int year) { choose(5, QStringLiteral("GB/T 13989-%1").arg(year)); }

  template <typename W>
  W* get(const QString& name) const {
    W* w = form_->findChild<W*>(name);
    if (w == nullptr) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QLabel* labelw(int n) const { return get<QLabel>(QStringLiteral("Label%1").arg(n)); }
  QString label(int n) const { return labelw(n)->text(); }
  QPushButton* command(int n) const { return get<QPushButton>(QStringLiteral("Command%1").arg(n)); }
  QLineEdit* text(int n) const { return get<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
  QComboBox* combo(int n) const { return get<QComboBox>(QStringLiteral("Combo%1").arg(n)); }
  QWidget* frame(int n) const { return get<QWidget>(QStringLiteral("Frame%1").arg(n)); }

  /// Whether a control is shown within its panel (the panel may be out of view).
  bool shown(QWidget* w) const { return !w->isHidden(); }
  bool labelshown(int n) const { return shown(labelw(n)); }

  /// Replaces a field's text by typing: select all, then the keys.
  void type(int field, const QString& keys) {
    QLineEdit* edit = text(field);
    edit->selectAll();
    if (keys.isEmpty())
      QTest::keyClick(edit, Qt::Key_Delete);
    else
      QTest::keyClicks(edit, keys);
  }
  /// Types into the sheet-number entry after emptying it.
  void typeentry(const QString& keys) {
    QComboBox* entry = combo(2);
    entry->lineEdit()->selectAll();
    QTest::keyClick(entry, Qt::Key_Delete);
    if (!keys.isEmpty()) QTest::keyClicks(entry, keys);
  }
  /// Puts a whole text into the sheet-number entry at once, as pasting does.
  void pasteentry(const QString& text) { combo(2)->setEditText(text); }
  void click(int n) { QTest::mouseClick(command(n), Qt::LeftButton); }
  void clicklabel(int n) { QTest::mouseClick(labelw(n), Qt::LeftButton); }
  /// Chooses the item with this text from a list.
  void choose(int combono, const QString& item) {
    QComboBox* c = combo(combono);
    const int i = c->findText(item);
    if (i < 0) qFatal("no item %s", qPrintable(item));
    c->setCurrentIndex(i);
    emit c->activated(i);
  }

  /// The labels of a list of numbers, for comparing whole rows at once.
  QStringList labels(std::initializer_list<int> numbers) const {
    QStringList out;
    for (int n : numbers) out << label(n);
    return out;
  }

  /// Messages shown so far, as "title|text"; taken out.
  QStringList takemessages() {
    QStringList out(messages_.begin(), messages_.end());
    messages_.clear();
    return out;
  }

 private:
  static std::unique_ptr<Form1> makeform(Settings settings) {
    QSettings& stored = testsettings();
    if (settings == Settings::Fresh) stored.clear();
    stored.sync();
    return std::make_unique<Form1>();
  }

  std::unique_ptr<Form1> form_;
  std::vector<QString> messages_;
};

}  // namespace tufu::testing
