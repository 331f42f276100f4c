#pragma once

#include <algorithm>
#include <cmath>

#include "chart/units.h"

namespace ui {

// The pixel whose cell contains a chart coordinate: the rule the core reads pixels by.
// Far-off values, NaN among them, land well outside any picture box.
inline int pixelCell(chart::ChartCoord coordinate) {
  constexpr double kFar = 100000;
  if (std::isnan(coordinate)) return static_cast<int>(-kFar);
  return static_cast<int>(std::clamp(std::floor(static_cast<double>(coordinate)), -kFar, kFar));
}

// The chart pixel under the pointer, as the whole coordinate of its cell. At fractional
// display scales the pointer's logical position has a fraction, which the core's mouse
// placement would round up into the next pixel; floored, it names the pixel drawn there.
// Non-finite positions are passed on as they are.
inline chart::ChartCoord pointerCell(double position) {
  return static_cast<chart::ChartCoord>(std::isfinite(position) ? std::floor(position) : position);
}

}  // namespace ui
