#include "resources/embedded_chart.h"

#include "chart/bmp24.h"

namespace embedded {

const chart::ChartRaster& chartRaster() {
  static const chart::ChartRaster raster(chart::decodeBmp24(chartBmp()).pixels);
  return raster;
}

}  // namespace embedded
