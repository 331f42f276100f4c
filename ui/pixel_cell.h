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

}  // namespace ui
