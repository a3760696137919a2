#include "ui/main/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tufu {

namespace {

bool install(QCoreApplication& app, const QString& language) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace

QString installtranslations(QCoreApplication& app, const QLocale& locale) {
  for (QString language : locale.uiLanguages()) {
    language.replace(QLatin1Char('-'), QLatin1Char('_'));
    // Qt speaks English by itself.
    if (language == QLatin1String("en") || language.startsWith(QLatin1String("en_"))) return {};
    if (language.startsWith(QLatin1String("zh"))) {
      // Traditional characters for Taiwan, Hong Kong and Macau.
      const bool traditional = language.contains(QLatin1String("Hant")) ||
                               language.endsWith(QLatin1String("TW")) ||
                               language.endsWith(QLatin1String("HK")) ||
                               language.endsWith(QLatin1String("MO"));
      const QString chinese = traditional ? QStringLiteral("zh_TW") : QStringLiteral("zh_CN");
      if (install(app, chinese)) return chinese;
      continue;
    }
    if (install(app, language)) return language;
  }
  return install(app, QStringLiteral("zh_CN")) ? QStringLiteral("zh_CN") : QString();
}

}  // namespace tufu
