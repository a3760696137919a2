// The questions the sheet table window asks when it saves: which file, and
// the report of a failed write.  The window talks to them through this
// interface so that tests can answer in place of a person.
#pragma once

#include <QString>
#include <optional>

class QImage;
class QWidget;

namespace tufu {

class SaveDialogs {
 public:
  virtual ~SaveDialogs() = default;

  /// The file-save dialog, opened on `initialname`; it appends
  /// `defaultsuffix` to a name typed without one and lists the files of
  /// `filter` ("未命名(*.bmp)").  Nothing when the user cancels.
  virtual std::optional<QString> savefilename(QWidget* parent, const QString& initialname,
                                              const QString& defaultsuffix,
                                              const QString& filter) = 0;

  /// A modal error message.
  virtual void showerror(QWidget* parent, const QString& title, const QString& text) = 0;
};

/// The platform's file dialog and message box.
class QtSaveDialogs final : public SaveDialogs {
 public:
  std::optional<QString> savefilename(QWidget* parent, const QString& initialname,
                                      const QString& defaultsuffix,
                                      const QString& filter) override;
  void showerror(QWidget* parent, const QString& title, const QString& text) override;
};

/// Writes `image` to `path` as a Windows bitmap, whatever the name's
/// extension, replacing a file of that name only once the whole bitmap is
/// written.  Returns "" on success, else the reason the write failed.
QString writebmp(const QImage& image, const QString& path);

/// `path` with ".bmp" appended when its file name has no extension.
QString withbmpsuffix(const QString& path);

}  // namespace tufu
