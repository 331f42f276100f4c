#pragma once

#include "chart/units.h"

namespace chart::scales {

inline constexpr ScrollValue kColumns = 500;  // HScroll1 maximum
inline constexpr ScrollValue kRows = 400;  // VScroll1 maximum
inline constexpr Int16 kSpeedAtColumnZero = 2000;  // 1/min at scroll value 0
inline constexpr Int16 kSpeedPerColumn = 10;  // 1/min

// Power in kW of a chart row: row 399 is 5.0 kW, row 0 is 44.9 kW.
inline double powerOfRow(double row) { return (399.0 - row) * (40.0 / 400.0) + 5.0; }
// The inverse: the chart row of a power, possibly fractional.
inline double rowOfPower(double power) { return 399.0 - (power - 5.0) * (400.0 / 40.0); }
// HScroll1 value of a rotor speed, before rounding: one step per 10 1/min.
inline double scrollValueOfSpeed(double speedAboveStart) { return (500.0 / 5000.0) * speedAboveStart; }

// What a scroll bar's value stands for, so that a screen reader can say the speed or
// the power instead of a position: quantity = atZero + perStep × value.
struct BarQuantity {
  double atZero;
  double perStep;
  double of(double value) const { return atZero + perStep * value; }
};
inline constexpr BarQuantity kColumnSpeed{2000.0, 10.0};  // HScroll1, 1/min
inline constexpr BarQuantity kRowPower{45.0, -0.1};  // VScroll1, kW: powerOfRow(value - 1)

}  // namespace chart::scales
