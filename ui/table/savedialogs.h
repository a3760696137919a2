// The questions the sheet table window asks when it saves, exports or
// prints: which file, which printer, and the report of a failure.  The
// window talks to them through this interface so that tests can answer in
// place of a person.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QImage;
class QPrinter;
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

  /// A chosen file and the filter that was selected with it.
  struct FileChoice {
    QString path;
    QString filter;
  };

  /// The file-save dialog of "导出…", opened on `initialname` with a
  /// choice of `filters` ("PDF (*.pdf)"), `selected` chosen.  A name typed
  /// without an extension gets the selected filter's.  Nothing when the
  /// user cancels.  Unless replaced, `savefilename` with all the filters
  /// and the extension of `selected`.
  virtual std::optional<FileChoice> exportfilename(QWidget* parent, const QString& initialname,
                                                   const QStringList& filters,
                                                   const QString& selected);

  /// The print dialog of "打印…", which sets up `printer`; false when the
  /// user cancels.  Unless replaced, it cancels.
  virtual bool printsetup(QWidget* parent, QPrinter& printer);
};

/// The first extension of a filter: "gpkg" of "GeoPackage (*.gpkg)".
QString filtersuffix(const QString& filter);

/// The platform's file and print dialogs and message box.
class QtSaveDialogs final : public SaveDialogs {
 public:
  std::optional<QString> savefilename(QWidget* parent, const QString& initialname,
                                      const QString& defaultsuffix,
                                      const QString& filter) override;
  void showerror(QWidget* parent, const QString& title, const QString& text) override;
  std::optional<FileChoice> exportfilename(QWidget* parent, const QString& initialname,
                                           const QStringList& filters,
                                           const QString& selected) override;
  bool printsetup(QWidget* parent, QPrinter& printer) override;
};

/// Writes `image` to `path` as a Windows bitmap, whatever the name's
/// extension, replacing a file of that name only once the whole bitmap is
/// written.  Returns "" on success, else the reason the write failed.
QString writebmp(const QImage& image, const QString& path);

/// `path` with ".bmp" appended when its file name has no extension.
QString withbmpsuffix(const QString& path);

}  // namespace tufu
