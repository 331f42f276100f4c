#pragma once

#include "chart/chart_raster.h"
#include "chart/units.h"

namespace chart::scales {

// The chart's two axes, every other number of them made from these: HScroll1 steps across
// the speeds, VScroll1 down the powers, one chart pixel a step.
inline constexpr ScrollValue kColumns = ChartRaster::kWidth;  // HScroll1 maximum
inline constexpr ScrollValue kRows = ChartRaster::kHeight;  // VScroll1 maximum
inline constexpr Int16 kSpeedAtColumnZero = 2000;  // 1/min at scroll value 0
inline constexpr Int16 kSpeedPerColumn = 10;  // 1/min
inline constexpr double kPowerAtBottomRow = 5.0;  // kW on row kRows - 1
inline constexpr double kPowerSpan = 40.0;  // kW over the kRows rows

// Power in kW of a chart row: row 399 is 5.0 kW, row 0 is 44.9 kW.
inline double powerOfRow(double row) {
  return ((kRows - 1.0) - row) * (kPowerSpan / kRows) + kPowerAtBottomRow;
}
// The inverse: the chart row of a power, possibly fractional.
inline double rowOfPower(double power) {
  return (kRows - 1.0) - (power - kPowerAtBottomRow) * (kRows / kPowerSpan);
}
// HScroll1 value of a rotor speed, before rounding: one step per kSpeedPerColumn.
inline double scrollValueOfSpeed(double speedAboveStart) {
  return (static_cast<double>(kColumns) / (kColumns * kSpeedPerColumn)) * speedAboveStart;
}

// What a scroll bar's value stands for, so that a screen reader can say the speed or
// the power instead of a position: quantity = atZero + perStep × value.
struct BarQuantity {
  double atZero;
  double perStep;
  constexpr double of(double value) const { return atZero + perStep * value; }
};
inline constexpr BarQuantity kColumnSpeed{kSpeedAtColumnZero, kSpeedPerColumn};  // HScroll1, 1/min
inline constexpr BarQuantity kRowPower{kPowerAtBottomRow + kPowerSpan,
                                       -kPowerSpan / kRows};  // VScroll1, kW

inline constexpr Int16 kTopSpeed =
    kSpeedAtColumnZero + kSpeedPerColumn * kColumns;  // 1/min at HScroll1 = kColumns
inline constexpr double kTopPower = kRowPower.atZero;  // kW of the parked row above the chart

// What rounds onto a bar: from its end values' quantities, each widened by half a step.
struct Span {
  double low;
  double high;
};
inline constexpr Span kSpeedsOnChart{kColumnSpeed.of(0) - kSpeedPerColumn / 2.0,
                                     kColumnSpeed.of(kColumns) + kSpeedPerColumn / 2.0};
inline constexpr Span kPowersOnChart{kRowPower.of(kRows) - kPowerSpan / kRows / 2,
                                     kRowPower.of(0) + kPowerSpan / kRows / 2};

}  // namespace chart::scales
