#include "bmp_writer.h"

#include <stdexcept>

namespace pictures {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 256 * 4;

}  // namespace

Palette greyPalette() {
  Palette palette;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    palette[i] = {level, level, level};
  }
  return palette;
}

Bytes encodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const Palette& palette, std::int32_t pixelsPerMetre) {
  if (width <= 0 || height <= 0 ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("bitmap size does not match its pixels");
  }
  const auto stride = (static_cast<std::uint32_t>(width) + 3u) / 4u * 4u;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;

  Bytes out;
  out.push_back('B');
  out.push_back('M');
  putU32(out, dataOffset + imageSize);
  putU32(out, 0);  // reserved
  putU32(out, dataOffset);

  putU32(out, kInfoHeaderSize);
  putI32(out, width);
  putI32(out, height);  // positive: rows stored bottom first
  putU16(out, 1);  // planes
  putU16(out, 8);  // bits per pixel
  putU32(out, 0);  // BI_RGB
  putU32(out, imageSize);
  putI32(out, pixelsPerMetre);
  putI32(out, pixelsPerMetre);
  putU32(out, 256);  // colours used
  putU32(out, 0);  // all colours important

  for (const Rgb& entry : palette) {
    out.push_back(entry.b);
    out.push_back(entry.g);
    out.push_back(entry.r);
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const auto row = indices.begin() + static_cast<std::ptrdiff_t>(y) * width;
    out.insert(out.end(), row, row + width);
    out.insert(out.end(), stride - static_cast<std::uint32_t>(width), 0);
  }
  return out;
}

}  // namespace pictures
