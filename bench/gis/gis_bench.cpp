// Speed of the GIS output: a sheet grid written to a file, points annotated
// from CSV to CSV.  Each iteration writes a whole file, as the tool does.
//   build/bench/gis/bench_gis --benchmark_min_time=2
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/block.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"
#include "gis/annotate.h"
#include "gis/grid.h"

using namespace tufu;
namespace fs = std::filesystem;

namespace {

// A scratch folder for the whole run.
const fs::path& scratch() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "tufu-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(scratch(), ec);
    });
    return fs::path(pattern);
  }();
  return dir;
}

// The 1:5000 sheets of one 1:100万 sheet (192 × 192 = 36,864), or another
// scale's, written to a file of the format given by `extension`.
void Grid(benchmark::State& state, const char* scale, const char* extension, const char* crs) {
  const Edition edition = Edition::k2012;
  const Block block = *contained(*parsenew("J50", edition).sheet, *parsescale(scale, edition));
  const gis::SheetSet sheets(block);
  gis::GridOptions options;
  options.names = &builtingazetteer();
  options.overwrite = true;
  if (*crs != '\0') options.crs = *gis::parsecrs(crs);
  const std::string path = (scratch() / (std::string("grid.") + extension)).string();
  for (auto _ : state) {
    const gis::Outcome out = gis::writegrid(path, sheets, options);
    if (!out.error.empty()) state.SkipWithError(out.error.c_str());
  }
  state.SetItemsProcessed(state.iterations() * sheets.count());
  state.counters["sheets"] = static_cast<double>(sheets.count());
}
BENCHMARK_CAPTURE(Grid, gpkg_5000, "1:5000", "gpkg", "")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Grid, gpkg_5000_gk3, "1:5000", "gpkg", "gk3")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Grid, shp_5000, "1:5000", "shp", "")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Grid, fgb_5000, "1:5000", "fgb", "")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Grid, csv_5000, "1:5000", "csv", "")->Unit(benchmark::kMillisecond)->UseRealTime();

// A CSV of `rows` points spread over China, with an id and a name.
std::string pointsfile(int rows) {
  const fs::path path = scratch() / ("points-" + std::to_string(rows) + ".csv");
  if (fs::exists(path)) return path.string();
  std::ofstream out(path);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> lon(73.5, 135.0), lat(3.9, 53.5);
  out << "id,name,lon,lat\n";
  char line[96];
  for (int i = 0; i < rows; ++i) {
    std::snprintf(line, sizeof line, "%d,点%d,%.6f,%.6f\n", i, i % 1000, lon(random), lat(random));
    out << line;
  }
  return path.string();
}

// Points from CSV to CSV with the columns of one scale (new and old
// number), or of all nine.
void AnnotateCsv(benchmark::State& state) {
  constexpr int kRows = 200000;
  const std::string in = pointsfile(kRows);
  const std::string out = (scratch() / "annotated.csv").string();
  gis::AnnotateOptions options;
  options.overwrite = true;
  if (state.range(0) == 1) {
    options.scales = {parsescale("1:5万")};
  } else {
    for (const Scale& s : scales()) options.scales.push_back(&s);
  }
  for (auto _ : state) {
    const gis::Annotated a = gis::annotate(in, out, options);
    if (!a.error.empty()) state.SkipWithError(a.error.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(AnnotateCsv)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
