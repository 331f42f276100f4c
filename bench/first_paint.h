#pragma once

// Shared by every program that the start-up benchmark starts: on the window's first paint,
// once everything painted with it is done, write "painted <peak resident KiB> <CPU time in
// µs since the process began>" to stdout and leave the event loop. Whatever the window, it is told
// the same way. With QNTE_EXIT_AT_FIRST_PAINT set it ends there at once, so that what a profiler
// counts is the start alone, not the tear-down.

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace benchsupport {

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
        const long cpuMicroseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                                     usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
        std::printf("painted %ld %ld\n", usage.ru_maxrss, cpuMicroseconds);
        std::fflush(stdout);
        if (std::getenv("QNTE_EXIT_AT_FIRST_PAINT") != nullptr) std::_Exit(0);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool reported_ = false;
};

}  // namespace benchsupport
