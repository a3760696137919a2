// Speed of the numbering core on the paths a user waits for.
//   build/bench/core/bench_core --benchmark_min_time=0.5
#include <benchmark/benchmark.h>

#include "core/block.h"
#include "core/describe.h"
#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"

using namespace tufu;

namespace {

Angle lon0 = (116 * 3600 + 23 * 60 + 30) * kSecond;
Angle lat0 = (39 * 3600 + 54 * 60 + 30) * kSecond;

void PointToNewNumber(benchmark::State& state) {
  Angle lon = lon0, lat = lat0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lon);
    auto n = newmapna(6, lon, lat);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(PointToNewNumber);

// What the point query shows at every scale of an edition: new and old
// number, the four edge texts, the size texts and the place name.
void PointQuery(benchmark::State& state) {
  const Edition edition = state.range(0) == 2012 ? Edition::k2012 : Edition::k1992;
  const Gazetteer& names = builtingazetteer();
  Angle lon = lon0, lat = lat0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lon);
    for (const Scale& sc : scales(edition)) {
      const SheetInfo d = describe(*sheetat(sc, lon, lat), &names);
      benchmark::DoNotOptimize(d);
    }
  }
}
BENCHMARK(PointQuery)->Arg(1992)->Arg(2012);

// The same through the established operations, each forming and reading
// its texts.
void PointQueryByOperations(benchmark::State& state) {
  Angle lon = lon0, lat = lat0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lon);
    for (const Scale& sc : scales()) {
      auto no = newmapna(sc.blc(), lon, lat);
      auto old = newold(*no);
      auto ext = maprange(*no);
      auto name = mapchinesename(*no);
      benchmark::DoNotOptimize(old);
      benchmark::DoNotOptimize(ext);
      benchmark::DoNotOptimize(name);
    }
  }
}
BENCHMARK(PointQueryByOperations);

// The adjoining-sheet diagram: the eight neighbours with their numbers and
// names.
void Neighbours(benchmark::State& state) {
  const Gazetteer& names = builtingazetteer();
  const Sheet s = *sheetat(*bycode('E'), lon0, lat0);
  for (auto _ : state) {
    const NeighbourGrid grid = neighbours(s);
    for (const auto& row : grid)
      for (const auto& cell : row)
        if (cell) {
          const SheetInfo d = brief(*cell, &names);
          benchmark::DoNotOptimize(d);
        }
  }
}
BENCHMARK(Neighbours);

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

// One cell of a sheet table: its numbers and name.
void SheetTableCell(benchmark::State& state) {
  const Block b = *blockof(*readnew("J49E024001"), *readnew("J50E001024"));
  const Gazetteer& names = builtingazetteer();
  int i = 0;
  for (auto _ : state) {
    const SheetInfo cell = brief(b.sheet(i % b.blockrows, i % b.blockcols), &names);
    benchmark::DoNotOptimize(cell);
    ++i;
  }
}
BENCHMARK(SheetTableCell);

}  // namespace
