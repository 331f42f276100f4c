// The latency of one cross-hair move: a right-drag across all 500 columns of the chart, each
// step from the mouse event through the scroll value change, the pressure reading and the
// control updates to the window repainted, as the event loop repaints it after a move: every
// control that changed, the chart box where the lines left and reached. Runs offscreen unless
// a platform is named.

#include <chrono>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include "bench/sample_median.h"
#include "ui/form4.h"
#include "ui/named_font.h"
#include "ui/picture_box.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRow = 199;

void sendRightDrag(ui::PictureBox* box, int column) {
  const QPointF local(column + 1, kRow + 1);
  QMouseEvent move(QEvent::MouseMove, local, box->mapToGlobal(local), Qt::NoButton, Qt::RightButton,
                   Qt::NoModifier);
  QApplication::sendEvent(box, &move);
}

// Steps the drag one column on, wrapping round, so that every step is a real change.
template <typename Step>
void dragAcrossTheChart(benchmark::State& state, Step&& step) {
  ui::Form4 form;
  form.show();
  QApplication::processEvents();
  auto* box = form.findChild<ui::PictureBox*>("Picture1");
  const QPointF start(1, kRow + 1);
  QMouseEvent press(QEvent::MouseButtonPress, start, box->mapToGlobal(start), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(box, &press);

  std::vector<std::chrono::nanoseconds> samples;
  samples.reserve(4096);
  int column = 0;
  for (auto _ : state) {
    column = column == 499 ? 0 : column + 1;
    const auto begin = Clock::now();
    step(box, column);
    samples.push_back(Clock::now() - begin);
    // What the step left posted is delivered before the next, as the event loop would: piled
    // up, the queue would make every later post slower to merge.
    QCoreApplication::sendPostedEvents();
  }
  if (form.controls().scrollValue(chart::ScrollBar::HScroll1) != column + 1)
    state.SkipWithError("the drag did not move");
  state.counters["median_ms"] = benchsupport::medianMs(std::move(samples));
}

void BM_CrossHairMoveAndRepaint(benchmark::State& state) {
  dragAcrossTheChart(state, [](ui::PictureBox* box, int column) {
    sendRightDrag(box, column);
    QCoreApplication::sendPostedEvents();
  });
}
BENCHMARK(BM_CrossHairMoveAndRepaint)->Unit(benchmark::kMicrosecond);

// The same without painting: the event, the handlers and the widget updates alone (the
// repaint they asked for follows outside the timing).
void BM_CrossHairMoveOnly(benchmark::State& state) {
  dragAcrossTheChart(state, [](ui::PictureBox* box, int column) { sendRightDrag(box, column); });
}
BENCHMARK(BM_CrossHairMoveOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  ui::installNamedFont();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
