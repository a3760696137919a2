#include "ui/table/savedialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

namespace tufu {

std::optional<QString> QtSaveDialogs::savefilename(QWidget* parent, const QString& initialname,
                                                   const QString& defaultsuffix,
                                                   const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("保存分幅表"));
  dialog.setObjectName(QStringLiteral("CommonDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultsuffix);
  dialog.setNameFilter(filter);
  dialog.selectFile(initialname);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return files.front();
}

std::optional<SaveDialogs::FileChoice> SaveDialogs::exportfilename(QWidget* parent,
                                                                 const QString& initialname,
                                                                 const QStringList& filters,
                                                                 const QString& selected) {
  const auto path =
      savefilename(parent, initialname, filtersuffix(selected), filters.join(QStringLiteral(";;")));
  if (!path) return std::nullopt;
  return FileChoice{*path, selected};
}

bool SaveDialogs::printsetup(QWidget*, QPrinter&) { return false; }

QString filtersuffix(const QString& filter) {
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return {};
  qsizetype end = star + 2;
  while (end < filter.size() && filter.at(end).isLetterOrNumber()) ++end;
  return filter.mid(star + 2, end - star - 2);
}

std::optional<SaveDialogs::FileChoice> QtSaveDialogs::exportfilename(QWidget* parent,
                                                                   const QString& initialname,
                                                                   const QStringList& filters,
                                                                   const QString& selected) {
  QFileDialog dialog(parent, QStringLiteral("导出分幅表"));
  dialog.setObjectName(QStringLiteral("CommonDialog2"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(selected);
  dialog.setDefaultSuffix(filtersuffix(selected));
  // The extension added to a bare name follows the filter chosen.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& f) { dialog.setDefaultSuffix(filtersuffix(f)); });
  dialog.selectFile(initialname);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return FileChoice{files.front(), dialog.selectedNameFilter()};
}

bool QtSaveDialogs::printsetup(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PrintDialog1"));
  dialog.setWindowTitle(QStringLiteral("打印分幅表"));
  return dialog.exec() == QDialog::Accepted;
}

void QtSaveDialogs::showerror(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::critical(parent, title, text);
}

QString writebmp(const QImage& image, const QString& path) {
  if (image.isNull()) return QStringLiteral("没有可保存的图像");
  QSaveFile file(path);
  // Where no temporary file can be made next to it (a writable file in a
  // folder that is not), the file itself is written.
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  QImageWriter writer(&file, "BMP");
  if (!writer.write(image)) {
    file.cancelWriting();
    return writer.errorString();
  }
  if (!file.commit()) return file.errorString();
  return {};
}

QString withbmpsuffix(const QString& path) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path.endsWith(QLatin1Char('.')) ? path + QStringLiteral("bmp") : path + QStringLiteral(".bmp");
}

}  // namespace tufu
