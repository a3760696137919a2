// Qt's own texts (the buttons and captions of file dialogs and message
// boxes) in the user's language: the languages of the system locale in
// order, and Chinese when the system asks for none that Qt translates.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace tufu {

/// Installs Qt's translations for `locale` into `app` and returns the
/// language chosen ("zh_CN", "zh_TW", ...), or "" for English, which needs
/// none.
QString installtranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

}  // namespace tufu
