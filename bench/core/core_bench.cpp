// Speed of the numbering core on the paths a user waits for.
//   build/bench/core/bench_core --benchmark_min_time=0.5
#include <benchmark/benchmark.h>

#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "ui/table/range.h"

using namespace tufu;

namespace {

Tenths lon0 = (116 * 3600 + 23 * 60 + 30) * kSecond;
Tenths lat0 = (39 * 3600 + 54 * 60 + 30) * kSecond;

void PointToNewNumber(benchmark::State& state) {
  Tenths lon = lon0, lat = lat0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lon);
    auto n = newmapna(6, lon, lat);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(PointToNewNumber);

// What the point query shows at all nine scales: new and old number,
// extent texts and size texts.
void WholePointQuery(benchmark::State& state) {
  Tenths lon = lon0, lat = lat0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lon);
    for (const Scale& sc : scales()) {
      auto no = newmapna(sc.blc, lon, lat);
      auto old = newold(*no);
      auto ext = maprange(*no);
      auto sizes = jwcha(sc.sizeindex());
      benchmark::DoNotOptimize(old);
      benchmark::DoNotOptimize(ext);
      benchmark::DoNotOptimize(sizes);
    }
  }
}
BENCHMARK(WholePointQuery);

void RecogniseAndConvertOldNumber(benchmark::State& state) {
  std::string typed = "D-45-48-(26)-C";
  for (auto _ : state) {
    benchmark::DoNotOptimize(typed);
    bool ok = teststr(typed);
    auto n = oldnew(typed);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(RecogniseAndConvertOldNumber);

// One cell of a sheet table: its sheet from a point, new and old number.
void SheetTableCell(benchmark::State& state) {
  const Block b = *outputranges("J49E024001", "", "", "J50E001024");
  int i = 0;
  for (auto _ : state) {
    auto cell = blocksheet(b, i % b.blockrows, i % b.blockcols);
    benchmark::DoNotOptimize(cell);
    ++i;
  }
}
BENCHMARK(SheetTableCell);

}  // namespace
