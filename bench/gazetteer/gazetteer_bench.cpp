// One name lookup: the sheet table asks for up to 2880 of them per repaint.
#include <benchmark/benchmark.h>

#include <string_view>

#include "gazetteer/gazetteer.h"

namespace {

constexpr std::string_view kHit = "J50E001001";
constexpr std::string_view kMiss = "J50E001002";

void BM_MapchinesenameHit(benchmark::State& state) {
  std::string_view key = kHit;
  for (auto _ : state) {
    benchmark::DoNotOptimize(key);
    benchmark::DoNotOptimize(tufu::mapchinesename(key));
  }
}
BENCHMARK(BM_MapchinesenameHit);

void BM_MapchinesenameMiss(benchmark::State& state) {
  std::string_view key = kMiss;
  for (auto _ : state) {
    benchmark::DoNotOptimize(key);
    benchmark::DoNotOptimize(tufu::mapchinesename(key));
  }
}
BENCHMARK(BM_MapchinesenameMiss);

// Through the table that the command-line tool uses (no file merged).
void BM_GazetteerNameHit(benchmark::State& state) {
  const tufu::Gazetteer gazetteer;
  std::string_view key = kHit;
  for (auto _ : state) {
    benchmark::DoNotOptimize(key);
    benchmark::DoNotOptimize(gazetteer.name(key));
  }
}
BENCHMARK(BM_GazetteerNameHit);

void BM_GazetteerNameMiss(benchmark::State& state) {
  const tufu::Gazetteer gazetteer;
  std::string_view key = kMiss;
  for (auto _ : state) {
    benchmark::DoNotOptimize(key);
    benchmark::DoNotOptimize(gazetteer.name(key));
  }
}
BENCHMARK(BM_GazetteerNameMiss);

}  // namespace
