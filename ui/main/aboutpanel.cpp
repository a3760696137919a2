#include "ui/main/aboutpanel.h"

#include <QDir>
#include <QFontMetrics>

#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/icon.h"
#include "ui/main/qtext.h"
#include "ui/table/twips.h"

namespace tufu {

AboutPanel::AboutPanel(QWidget* parent, const QString& namefolder) : QFrame(parent) {
  using namespace layout::about;
  placeframe(this, kFrame, false);

  ClickLabel* title = makelabel(this, kTitle);
  makelabel(this, kText);
  makelabel(this, kAuthors);
  makelabel(this, kContact);
  makelabel(this, kOrganisation);
  makelabel(this, kVersion)->setText(qs(kVersion.caption).arg(QStringLiteral(TUFU_VERSION)));
  makelabel(this, kLicence);
  makelabel(this, kNameFolder)
      ->setText(qs(kNameFolder.caption).arg(QDir::toNativeSeparators(namefolder)));

  // The title a little larger and bold, as large as its line allows.
  QFont heading = title->font();
  heading.setPixelSize(heading.pixelSize() + 3);
  heading.setBold(true);
  while (QFontMetrics(heading).height() >= title->height())
    heading.setPixelSize(heading.pixelSize() - 1);
  title->setFont(heading);

  auto* image = new QLabel(this);
  image->setObjectName(qname(kImage.name));
  image->setGeometry(pixels(kImage.place));
  image->setPixmap(iconpixmap(twips(kImage.place.width)));
}

}  // namespace tufu
