#include "chart/curve_ends.h"

#include "chart/checked.h"
#include "chart/curve_scan.h"
#include "chart/scales.h"

namespace chart {

RowCurveEnds curveEndsInRow(const ChartRaster& raster, int row) {
  ChartState slots;
  const auto y = static_cast<ChartCoord>(row);
  ScanCurveRow(raster, y, slots);
  RowCurveEnds result;
  result.row = row;
  result.power = scales::powerOfRow(row);
  const std::array<ChartCoord, 4> xs{slots.CurveX13, slots.CurveX10, slots.CurveX7, slots.CurveX4};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    // 0 is an absent curve, as everywhere in the core.
    if (xs[i] <= 0) continue;
    const auto column = static_cast<Int16>(xs[i]);
    const Colour colour = raster.pixel(xs[i], y);
    result.ends[i] = {
        .present = true,
        .speed = checkedAdd(checkedMul(checkedAdd(column, 1), scales::kSpeedPerColumn),
                            scales::kSpeedAtColumnZero),
        .limit = colour == colours::kMagenta || colour == colours::kLightTeal};
  }
  return result;
}

}  // namespace chart
