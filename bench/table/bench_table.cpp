// The largest sheet table, 60 rows by 48 columns at 1:5万: drawing it once
// per block, and saving it as a bitmap.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/sheet.h"
#include "core/block.h"
#include "ui/table/savedialogs.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"

namespace {

// South-west sheet at 108° E, 30° N; 48 sheets of 15′ east and 60 of 10′ north.
tufu::Block largest() {
  using tufu::kDegree;
  using tufu::kMinute;
  const auto sw = tufu::newmapna(6, 108 * kDegree, 30 * kDegree);
  const auto ne = tufu::newmapna(6, 108 * kDegree + 47 * 15 * kMinute, 30 * kDegree + 59 * 10 * kMinute);
  const auto block = tufu::outputranges(sw.value(), "", "", ne.value());
  if (!block || block->blockrows != 60 || block->blockcols != 48) std::abort();
  return *block;
}

void BM_RenderLargestTable(benchmark::State& state) {
  const tufu::Block block = largest();
  for (auto _ : state) {
    QImage image = tufu::rendertable(block);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_RenderLargestTable)->Unit(benchmark::kMillisecond);

// The drawing list alone: numbers, old numbers, names and labels.
void BM_DrawLargestTable(benchmark::State& state) {
  const tufu::Block block = largest();
  for (auto _ : state) {
    tufu::TableDrawing d = tufu::drawtable(block);
    benchmark::DoNotOptimize(d.texts.data());
    state.counters["texts"] = static_cast<double>(d.texts.size());
  }
}
BENCHMARK(BM_DrawLargestTable)->Unit(benchmark::kMillisecond);

void BM_SaveLargestTable(benchmark::State& state) {
  const QImage image = tufu::rendertable(largest());
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("table.bmp"));
  for (auto _ : state) {
    const QString failure = tufu::writebmp(image, path);
    if (!failure.isEmpty()) state.SkipWithError(failure.toStdString().c_str());
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_SaveLargestTable)->Unit(benchmark::kMillisecond);

// Scrolling repaints only the visible part: one step across the largest table.
void BM_ScrollStep(benchmark::State& state) {
  tufu::SheetTableWindow window;
  window.resize(1024, 768);
  window.setBlock(largest());
  auto* bar = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
  QWidget* picture = window.findChild<QWidget*>(QStringLiteral("Picture1"));
  int value = 0;
  for (auto _ : state) {
    value = value >= bar->maximum() ? 0 : value + 1;
    bar->setValue(value);
    QPixmap shown = picture->grab();
    benchmark::DoNotOptimize(shown.cacheKey());
  }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

}  // namespace
