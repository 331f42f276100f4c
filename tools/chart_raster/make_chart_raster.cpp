// Writes the performance chart bitmap: make_chart_raster <path to chart.bmp>
#include <exception>
#include <iostream>

#include "byte_file.h"
#include "chart_drawing.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_chart_raster <chart.bmp>\n";
    return 2;
  }
  try {
    pictures::writeBytes(argv[1], pictures::drawChartRasterBmp());
  } catch (const std::exception& error) {
    std::cerr << "make_chart_raster: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
