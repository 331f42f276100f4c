#include "resources/embedded_chart.h"

#include <stdexcept>
#include <vector>

#include "chart/bmp24.h"

namespace embedded {

#ifdef __EMSCRIPTEN__
std::span<const std::uint8_t> chartRuns();

namespace {

// The pixels from the runs of colour the browser's build carries (web/chart_runs.py).
std::vector<chart::Colour> decodeRuns(std::span<const std::uint8_t> bytes) {
  const auto fail = [] { throw std::invalid_argument("the chart's runs end early"); };
  std::size_t at = 0;
  const auto next = [&]() -> std::uint8_t {
    if (at >= bytes.size()) fail();
    return bytes[at++];
  };
  std::vector<chart::Colour> palette(next());
  for (chart::Colour& colour : palette) {
    const chart::Colour red = next(), green = next(), blue = next();
    colour = red | green << 8 | blue << 16;  // 0x00BBGGRR
  }
  std::vector<chart::Colour> pixels;
  pixels.reserve(static_cast<std::size_t>(chart::ChartRaster::kWidth) *
                 chart::ChartRaster::kHeight);
  while (at < bytes.size()) {
    const std::uint8_t index = next();
    if (index >= palette.size()) fail();
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
      const std::uint8_t part = next();
      length |= static_cast<std::size_t>(part & 0x7F) << shift;
      if ((part & 0x80) == 0) break;
    }
    pixels.insert(pixels.end(), length, palette[index]);
  }
  return pixels;
}

}  // namespace

const chart::ChartRaster& chartRaster() {
  static const chart::ChartRaster raster(decodeRuns(chartRuns()));
  return raster;
}
#else
const chart::ChartRaster& chartRaster() {
  static const chart::ChartRaster raster(chart::decodeBmp24(chartBmp()).pixels);
  return raster;
}
#endif

}  // namespace embedded
