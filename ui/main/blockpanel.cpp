// The block query: the corner sheets of a rectangle of longitude and
// latitude at a chosen scale, and how many rows and columns it spans.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

#include "core/block.h"
#include "core/inputs.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"
#include "ui/main/formtables.h"
#include "ui/main/qtext.h"

namespace tufu {

namespace {
constexpr tables::Corner kCorners[] = {tables::kBlockTopLeft, tables::kBlockBottomLeft,
                                       tables::kBlockTopRight, tables::kBlockBottomRight};
}  // namespace

// Combo4_Click: single point (item 0), block query (item 1) or a region.
void Form1::Combo4_Click(int index) {
  if (index < 0) return;
  if (index == 0) {
    placepointcontrols(true);
    frames_[6]->hide();
    updatestatus();
    return;
  }
  placepointcontrols(false);
  frames_[6]->show();
  Command26_Click();
  if (index >= 2 && index - 2 < static_cast<int>(std::size(kRegions))) {
    const auto& r = kRegions[index - 2];
    texts_[3]->setText(qs(r.west));
    texts_[4]->setText(qs(r.east));
    texts_[5]->setText(qs(r.south));
    texts_[6]->setText(qs(r.north));
  }
  updatestatus();
}

std::optional<Form1::Bounds4> Form1::blockbounds() const {
  const auto read = readboundfields(fieldtext(3), fieldtext(4), fieldtext(5), fieldtext(6));
  if (!read.bounds) return std::nullopt;
  return Bounds4{read.bounds->west, read.bounds->east, read.bounds->south, read.bounds->north};
}

void Form1::clearblockresults() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->clear();
    labels_[c.oldno]->clear();
    labels_[c.name]->clear();
  }
  labels_[tables::kBlockCount]->clear();
  blockshown_ = nullptr;
}

// Text3_Change .. Text6_Change: the block check.
void Form1::blockfield_Change() {
  state_.blockvalid = 0;
  if (blockbounds()) {
    state_.blockvalid = 1;
    if (tables::isblockbutton(state_.lastscalebtn)) pressscale(state_.lastscalebtn);
  } else {
    clearblockresults();
  }
  updatestatus();
}

// Command17..Command25, and Command31..Command33 in the 2012 edition.
void Form1::blockscale_Click(int number) {
  const auto bounds = state_.blockvalid == 1 ? blockbounds() : std::nullopt;
  const Scale* scale = buttonscale(number);
  if (bounds && scale) {
    const auto block =
        blockquery(*scale, bounds->west, bounds->east, bounds->south, bounds->north);
    if (!block) {
      clearblockresults();
    } else {
      const std::pair<const tables::Corner&, Sheet> corners[] = {
          {tables::kBlockBottomLeft, block->bottomleft()},
          {tables::kBlockTopLeft, block->topleft()},
          {tables::kBlockTopRight, block->topright()},
          {tables::kBlockBottomRight, block->bottomright()}};
      for (const auto& [c, sheet] : corners) {
        // A 1:20万 corner shows no new number.
        const SheetInfo info = brieflabel(sheet);
        settext(c.newno, info.newno);
        recordold(info);
        settext(c.oldno, info.oldno);
        settext(c.name, info.name);
      }
      settext(tables::kBlockCount, block->counttext());
      recordblock(*block);
      blockshown_ = scale;
    }
    state_.lastscalebtn = number;
  }
}

// "新图幅编号" and "旧图幅编号" of the block query.
void Form1::Command26_Click() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->show();
    labels_[c.oldno]->hide();
  }
}

void Form1::Command27_Click() {
  for (const auto& c : kCorners) {
    labels_[c.newno]->hide();
    labels_[c.oldno]->show();
  }
}

}  // namespace tufu
