#pragma once

#include <array>

#include "chart/chart_raster.h"
#include "chart/chart_state.h"

namespace chart {

enum class Curve { Bar13, Bar10, Bar7, Bar4 };

struct CurveColour {
  Colour colour;
  Curve curve;
};

// The exact colours that identify the curves, in the order they are tested.
inline constexpr std::array<CurveColour, 6> CurveColourTable{{
    {colours::kBlue, Curve::Bar13},
    {colours::kGreen, Curve::Bar10},
    {colours::kRed, Curve::Bar7},
    {colours::kMagenta, Curve::Bar7},
    {colours::kTeal, Curve::Bar4},
    {colours::kLightTeal, Curve::Bar4},
}};

ChartCoord& curveSlot(ChartState& state, Curve curve) noexcept;

// Finds the rightmost pixel of each curve in one chart row and stores its x in the curve
// slots of the state (0 where the curve is absent). A row off the raster finds nothing.
void ScanCurveRow(const ChartRaster& raster, ChartCoord row, ChartState& state) noexcept;

}  // namespace chart
