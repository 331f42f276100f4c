#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "chart/bmp24.h"
#include "chart/chart_raster.h"

namespace testsupport {

using chart::Bmp24;
using chart::decodeBmp24;

std::vector<std::uint8_t> readFileBytes(const std::string& path);

// The chart raster the program carries, from resources/.
const chart::ChartRaster& chartRaster();

}  // namespace testsupport
