#include "ui/main/editionstrip.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"
#include "ui/table/twips.h"

namespace tufu {

EditionStrip::EditionStrip(QWidget* parent) : QFrame(parent) {
  using namespace layout::strip;
  placeframe(this, kFrame, false);
  // Set off from the panels by a line.
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(0, 0, twips(layout::kClientWidth), 2);

  status_ = makelabel(this, kStatus);
  QPalette red = status_->palette();
  red.setColor(QPalette::WindowText, QColor(200, 0, 0));
  status_->setPalette(red);
  caption_ = makelabel(this, kEditionCaption);

  editions_ = makelist(this, kEdition);
  for (const auto& item : tables::kEditionItems) editions_->addItem(qs(item));
  caption_->setBuddy(editions_);
  connect(editions_, &QComboBox::currentIndexChanged, this, &EditionStrip::Combo5_Click);
}

EditionStrip::~EditionStrip() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void EditionStrip::showedition(Edition e) {
  const QSignalBlocker quiet(editions_);
  editions_->setCurrentIndex(e == Edition::k2012 ? 1 : 0);
}

std::vector<QWidget*> EditionStrip::focuschain() const { return {editions_}; }

void EditionStrip::setstatus(std::string_view text) { status_->setText(qs(text)); }

void EditionStrip::Combo5_Click(int index) {
  if (index >= 0) emit editionchosen(index == 1 ? Edition::k2012 : Edition::k1992);
}

}  // namespace tufu
