#pragma once

#include <cstdint>
#include <vector>

#include "chart/units.h"

namespace pictures {

// The performance chart, 500 x 400 pixels row by row from the top: frame, grid, ticks and the
// four pressure curves in their exact colours and pixel budgets.
std::vector<chart::Colour> drawChartPixels();

// The same chart as the 24-bit Windows bitmap that the program carries.
std::vector<std::uint8_t> drawChartRasterBmp();

}  // namespace pictures
