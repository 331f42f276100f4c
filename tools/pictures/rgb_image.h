#pragma once

#include <cstdint>
#include <vector>

#include "byte_file.h"

namespace pictures {

struct Rgb {
  std::uint8_t r = 255;
  std::uint8_t g = 255;
  std::uint8_t b = 255;
  bool operator==(const Rgb&) const = default;
};

// A true-colour picture, rows from the top, white when created.
struct RgbImage {
  int width;
  int height;
  std::vector<Rgb> pixels;

  RgbImage(int w, int h)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}
  Rgb& at(int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  const Rgb& at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Binary PPM (P6): the hand-over format to ImageMagick for the formats we do not write ourselves.
Bytes encodePpm(const RgbImage& image);

}  // namespace pictures
