// The main window's response: from one event to the moment every label it
// changes holds its new text.
//
//   keystroke: one key typed into the longitude field of the point query
//     (alternately a digit and Backspace, both leaving a valid point), which
//     recomputes the sheet, its old number, extent, sizes and name;
//   region: one choice from the query mode list, which sets the four bounds
//     of the block query and lists the block after each one.
#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>

#include "ui/main/form1.h"

namespace {

template <typename W>
W* control(tufu::Form1& form, const char* name) {
  return form.findChild<W*>(QString::fromLatin1(name));
}

void BM_LongitudeKeystroke(benchmark::State& state) {
  tufu::Form1 form;
  form.show();
  auto* lon = control<QLineEdit>(form, "Text1");
  auto* scales = control<QComboBox>(form, "Combo1");
  scales->setCurrentIndex(static_cast<int>(state.range(0)));
  control<QLineEdit>(form, "Text2")->setText(QStringLiteral("39,54,30"));
  lon->setText(QStringLiteral("116,23,3"));
  bool typed = false;
  for (auto _ : state) {
    if (typed)
      QTest::keyClick(lon, Qt::Key_Backspace);
    else
      QTest::keyClick(lon, Qt::Key_5);
    typed = !typed;
  }
  if (lon->text().isEmpty()) state.SkipWithError("the field lost its text");
}
// 1:100万 and 1:5000 (the longest texts).
BENCHMARK(BM_LongitudeKeystroke)->Arg(0)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_RegionChoice(benchmark::State& state) {
  tufu::Form1 form;
  form.show();
  auto* mode = control<QComboBox>(form, "Combo4");
  const int beijing = mode->findText(QStringLiteral("北京"));
  const int jiangsu = mode->findText(QStringLiteral("江苏"));
  mode->setCurrentIndex(beijing);
  // The block is listed at the scale button pressed last.
  const char* button = state.range(0) == 0 ? "Command17" : "Command25";
  control<QAbstractButton>(form, button)->click();
  bool flip = false;
  for (auto _ : state) {
    mode->setCurrentIndex(flip ? beijing : jiangsu);
    flip = !flip;
  }
}
// "100万" and "5千".
BENCHMARK(BM_RegionChoice)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
