#pragma once

#include <cstdint>
#include <span>

#include "chart/chart_raster.h"

namespace embedded {

// The chart picture's file bytes as carried in the executable.
std::span<const std::uint8_t> chartBmp();

// The chart raster decoded once from those bytes.
const chart::ChartRaster& chartRaster();

}  // namespace embedded
