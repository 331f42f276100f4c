#pragma once

#include <vector>

#include "chart/chart_raster.h"
#include "chart/sheet.h"
#include "sheet/safe_file.h"

namespace sheet {

// Draws the sheet's items into a one-page A4 PDF, text as text and the chart as its own pixels.
// Returns false when the sink refused bytes or the drawing failed.
bool writeSheetPdf(const std::vector<chart::sheet::Item>& items, const chart::ChartRaster& raster,
                   const Sink& sink);

}  // namespace sheet
