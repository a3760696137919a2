// tufu: sheet numbers of China's national basic-scale topographic maps.
#include <QApplication>

#include "ui/main/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tufu"));
  tufu::Form1 form;
  form.show();
  return QApplication::exec();
}
