// tufu-cli's start-up: one answer as a whole process, the way a script that
// calls the tool once per point pays for it.  Each iteration spawns the
// tool and waits for it with wait4, which reports its peak resident set;
// the counters give the largest peak over the iterations (max_rss_kib) and
// its mean.  The aim is at most 5 ms and 5 MB for a one-shot point or sheet.
//   build/bench/cli/startup_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Runs `tool` with `args`, output discarded; returns its peak resident set
// in KiB.
long once(const char* tool, std::vector<std::string> args) {
  std::vector<char*> argv;
  std::string name = tool;
  argv.push_back(name.data());
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  if (posix_spawn(&pid, tool, &actions, nullptr, argv.data(), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    std::abort();
  return usage.ru_maxrss;
}

void Startup(benchmark::State& state, std::vector<std::string> args) {
  long peak = 0, total = 0;
  for (auto _ : state) {
    const long rss = once(TUFU_CLI, args);
    peak = std::max(peak, rss);
    total += rss;
  }
  state.counters["max_rss_kib"] = static_cast<double>(peak);
  state.counters["mean_rss_kib"] =
      static_cast<double>(total) / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void PointOneShot(benchmark::State& state) { Startup(state, {"point", "116", "39"}); }
BENCHMARK(PointOneShot)->UseRealTime()->Unit(benchmark::kMillisecond);

void SheetOneShot(benchmark::State& state) { Startup(state, {"sheet", "J50C001002"}); }
BENCHMARK(SheetOneShot)->UseRealTime()->Unit(benchmark::kMillisecond);

void PointJsonOneShot(benchmark::State& state) {
  Startup(state, {"--json", "point", "116,23,30", "39,54,30"});
}
BENCHMARK(PointJsonOneShot)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
