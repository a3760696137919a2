// The point query: the sheet of a chosen scale that holds a typed point.
#include <QComboBox>
#include <QLineEdit>

#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"

namespace tufu {

namespace {
constexpr int kResultLabels[] = {9, 10, 14, 15, 18, 19, 109};
}  // namespace

void Form1::clearpointresults() {
  for (int n : kResultLabels) labels_[n]->clear();
}

// Text1_Change and Text2_Change.
void Form1::pointfield_Change() {
  const std::string lon = fieldtext(1), lat = fieldtext(2);
  if (!lon.empty() || !lat.empty()) clearpointresults();
  if (!lon.empty() && !lat.empty()) {
    const auto lonvalue = readlon(lon);
    const auto latvalue = readlat(lat);
    if (lonvalue && latvalue)
      recompute(*lonvalue, *latvalue);
    else
      clearpointresults();
  }
  updatestatus();
}

// A choice from the scale list recomputes from the fields with the same
// tests as a change of a field: input that a change would refuse shows
// nothing here either.
void Form1::Combo1_Click(int index) {
  if (index < 0) return;
  state_.scaletag = index;
  pointfield_Change();
}

void Form1::recompute(Angle lon, Angle lat) {
  const Scale* scale = byid(state_.scaletag, state_.edition);
  const auto sheet = scale ? sheetat(*scale, lon, lat) : std::nullopt;
  if (!sheet) {
    clearpointresults();
    return;
  }
  const SheetInfo info = describesheet(*sheet);
  recordnew(*sheet);
  recordold(info);
  recordextent(*sheet);
  recordsizes(info);

  // A 1:20万 sheet has no new number to show.
  settext(9, info.newno);
  settext(10, info.oldno);
  settext(14, std::string(info.west) + "-- " + std::string(info.east));
  settext(15, std::string(info.south) + "-- " + std::string(info.north));
  settext(18, info.lonsize);
  settext(19, info.latsize);
  settext(109, info.name);
}

// Label9_Click and Label10_Click: the number becomes the sheet-number query.
void Form1::numberlabel_Click(int number) {
  const QString text = labels_[number]->text();
  if (!text.isEmpty()) entry_->setEditText(text);
}

void Form1::placepointcontrols(bool inview) {
  for (const auto& [widget, place] : pointcontrols_) {
    if (inview) widget->setGeometry(place);
    widget->setVisible(inview);
  }
}

}  // namespace tufu
