#include "chart/chart_raster.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace chart {

std::optional<int> pixelIndex(ChartCoord coordinate, int extent) noexcept {
  // Written so that NaN fails the test too.
  if (!(coordinate >= 0.0f && coordinate < static_cast<ChartCoord>(extent))) return std::nullopt;
  return static_cast<int>(std::floor(coordinate));
}

ChartRaster::ChartRaster(std::vector<Colour> pixels) : pixels_(std::move(pixels)) {
  if (pixels_.size() != static_cast<std::size_t>(kWidth) * kHeight) {
    throw std::invalid_argument("a chart raster has " + std::to_string(kWidth) + " x " +
                                std::to_string(kHeight) + " pixels");
  }
}

Colour ChartRaster::pixel(ChartCoord x, ChartCoord y) const noexcept {
  const auto column = pixelIndex(x, kWidth);
  const auto line = pixelIndex(y, kHeight);
  if (!column || !line) return colours::kOutside;
  return pixels_[static_cast<std::size_t>(*line) * kWidth + static_cast<std::size_t>(*column)];
}

std::optional<std::span<const Colour>> ChartRaster::row(ChartCoord y) const noexcept {
  const auto line = pixelIndex(y, kHeight);
  if (!line) return std::nullopt;
  return std::span<const Colour>(pixels_).subspan(static_cast<std::size_t>(*line) * kWidth, kWidth);
}

}  // namespace chart
