#include "chart/curve_scan.h"

#include <algorithm>

namespace chart {

static_assert(std::none_of(CurveColourTable.begin(), CurveColourTable.end(),
                           [](const CurveColour& entry) {
                             return entry.colour == colours::kWhite;
                           }),
              "the row scan passes white by without looking it up");

ChartCoord& curveSlot(ChartState& state, Curve curve) noexcept {
  switch (curve) {
    case Curve::Bar13:
      return state.CurveX13;
    case Curve::Bar10:
      return state.CurveX10;
    case Curve::Bar7:
      return state.CurveX7;
    case Curve::Bar4:
      break;
  }
  return state.CurveX4;
}

void ScanCurveRow(const ChartRaster& raster, ChartCoord row, ChartState& state) noexcept {
  state.CurveX13 = 0;
  state.CurveX10 = 0;
  state.CurveX7 = 0;
  state.CurveX4 = 0;
  const auto pixels = raster.row(row);
  if (!pixels) {
    state.PixelColour = colours::kOutside;
    return;
  }
  // The chart's white ground is most of every row and never a curve: the standard library's
  // search, which it unrolls, passes it to the next other colour.
  const auto notWhite = [](Colour colour) { return colour != colours::kWhite; };
  for (auto it = std::find_if(pixels->begin(), pixels->end(), notWhite); it != pixels->end();
       it = std::find_if(it + 1, pixels->end(), notWhite)) {
    for (const CurveColour& entry : CurveColourTable) {
      if (entry.colour == *it) {
        curveSlot(state, entry.curve) = static_cast<ChartCoord>(it - pixels->begin());
        break;
      }
    }
  }
  state.PixelColour = (*pixels)[ChartRaster::kWidth - 1];
}

}  // namespace chart
