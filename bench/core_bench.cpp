#include <array>

#include <benchmark/benchmark.h>

#include "bench/selection_duties.h"
#include "chart/curve_scan.h"
#include "chart/drive_selection.h"
#include "resources/embedded_belts.h"
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

// The floor of the reading: the plainest loop over one row of the same raster, comparing
// each pixel with the curve colours and keeping the last x of each curve.
void BM_PlainRowScan(benchmark::State& state) {
  const chart::ChartRaster& raster = testsupport::chartRaster();
  int row = 0;
  for (auto _ : state) {
    const chart::Colour* pixels =
        raster.pixels().data() + static_cast<std::ptrdiff_t>(row) * chart::ChartRaster::kWidth;
    int x13 = 0, x10 = 0, x7 = 0, x4 = 0;
    for (int x = 0; x < chart::ChartRaster::kWidth; ++x) {
      const chart::Colour colour = pixels[x];
      if (colour == chart::colours::kBlue) x13 = x;
      else if (colour == chart::colours::kGreen) x10 = x;
      else if (colour == chart::colours::kRed || colour == chart::colours::kMagenta) x7 = x;
      else if (colour == chart::colours::kTeal || colour == chart::colours::kLightTeal) x4 = x;
    }
    benchmark::DoNotOptimize(x13);
    benchmark::DoNotOptimize(x10);
    benchmark::DoNotOptimize(x7);
    benchmark::DoNotOptimize(x4);
    row = row == 399 ? 0 : row + 1;
  }
}
BENCHMARK(BM_PlainRowScan);

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

// One default selection (two motor speeds, R40 from 63 to 500 mm, four belt sections) on a
// fresh selector, which finds the rows' curve positions as it goes: what one command-line run
// pays.
void BM_DriveSelection(benchmark::State& state) {
  const chart::ChartRaster& raster = testsupport::chartRaster();
  const chart::BeltTables& tables = embedded::beltTables();
  std::size_t next = 0;
  for (auto _ : state) {
    chart::DriveSelector selector(raster, tables);
    benchmark::DoNotOptimize(selector.select(bench::kSelectionDuties[next]));
    next = (next + 1) % bench::kSelectionDuties.size();
  }
}
BENCHMARK(BM_DriveSelection);

}  // namespace

BENCHMARK_MAIN();
