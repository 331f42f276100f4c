// Process start to the main window's first paint, and the peak resident memory. Each
// sample starts this program anew as a child that builds the window exactly as the
// program's main does and reports when the window has first been painted; the parent
// times it from just before the spawn. Runs offscreen unless a display or platform is set.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "bench/sample_median.h"
#include "ui/form4.h"
#include "ui/named_font.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--first-paint-child";

// In the child: on the window's first paint, once everything painted with it is done,
// tell the parent and the peak memory so far, and stop.
class FirstPaintReporter : public QObject {
 public:
  explicit FirstPaintReporter(QWidget* window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("painted %ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool reported_ = false;
};

int runChild(char* programName) {
  // As the program's main: no command line, the named face, the window, shown.
  int qtArgc = 1;
  QApplication app(qtArgc, &programName);
  ui::installNamedFont();
  ui::Form4 form;
  FirstPaintReporter reporter(&form);
  form.show();
  return QApplication::exec();
}

struct ChildRun {
  std::chrono::nanoseconds toFirstPaint{};
  long rssAtPaintKb = 0;
  long rssAtExitKb = 0;
  bool ok = false;
};

ChildRun runOnce() {
  ChildRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::string program = "/proc/self/exe";
  std::string flag = kChildFlag;
  char* argv[] = {program.data(), flag.data(), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
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
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(line.c_str(), "painted %ld", &run.rssAtPaintKb) == 1;
  return run;
}

void BM_StartToFirstPaint(benchmark::State& state) {
  std::vector<std::chrono::nanoseconds> samples;
  long peakAtPaintKb = 0;
  long peakAtExitKb = 0;
  for (auto _ : state) {
    const ChildRun run = runOnce();
    if (!run.ok) {
      state.SkipWithError("the child did not report its first paint");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(run.toFirstPaint).count());
    samples.push_back(run.toFirstPaint);
    peakAtPaintKb = std::max(peakAtPaintKb, run.rssAtPaintKb);
    peakAtExitKb = std::max(peakAtExitKb, run.rssAtExitKb);
  }
  state.counters["median_ms"] = benchsupport::medianMs(std::move(samples));
  state.counters["peak_rss_at_paint_MB"] = static_cast<double>(peakAtPaintKb) / 1024.0;
  state.counters["peak_rss_MB"] = static_cast<double>(peakAtExitKb) / 1024.0;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && std::strcmp(argv[1], kChildFlag) == 0) return runChild(argv[0]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
