// The about panel (Frame3): the program's picture, what it computes, who
// made it, its version and licence, and the folder of name lists it reads.
#pragma once

#include <QFrame>

namespace tufu {

class AboutPanel : public QFrame {
  Q_OBJECT

 public:
  AboutPanel(QWidget* parent, const QString& namefolder);
};

}  // namespace tufu
