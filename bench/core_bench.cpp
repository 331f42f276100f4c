#include <benchmark/benchmark.h>

#include "chart/curve_scan.h"
#include "tests/support/core_harness.h"

namespace {

using chart::ScrollBar;

void BM_ScanCurveRow(benchmark::State& state) {
  const chart::ChartRaster& raster = testsupport::chartRaster();
  chart::ChartState slots;
  int row = 0;
  for (auto _ : state) {
    chart::ScanCurveRow(raster, static_cast<chart::ChartCoord>(row), slots);
    benchmark::DoNotOptimize(slots);
    row = row == 399 ? 0 : row + 1;
  }
}
BENCHMARK(BM_ScanCurveRow);

// A complete reading with every control write, against the in-memory controls, walking the
// cross-hair down all 400 rows.
void BM_UpdatePressureReading(benchmark::State& state) {
  testsupport::CoreHarness core;
  core.controls.setScrollValue(ScrollBar::HScroll1, 300);
  // Moving the bar without its handler costs a store; the reading is what is measured.
  core.controls.onScrollChange = nullptr;
  chart::ScrollValue row = 1;
  for (auto _ : state) {
    core.controls.setScrollValue(ScrollBar::VScroll1, row);
    core.logic.UpdatePressureReading();
    benchmark::DoNotOptimize(core.logic.state());
    row = row == 400 ? 1 : static_cast<chart::ScrollValue>(row + 1);
  }
}
BENCHMARK(BM_UpdatePressureReading);

}  // namespace

BENCHMARK_MAIN();
