// Process start to the main window's first paint, in wall time and in the CPU time the
// process used, and the peak resident memory, each beside its floor: a bare Qt window of the
// same size. On a busy machine the wall time is mostly waiting for a processor; the CPU time
// is not. Each sample starts bench_program_window (the
// window built exactly as the program's main builds it) and bench_bare_window the same way,
// in alternating order; each reports when its window has first been painted, and this
// parent times it from just before the spawn. A second floor, the bare window with one line
// of text, shows what of the difference any window with text pays. Runs offscreen unless a
// display or platform is set.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_median.h"

extern char** environ;

namespace {

struct ChildRun {
  std::chrono::nanoseconds toFirstPaint{};
  std::chrono::nanoseconds cpuToFirstPaint{};
  long rssAtExitKb = 0;
  bool ok = false;
};

// Starts `program` with `argument`, if any, and waits for its report and its exit.
ChildRun runOnce(const char* program, const char* argument = nullptr) {
  ChildRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::string path = program;
  std::string arg = argument != nullptr ? argument : "";
  char* argv[] = {path.data(), argument != nullptr ? arg.data() : nullptr, nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return run;
  }
  std::string line;
  char c = 0;
  while (read(fds[0], &c, 1) == 1 && c != '\n') line.push_back(c);
  run.toFirstPaint = std::chrono::steady_clock::now() - start;
  close(fds[0]);

  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.rssAtExitKb = usage.ru_maxrss;
  long peakKb = 0;
  long cpuMicroseconds = 0;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(line.c_str(), "painted %ld %ld", &peakKb, &cpuMicroseconds) == 2;
  run.cpuToFirstPaint = std::chrono::microseconds(cpuMicroseconds);
  return run;
}

struct Samples {
  std::vector<std::chrono::nanoseconds> toFirstPaint;
  std::vector<std::chrono::nanoseconds> cpuToFirstPaint;
  long peakKb = 0;

  void add(const ChildRun& run) {
    toFirstPaint.push_back(run.toFirstPaint);
    cpuToFirstPaint.push_back(run.cpuToFirstPaint);
    peakKb = std::max(peakKb, run.rssAtExitKb);
  }
};

void BM_StartToFirstPaint(benchmark::State& state) {
  Samples program;
  Samples floor;
  Samples textFloor;
  int first = 0;
  for (auto _ : state) {
    // Rotating the order keeps a drift in the machine's load from favouring any of them.
    ChildRun runs[3];
    for (int i = 0; i < 3; ++i) {
      const int which = (first + i) % 3;
      runs[which] = which == 0   ? runOnce(QNTE_PROGRAM_WINDOW)
                    : which == 1 ? runOnce(QNTE_BARE_WINDOW)
                                 : runOnce(QNTE_BARE_WINDOW, "text");
    }
    first = (first + 1) % 3;
    if (!runs[0].ok || !runs[1].ok || !runs[2].ok) {
      state.SkipWithError(runs[0].ok ? "a bare window did not report its first paint"
                                     : "the program did not report its first paint");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(runs[0].toFirstPaint).count());
    program.add(runs[0]);
    floor.add(runs[1]);
    textFloor.add(runs[2]);
  }
  state.counters["median_ms"] = benchsupport::medianMs(std::move(program.toFirstPaint));
  state.counters["floor_median_ms"] = benchsupport::medianMs(std::move(floor.toFirstPaint));
  state.counters["text_floor_median_ms"] =
      benchsupport::medianMs(std::move(textFloor.toFirstPaint));
  state.counters["cpu_median_ms"] = benchsupport::medianMs(std::move(program.cpuToFirstPaint));
  state.counters["floor_cpu_median_ms"] = benchsupport::medianMs(std::move(floor.cpuToFirstPaint));
  state.counters["peak_rss_MB"] = static_cast<double>(program.peakKb) / 1024.0;
  state.counters["floor_peak_rss_MB"] = static_cast<double>(floor.peakKb) / 1024.0;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  const auto unset = [](const char* name) {
    return std::getenv(name) == nullptr || *std::getenv(name) == 0;
  };
  if (unset("QT_QPA_PLATFORM") && unset("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
