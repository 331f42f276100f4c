#include "tests/support/bmp_file.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const chart::ChartRaster& chartRaster() {
  static const chart::ChartRaster raster = [] {
    const auto bytes = readFileBytes(QNTE_RESOURCE_DIR "/chart.bmp");
    return chart::ChartRaster(decodeBmp24(bytes).pixels);
  }();
  return raster;
}

}  // namespace testsupport
