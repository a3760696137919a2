// The point query: the sheet of a chosen scale that holds a typed point.
#include <QComboBox>
#include <QLineEdit>

#include "gazetteer/gazetteer.h"
#include "ui/main/clicklabel.h"
#include "ui/main/form1.h"

namespace tufu {

namespace {
constexpr int kResultLabels[] = {9, 10, 14, 15, 18, 19};
constexpr int k20TagPosition = 3;  // list position of "1:20万", which has no new number
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
  settext(109, mapchinesename(caption(9)));
  if (state_.scaletag == k20TagPosition) labels_[9]->clear();
}

// A choice from the scale list recomputes from the fields with the same
// tests as a change of a field: input that a change would refuse shows
// nothing here either.
void Form1::Combo1_Click(int index) {
  if (index < 0) return;
  state_.scaletag = index;
  pointfield_Change();
}

void Form1::recompute(Tenths lon, Tenths lat) {
  const Scale* scale = bylistpos(state_.scaletag);
  const auto newno = scale ? callnewmapna(scale->blc, lon, lat) : std::nullopt;
  if (!newno) {
    clearpointresults();
    return;
  }
  settext(9, *newno);

  const auto old = callnewold(*newno);
  settext(10, old ? std::string_view(old->mapno) : std::string_view());

  const auto extent = callmaprange(*newno);
  settext(14, extent ? extent->rangewest + "-- " + extent->rangeeast : std::string());
  settext(15, extent ? extent->rangesouth + "-- " + extent->rangenorth : std::string());

  // The scale code of the converted number picks the size texts.  (Taken
  // from the conversion itself: the old number of a sheet at 60° N or 180° E,
  // row P or zone 61, is not one that can be typed back.)
  const auto size = old ? calljwcha(old->code) : std::nullopt;
  settext(18, size ? size->jcha : std::string_view());
  settext(19, size ? size->wcha : std::string_view());
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
