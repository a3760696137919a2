#include "ui/main/hierarchypanel.h"

#include <QPushButton>

#include "core/describe.h"
#include "ui/main/controls.h"
#include "ui/main/cornerview.h"
#include "ui/main/qtext.h"
#include "core/block.h"
#include "ui/table/twips.h"

namespace tufu {

namespace {
using layout::hierarchy::kScales;
}  // namespace

HierarchyPanel::HierarchyPanel(QWidget* parent, const Names* names)
    : QFrame(parent), names_(names) {
  using namespace layout::hierarchy;
  placeframe(this, {kFrameName, layout::sheet::kViewPlace}, false);
  corners_ = new CornerView(this, kCorners);
  output_ = makebutton(this, kOutput);
  for (int i = 0; i < static_cast<int>(std::size(kScales)); ++i)
    scalebuttons_.push_back(makescalebutton(this, kScales[i], kOutput.place.left, kScaleTop, i));
  newview_ = makebutton(this, kNewView);
  oldview_ = makebutton(this, kOldView);

  for (std::size_t i = 0; i < scalebuttons_.size(); ++i) {
    const int number = kScales[i].number;
    connect(scalebuttons_[i], &QPushButton::clicked, this, [this, number] { press(number); });
  }
  connect(newview_, &QPushButton::clicked, this, &HierarchyPanel::shownew);
  connect(oldview_, &QPushButton::clicked, corners_, &CornerView::showold);
  connect(output_, &QPushButton::clicked, this, &HierarchyPanel::outputrequested);
}

HierarchyPanel::~HierarchyPanel() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void HierarchyPanel::setedition(Edition e) {
  edition_ = e;
  const int room = e == Edition::k2012 ? layout::kLargeRoom : 0;
  resize(pixels(layout::sheet::kViewPlace).size() + QSize(0, twips(room)));
  corners_->setroom(room);
  for (std::size_t i = 0; i < scalebuttons_.size(); ++i)
    scalebuttons_[i]->setVisible(byid(kScales[i].scale)->in(e));
}

void HierarchyPanel::setsheet(const Sheet* sheet) {
  sheet_.reset();
  if (sheet != nullptr) sheet_ = *sheet;
  corners_->clear();
}

void HierarchyPanel::follow() {
  if (!sheet_) return;
  const Scale& own = *sheet_->scale;
  auto nests = [this, &own](const layout::ScaleButton& b) {
    return offerscontained(own, *byid(b.scale), edition_);
  };
  for (const auto& b : kScales) {
    if (!nests(b)) continue;
    press(b.number);
    break;
  }
  for (std::size_t i = 0; i < scalebuttons_.size(); ++i)
    scalebuttons_[i]->setEnabled(nests(kScales[i]));
}

bool HierarchyPanel::hasbutton(int number) {
  for (const auto& b : kScales)
    if (b.number == number) return true;
  return false;
}

const Scale* HierarchyPanel::buttonscale(int number) const {
  for (const auto& b : kScales)
    if (b.number == number) {
      const Scale* s = byid(b.scale);
      return s->in(edition_) ? s : nullptr;
    }
  return nullptr;
}

int HierarchyPanel::largestbutton() const {
  int best = 0;
  for (const auto& b : kScales)
    if (byid(b.scale)->in(edition_)) best = b.number;
  return best;
}

QPushButton* HierarchyPanel::button(int number) const {
  for (std::size_t i = 0; i < scalebuttons_.size(); ++i)
    if (kScales[i].number == number) return scalebuttons_[i];
  return nullptr;
}

bool HierarchyPanel::isenabled(int number) const {
  const QPushButton* b = button(number);
  return b != nullptr && b->isEnabled();
}

// Command7..Command13, Command15, and Command28..Command30 in the 2012
// edition.  A target without new numbers to show (1:20万) shows its corners
// in the old view only.
void HierarchyPanel::press(int number) {
  const Scale* target = buttonscale(number);
  if (target == nullptr) return;  // a scale the edition does not have
  const bool shownew = target->shownew;
  if (shownew) corners_->setnewvisible(true);

  if (sheet_) {
    const auto block = contained(*sheet_, *target);
    if (!block) {
      // The target does not nest in the sheet's scale: no block.
      corners_->clear();
    } else {
      corners_->setmiddle(qs(block->counttext()));
      const std::pair<CornerView::Corner, Sheet> corners[] = {
          {CornerView::kTopLeft, block->topleft()},
          {CornerView::kBottomLeft, block->bottomleft()},
          {CornerView::kTopRight, block->topright()},
          {CornerView::kBottomRight, block->bottomright()}};
      // The new-number fields hold the number as formed, which at 1:20万
      // is the internal code, kept out of view.
      for (const auto& [c, sheet] : corners) {
        const SheetInfo info = brief(sheet, names_);
        corners_->setcorner(c, qs(sheetnumber(sheet)), qs(info.oldno), qs(info.name));
      }
      emit listed(*block);
    }
  }

  lastshownew_ = shownew;
  emit pressed(number);
  if (!shownew) corners_->setnewvisible(false);
}

std::vector<QWidget*> HierarchyPanel::focuschain() const {
  std::vector<QWidget*> chain{output_};
  chain.insert(chain.end(), scalebuttons_.begin(), scalebuttons_.end());
  chain.insert(chain.end(), {newview_, oldview_});
  return chain;
}

void HierarchyPanel::shownew() {
  corners_->shownew();
  if (!lastshownew_) corners_->setnewvisible(false);
}

}  // namespace tufu
