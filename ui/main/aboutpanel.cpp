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
  // A long folder is shortened in the middle until the caption fits its
  // lines; its tooltip and a copy give the whole of it.
  ClickLabel* folder = makelabel(this, kNameFolder);
  const QString path = QDir::toNativeSeparators(namefolder);
  folder->setText(qs(kNameFolder.caption).arg(path));
  if (folder->heightForWidth(folder->width()) > folder->height()) {
    folder->setwholetext(folder->text());
    folder->setToolTip(path);
    const QFontMetrics metrics(folder->font());
    for (int room = metrics.horizontalAdvance(path);
         room > 0 && folder->heightForWidth(folder->width()) > folder->height();
         room -= metrics.averageCharWidth())
      folder->setText(
          qs(kNameFolder.caption).arg(metrics.elidedText(path, Qt::ElideMiddle, room)));
  }

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
