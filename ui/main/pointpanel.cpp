#include "ui/main/pointpanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "core/describe.h"
#include "core/inputs.h"
#include "core/regions.h"
#include "core/sheet.h"
#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/qtext.h"

namespace tufu {

PointPanel::PointPanel(QWidget* parent, const Names* names) : QFrame(parent), names_(names) {
  using namespace layout::point;
  placeframe(this, kFrame, false);

  loncaption_ = makelabel(this, kLonCaption);
  latcaption_ = makelabel(this, kLatCaption);
  format_ = makelabel(this, kFormat);
  area_ = makelabel(this, kArea);
  scalecaption_ = makelabel(this, kScaleCaption);
  numbersheading_ = makelabel(this, kNumbersHeading);
  newcaption_ = makelabel(this, kNewCaption);
  new_ = makelabel(this, kNew);
  oldcaption_ = makelabel(this, kOldCaption);
  old_ = makelabel(this, kOld);
  rangeheading_ = makelabel(this, kRangeHeading);
  lonrangecaption_ = makelabel(this, kLonRangeCaption);
  lonrange_ = makelabel(this, kLonRange);
  latrangecaption_ = makelabel(this, kLatRangeCaption);
  latrange_ = makelabel(this, kLatRange);
  lonsizecaption_ = makelabel(this, kLonSizeCaption);
  lonsize_ = makelabel(this, kLonSize);
  latsizecaption_ = makelabel(this, kLatSizeCaption);
  latsize_ = makelabel(this, kLatSize);
  namecaption_ = makelabel(this, kNameCaption);
  name_ = makelabel(this, kName);
  kindcaption_ = makelabel(this, kKindCaption);

  lon_ = makefield(this, kLon);
  lat_ = makefield(this, kLat);
  scale_ = makelist(this, kScale);

  kind_ = makelist(this, kKind);
  kind_->setMaxVisibleItems(18);
  kind_->addItem(qs(kSinglePoint));
  kind_->addItem(qs(kBlockQuery));
  for (const auto& r : kRegions) kind_->addItem(qs(r.name));
  kind_->setCurrentIndex(-1);  // the start-up chooses "单点查询"

  controls_ = {loncaption_,     latcaption_, format_,          area_,     scalecaption_,
               numbersheading_, newcaption_, new_,             oldcaption_, old_,
               rangeheading_,   lonrangecaption_, lonrange_,   latrangecaption_, latrange_,
               lonsizecaption_, lonsize_,    latsizecaption_,  latsize_,  namecaption_,
               name_,           lon_,        lat_,             scale_};

  connect(lon_, &QLineEdit::textChanged, this, &PointPanel::field_Change);
  connect(lat_, &QLineEdit::textChanged, this, &PointPanel::field_Change);
  connect(scale_, &QComboBox::currentIndexChanged, this, &PointPanel::Combo1_Click);
  connect(new_, &ClickLabel::clicked, this, &PointPanel::number_Click);
  connect(old_, &ClickLabel::clicked, this, &PointPanel::number_Click);
  // A choice from the list counts even when the item was already chosen
  // (to restore a region's bounds); taking it twice changes nothing.
  connect(kind_, &QComboBox::currentIndexChanged, this, &PointPanel::Combo4_Click);
  connect(kind_, &QComboBox::activated, this, &PointPanel::Combo4_Click);
}

PointPanel::~PointPanel() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void PointPanel::setedition(Edition e) {
  edition_ = e;
  const auto list = scales(e);
  const int count = static_cast<int>(list.size());
  if (scaleindex_ >= count) scaleindex_ = count - 1;
  const QSignalBlocker quiet(scale_);
  scale_->clear();
  for (const Scale& s : list) scale_->addItem(qs(s.label));
  scale_->setMaxVisibleItems(count);  // every scale without scrolling
  scale_->setCurrentIndex(scaleindex_);
}

void PointPanel::setfields(const QString& text) {
  lon_->setText(text);
  lat_->setText(text);
}

void PointPanel::rerun() { field_Change(); }

void PointPanel::choosekind(int index) { kind_->setCurrentIndex(index); }

void PointPanel::Combo4_Click(int index) {
  if (index >= 0) emit kindchosen(index);
}

void PointPanel::showcontrols(bool inview) {
  for (QWidget* w : controls_) w->setVisible(inview);
}

void PointPanel::focusinput() { lon_->setFocus(); }

std::vector<QWidget*> PointPanel::focuschain() const { return {lon_, lat_, scale_, kind_}; }

std::string PointPanel::refusal() const {
  const std::string lon = lon_->text().toStdString(), lat = lat_->text().toStdString();
  // An empty field is not yet an answer, and no mistake either.
  if (lon.empty() || lat.empty()) return {};
  return readpointfields(lon, lat).error;
}

void PointPanel::clearresults() {
  for (ClickLabel* l : {new_, old_, lonrange_, latrange_, lonsize_, latsize_, name_}) l->clear();
}

void PointPanel::field_Change() {
  const std::string lon = lon_->text().toStdString(), lat = lat_->text().toStdString();
  if (!lon.empty() || !lat.empty()) clearresults();
  if (!lon.empty() && !lat.empty()) {
    const auto lonvalue = readlon(lon);
    const auto latvalue = readlat(lat);
    if (lonvalue && latvalue)
      recompute(*lonvalue, *latvalue);
    else
      clearresults();
  }
  emit inputchanged();
}

// A choice from the scale list recomputes from the fields with the same
// tests as a change of a field: input that a change would refuse shows
// nothing here either.
void PointPanel::Combo1_Click(int index) {
  if (index < 0) return;
  scaleindex_ = index;
  field_Change();
}

void PointPanel::recompute(Angle lon, Angle lat) {
  const Scale* scale = byid(scaleindex_, edition_);
  const auto sheet = scale ? sheetat(*scale, lon, lat) : std::nullopt;
  if (!sheet) {
    clearresults();
    return;
  }
  // A 1:20万 sheet has no new number to show.
  const SheetInfo info = describe(*sheet, names_);
  new_->setText(qs(info.newno));
  old_->setText(qs(info.oldno));
  lonrange_->setText(qs(std::string(info.west) + "-- " + std::string(info.east)));
  latrange_->setText(qs(std::string(info.south) + "-- " + std::string(info.north)));
  lonsize_->setText(qs(info.lonsize));
  latsize_->setText(qs(info.latsize));
  name_->setText(qs(info.name));
}

// The number becomes the sheet-number query.
void PointPanel::number_Click() {
  const auto* label = qobject_cast<const ClickLabel*>(sender());
  if (label != nullptr && !label->text().isEmpty()) emit numberchosen(label->text());
}

}  // namespace tufu
