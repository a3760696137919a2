#include "ui/main/blockpanel.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/describe.h"
#include "ui/main/clicklabel.h"
#include "ui/main/controls.h"
#include "ui/main/cornerview.h"
#include "ui/main/qtext.h"
#include "core/inputs.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {
using layout::block::kScales;
}  // namespace

BlockPanel::BlockPanel(QWidget* parent, const Names* names) : QFrame(parent), names_(names) {
  using namespace layout::block;
  placeframe(this, kFrame, false);

  results_ = new QFrame(this);
  placeframe(results_, kResults, true);

  hint_ = makelabel(this, kHint);
  loncaption_ = makelabel(this, kLonCaption);
  lonto_ = makelabel(this, kLonTo);
  latcaption_ = makelabel(this, kLatCaption);
  latto_ = makelabel(this, kLatTo);
  heading_ = makelabel(this, kHeading);
  corners_ = new CornerView(results_, kCorners);

  output_ = makebutton(results_, kOutput);
  for (int i = 0; i < static_cast<int>(std::size(kScales)); ++i)
    scalebuttons_.push_back(makescalebutton(results_, kScales[i], kOutput.place.left, kScaleTop, i));
  newview_ = makebutton(results_, kNewView);
  oldview_ = makebutton(results_, kOldView);

  west_ = makefield(this, kWest);
  east_ = makefield(this, kEast);
  south_ = makefield(this, kSouth);
  north_ = makefield(this, kNorth);

  for (QLineEdit* field : {west_, east_, south_, north_})
    connect(field, &QLineEdit::textChanged, this, &BlockPanel::field_Change);
  for (std::size_t i = 0; i < scalebuttons_.size(); ++i) {
    const int number = kScales[i].number;
    connect(scalebuttons_[i], &QPushButton::clicked, this, [this, number] { press(number); });
  }
  connect(newview_, &QPushButton::clicked, corners_, &CornerView::shownew);
  connect(oldview_, &QPushButton::clicked, corners_, &CornerView::showold);
  connect(output_, &QPushButton::clicked, this, &BlockPanel::outputrequested);
}

BlockPanel::~BlockPanel() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void BlockPanel::setedition(Edition e) {
  edition_ = e;
  const int room = e == Edition::k2012 ? layout::kLargeRoom : 0;
  resize(pixels(layout::block::kFrame.place).size() + QSize(0, twips(room)));
  results_->resize(pixels(layout::block::kResults.place).size() + QSize(0, twips(room)));
  corners_->setroom(room);
  for (std::size_t i = 0; i < scalebuttons_.size(); ++i)
    scalebuttons_[i]->setVisible(byid(kScales[i].scale)->in(e));
  if (shown_ != nullptr && !shown_->in(e)) clearresults();
}

void BlockPanel::setbounds(const QString& west, const QString& east, const QString& south,
                           const QString& north) {
  west_->setText(west);
  east_->setText(east);
  south_->setText(south);
  north_->setText(north);
}

void BlockPanel::setbounds(const Region& r) {
  setbounds(qs(r.west), qs(r.east), qs(r.south), qs(r.north));
}

bool BlockPanel::hasbutton(int number) {
  for (const auto& b : kScales)
    if (b.number == number) return true;
  return false;
}

const Scale* BlockPanel::buttonscale(int number) const {
  for (const auto& b : kScales)
    if (b.number == number) {
      const Scale* s = byid(b.scale);
      return s->in(edition_) ? s : nullptr;
    }
  return nullptr;
}

int BlockPanel::largestbutton() const {
  int best = 0;
  for (const auto& b : kScales)
    if (byid(b.scale)->in(edition_)) best = b.number;
  return best;
}

void BlockPanel::shownew() { corners_->shownew(); }

void BlockPanel::focusinput() { west_->setFocus(); }

std::vector<QWidget*> BlockPanel::focuschain() const {
  std::vector<QWidget*> chain{output_};
  chain.insert(chain.end(), scalebuttons_.begin(), scalebuttons_.end());
  chain.insert(chain.end(), {newview_, oldview_, west_, east_, south_, north_});
  return chain;
}

std::string BlockPanel::refusal() const {
  return readboundfields(west_->text().toStdString(), east_->text().toStdString(),
                          south_->text().toStdString(), north_->text().toStdString())
      .error;
}

void BlockPanel::clearresults() {
  corners_->clear();
  shown_ = nullptr;
}

// The block check.
void BlockPanel::field_Change() {
  const bool valid = readboundfields(west_->text().toStdString(), east_->text().toStdString(),
                                      south_->text().toStdString(), north_->text().toStdString())
                         .bounds.has_value();
  if (!valid) clearresults();
  emit checked(valid);
}

// Command17..Command25, and Command31..Command33 in the 2012 edition: the
// block at the button's scale, while the bounds form one.
void BlockPanel::press(int number) {
  const auto bounds = readboundfields(west_->text().toStdString(), east_->text().toStdString(),
                                       south_->text().toStdString(), north_->text().toStdString())
                          .bounds;
  const Scale* scale = buttonscale(number);
  if (!bounds || !scale) return;
  const auto block = blockquery(*scale, bounds->west, bounds->east, bounds->south, bounds->north);
  if (!block) {
    clearresults();
  } else {
    const std::pair<CornerView::Corner, Sheet> corners[] = {
        {CornerView::kBottomLeft, block->bottomleft()},
        {CornerView::kTopLeft, block->topleft()},
        {CornerView::kTopRight, block->topright()},
        {CornerView::kBottomRight, block->bottomright()}};
    for (const auto& [c, sheet] : corners) {
      // A 1:20万 corner shows no new number.
      const SheetInfo info = brief(sheet, names_);
      corners_->setcorner(c, qs(info.newno), qs(info.oldno), qs(info.name));
    }
    corners_->setmiddle(qs(block->counttext()));
    shown_ = scale;
    emit listed(*block);
  }
  emit pressed(number);
}

}  // namespace tufu
