// tufu-cli as a whole process: lines per second from a file of inputs to
// /dev/null, start-up included.
//   build/bench/cli/cli_bench --benchmark_repetitions=3
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// A file of `lines` random points over China, written once.
std::string pointsfile(int lines) {
  const std::string path = "/tmp/tufu_cli_bench_points_" + std::to_string(lines) + ".txt";
  if (access(path.c_str(), R_OK) == 0) return path;
  std::mt19937 random(1);
  std::uniform_real_distribution<double> lon(73, 135), lat(3, 53);
  FILE* f = std::fopen(path.c_str(), "w");
  for (int i = 0; i < lines; ++i) std::fprintf(f, "%.6f %.6f\n", lon(random), lat(random));
  std::fclose(f);
  return path;
}

// A file of `lines` old sheet numbers at 1:5000.
std::string sheetsfile(int lines) {
  const std::string path = "/tmp/tufu_cli_bench_sheets_" + std::to_string(lines) + ".txt";
  if (access(path.c_str(), R_OK) == 0) return path;
  std::mt19937 random(2);
  FILE* f = std::fopen(path.c_str(), "w");
  for (int i = 0; i < lines; ++i)
    std::fprintf(f, "%c-%d-%d-(%d)-%c\n", 'A' + static_cast<int>(random() % 15),
                 31 + static_cast<int>(random() % 30), 1 + static_cast<int>(random() % 144),
                 1 + static_cast<int>(random() % 64), 'A' + static_cast<int>(random() % 4));
  std::fclose(f);
  return path;
}

// Runs tufu-cli with `args`, standard input from `input`, output discarded.
void run(const std::vector<std::string>& args, const std::string& input) {
  std::vector<char*> argv;
  std::string tool = TUFU_CLI;
  argv.push_back(tool.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  if (posix_spawn(&pid, TUFU_CLI, &actions, nullptr, argv.data(), environ) != 0) std::abort();
  int status = 0;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) std::abort();
}

void Lines(benchmark::State& state, std::vector<std::string> args, std::string input, int lines) {
  for (auto _ : state) run(args, input);
  state.SetItemsProcessed(state.iterations() * lines);
}

constexpr int kLines = 200000;

void PointJsonNineScales(benchmark::State& state) {
  Lines(state, {"--json", "point"}, pointsfile(kLines), kLines);
}
BENCHMARK(PointJsonNineScales)->UseRealTime()->Unit(benchmark::kMillisecond);

void PointTextOneScale(benchmark::State& state) {
  Lines(state, {"point", "--scale", "5万"}, pointsfile(5 * kLines), 5 * kLines);
}
BENCHMARK(PointTextOneScale)->UseRealTime()->Unit(benchmark::kMillisecond);

void PointJsonTwelveScales(benchmark::State& state) {
  Lines(state, {"--standard", "2012", "--json", "point"}, pointsfile(kLines), kLines);
}
BENCHMARK(PointJsonTwelveScales)->UseRealTime()->Unit(benchmark::kMillisecond);

void SheetJson(benchmark::State& state) {
  Lines(state, {"--json", "sheet"}, sheetsfile(kLines), kLines);
}
BENCHMARK(SheetJson)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
