#include "ico_writer.h"

#include <stdexcept>

namespace pictures {

namespace {

constexpr std::uint32_t kDirectorySize = 6 + 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t rowStride(std::uint32_t bits) { return (bits + 31) / 32 * 4; }

}  // namespace

Bytes encodeIco24(const RgbImage& image, const std::vector<bool>& transparent) {
  if (image.width <= 0 || image.width > 256 || image.height <= 0 || image.height > 256 ||
      transparent.size() != image.pixels.size()) {
    throw std::invalid_argument("icon size or mask does not fit");
  }
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t colourStride = rowStride(width * 24);
  const std::uint32_t maskStride = rowStride(width);
  const std::uint32_t imageSize = (colourStride + maskStride) * height;
  const std::uint32_t resourceSize = kInfoHeaderSize + imageSize;

  Bytes out;
  putU16(out, 0);  // reserved
  putU16(out, 1);  // icon, not cursor
  putU16(out, 1);  // one image
  // A dimension of 256 is stored as 0.
  out.push_back(static_cast<std::uint8_t>(width & 0xFFu));
  out.push_back(static_cast<std::uint8_t>(height & 0xFFu));
  out.push_back(0);  // no palette
  out.push_back(0);  // reserved
  putU16(out, 1);  // planes
  putU16(out, 24);  // bits per pixel
  putU32(out, resourceSize);
  putU32(out, kDirectorySize);

  putU32(out, kInfoHeaderSize);
  putI32(out, image.width);
  putI32(out, image.height * 2);  // colour image and mask stacked
  putU16(out, 1);
  putU16(out, 24);
  putU32(out, 0);  // BI_RGB
  putU32(out, imageSize);
  putI32(out, 0);
  putI32(out, 0);
  putU32(out, 0);
  putU32(out, 0);

  // Both planes are stored bottom row first; masked pixels are black so that XOR leaves the screen
  // alone.
  for (int y = image.height - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < image.width; ++x) {
      const bool hidden = transparent[static_cast<std::size_t>(y * image.width + x)];
      const Rgb p = hidden ? Rgb{0, 0, 0} : image.at(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
      written += 3;
    }
    out.insert(out.end(), colourStride - written, 0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (transparent[static_cast<std::size_t>(y * image.width + x)]) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace pictures
