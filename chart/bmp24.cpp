#include "chart/bmp24.h"

#include <stdexcept>

namespace chart {
namespace {

std::uint32_t le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

Bmp24 decodeBmp24(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
    throw std::runtime_error("not a bitmap");
  Bmp24 bmp;
  bmp.fileSize = le32(bytes, 2);
  bmp.dataOffset = le32(bytes, 10);
  bmp.infoSize = le32(bytes, 14);
  bmp.width = static_cast<std::int32_t>(le32(bytes, 18));
  bmp.height = static_cast<std::int32_t>(le32(bytes, 22));
  bmp.planes = le16(bytes, 26);
  bmp.bitsPerPixel = le16(bytes, 28);
  bmp.compression = le32(bytes, 30);
  bmp.imageSize = le32(bytes, 34);
  bmp.xPixelsPerMetre = static_cast<std::int32_t>(le32(bytes, 38));
  bmp.yPixelsPerMetre = static_cast<std::int32_t>(le32(bytes, 42));
  bmp.coloursUsed = le32(bytes, 46);
  bmp.importantColours = le32(bytes, 50);
  if (bmp.bitsPerPixel != 24 || bmp.compression != 0 || bmp.width <= 0 || bmp.height == 0) {
    throw std::runtime_error("not an uncompressed 24-bit bitmap");
  }
  const auto width = static_cast<std::size_t>(bmp.width);
  const auto height = static_cast<std::size_t>(
      bmp.height < 0 ? -static_cast<std::int64_t>(bmp.height) : bmp.height);
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  if (bmp.dataOffset > bytes.size() || (bytes.size() - bmp.dataOffset) / stride < height) {
    throw std::runtime_error("bitmap shorter than its pixels");
  }
  bmp.pixels.resize(width * height);
  for (std::size_t stored = 0; stored < height; ++stored) {
    const std::size_t row = bmp.height > 0 ? height - 1 - stored : stored;
    const std::size_t at = bmp.dataOffset + stored * stride;
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t p = at + x * 3;
      bmp.pixels[row * width + x] = static_cast<Colour>(
          std::uint32_t{bytes[p]} << 16 | std::uint32_t{bytes[p + 1]} << 8 | bytes[p + 2]);
    }
  }
  return bmp;
}

}  // namespace chart
