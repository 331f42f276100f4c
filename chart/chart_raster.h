#pragma once

#include <optional>
#include <span>
#include <vector>

#include "chart/units.h"

namespace chart {

// The performance chart as a 500 x 400 grid of colours, read-only once built.
class ChartRaster {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 400;

  // Pixels row by row from the top-left corner; throws std::invalid_argument unless there
  // are exactly kWidth * kHeight of them.
  explicit ChartRaster(std::vector<Colour> pixels);

  // The colour at chart position (x, y), or colours::kOutside off the raster. A fractional
  // coordinate reads the pixel whose cell contains it; NaN and infinities lie outside.
  Colour pixel(ChartCoord x, ChartCoord y) const noexcept;

  // The row that a chart y falls into, by the same rule; empty outside the raster.
  std::optional<std::span<const Colour>> row(ChartCoord y) const noexcept;

  std::span<const Colour> pixels() const noexcept { return pixels_; }

 private:
  std::vector<Colour> pixels_;
};

// The one rule for turning a coordinate into a pixel index: the cell [i, i + 1) that
// contains it. Empty for NaN, infinities and anything outside 0..extent - 1.
std::optional<int> pixelIndex(ChartCoord coordinate, int extent) noexcept;

}  // namespace chart
