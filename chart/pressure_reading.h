#pragma once

#include <array>
#include <string_view>

#include "chart/chart_raster.h"
#include "chart/chart_state.h"
#include "chart/warnings.h"

namespace chart {

// What the cross-hair column says about the pressure in its row.
struct PressureDecision {
  float pressure = 0;
  Warnings speedAndPower{};  // turn Text1 and Label4 red
  Warnings pressureWarnings{};  // turn Text2 red, and with it Label20
};

// Places column x of row y among the curve slots of the last scan and interpolates the
// pressure between the curves that enclose it; beyond the outer curves it clamps and marks.
PressureDecision decidePressure(const ChartRaster& raster, const ChartState& slots, ChartCoord x,
                                ChartCoord y);

// The four delivery estimates, one straight line in the rotor speed each: Q1 starts at
// `atStart` m3/min at 2000 1/min and rises by `rise` over `over` 1/min.
struct DeliveryLine {
  double rise;
  double over;
  double atStart;
  std::string_view caption;
};

inline constexpr std::array<DeliveryLine, 4> DeliveryTable{{
    {3.95, 4000, 1.85, "@ 4 bar"},
    {4.6, 4500, 1.8, "@ 7 bar"},
    {4.05, 4000, 1.75, "@ 10 bar"},
    {3.5, 3500, 1.7, "@ 13 bar"},
}};

// The pressure band a reading falls in: up to 6, below 10, below 13, from 13 up.
const DeliveryLine& deliveryLineFor(float pressure) noexcept;

// Q1 at the given rotor speed, in single precision; the speed offset is 16-bit checked.
float deliveryAt(const DeliveryLine& line, Int16 rotorSpeed);

}  // namespace chart
