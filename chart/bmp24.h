#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "chart/units.h"

namespace chart {

// A 24-bit Windows bitmap as stored: every header field and the pixels, top row first.
struct Bmp24 {
  std::uint32_t fileSize = 0;
  std::uint32_t dataOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::int32_t xPixelsPerMetre = 0;
  std::int32_t yPixelsPerMetre = 0;
  std::uint32_t coloursUsed = 0;
  std::uint32_t importantColours = 0;
  std::vector<chart::Colour> pixels;  // 0x00BBGGRR, row by row from the top
};

// Throws std::runtime_error for anything but an uncompressed 24-bit bitmap that fits its bytes.
Bmp24 decodeBmp24(std::span<const std::uint8_t> bytes);

}  // namespace chart
