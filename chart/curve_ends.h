#pragma once

#include <array>

#include "chart/chart_raster.h"

namespace chart {

// Where one curve ends in a chart row: the speed of its rightmost pixel, as the speed
// read-out shows that column, and whether that pixel has the curve's limit colour.
struct CurveEnd {
  bool present = false;
  Int16 speed = 0;
  bool limit = false;
};

// The ends of the 13, 10, 7 and 4 bar curves in one row, in that order.
struct RowCurveEnds {
  int row = 0;
  double power = 0;  // kW, as the power read-out shows the row
  std::array<CurveEnd, 4> ends{};
};

// Scans one row of the raster (0..399) as the pressure reading scans it.
RowCurveEnds curveEndsInRow(const ChartRaster& raster, int row);

}  // namespace chart
