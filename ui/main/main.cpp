// tufu: sheet numbers of China's national basic-scale topographic maps.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "ui/main/form1.h"
#include "ui/main/translations.h"

int main(int argc, char* argv[]) {
  // Answered before any window system is needed.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tufu %s\n", TUFU_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tufu"));
  QApplication::setOrganizationName(QStringLiteral("tufu"));
  QApplication::setApplicationVersion(QStringLiteral(TUFU_VERSION));
  tufu::installtranslations(app);
  tufu::Form1 form;
  // The window's icon, drawn once, serves the sheet table window too.
  QApplication::setWindowIcon(form.windowIcon());
  form.show();
  // An organisation's name lists; a broken one is reported and left out.
  form.mergenamefolder(tufu::Form1::namefolder());
  return QApplication::exec();
}
