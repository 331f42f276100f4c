#pragma once

#include <string>

#include "chart/chart_raster.h"

namespace chart {

// The chart raster as a PNG file's bytes, losslessly, with a palette of its few colours; a
// raster of more than 256 colours is written in full colour.
std::string pngOf(const ChartRaster& raster);

// Bytes as base64, for a data URL.
std::string base64Of(std::string_view bytes);

}  // namespace chart
