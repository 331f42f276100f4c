#include "chart/png_image.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace chart {
namespace {

std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (const char b : bytes) crc = table[(crc ^ static_cast<std::uint8_t>(b)) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void putBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void putChunk(std::string& out, std::string_view type, std::string_view data) {
  putBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::string body(type);
  body += data;
  out += body;
  putBigEndian(out, crc32(body));
}

// A zlib stream of stored blocks: no compression, so nothing to get wrong, and the page's
// few hundred kilobytes do not matter on paper.
std::string storedZlib(std::string_view data) {
  std::string out("\x78\x01", 2);
  constexpr std::size_t kMostStored = 65535;
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kMostStored, data.size() - at);
    const bool last = at + length == data.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>((~length >> 8) & 0xFF);
    out.append(data.substr(at, length));
    at += length;
  } while (at < data.size());
  std::uint32_t a = 1, b = 0;
  for (const char c : data) {
    a = (a + static_cast<std::uint8_t>(c)) % 65521;
    b = (b + a) % 65521;
  }
  putBigEndian(out, (b << 16) | a);
  return out;
}

std::array<char, 3> rgbOf(Colour colour) {
  const auto c = static_cast<std::uint32_t>(colour);  // 0x00BBGGRR
  return {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
          static_cast<char>((c >> 16) & 0xFF)};
}

}  // namespace

std::string pngOf(const ChartRaster& raster) {
  const std::span<const Colour> pixels = raster.pixels();
  std::map<Colour, std::uint8_t> palette;
  for (const Colour c : pixels) {
    if (palette.size() > 256) break;
    palette.emplace(c, 0);
  }
  const bool indexed = palette.size() <= 256;
  std::string plte;
  if (indexed) {
    std::uint8_t index = 0;
    for (auto& [colour, i] : palette) {
      i = index++;
      const auto rgb = rgbOf(colour);
      plte.append(rgb.begin(), rgb.end());
    }
  }
  std::string rows;
  for (int y = 0; y < ChartRaster::kHeight; ++y) {
    rows += '\0';  // no filter
    for (int x = 0; x < ChartRaster::kWidth; ++x) {
      const Colour c = pixels[static_cast<std::size_t>(y * ChartRaster::kWidth + x)];
      if (indexed) {
        rows += static_cast<char>(palette[c]);
      } else {
        const auto rgb = rgbOf(c);
        rows.append(rgb.begin(), rgb.end());
      }
    }
  }
  std::string header;
  putBigEndian(header, ChartRaster::kWidth);
  putBigEndian(header, ChartRaster::kHeight);
  header += '\x08';  // bits per sample
  header += indexed ? '\x03' : '\x02';  // palette or RGB
  header.append(3, '\0');  // deflate, adaptive filters, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  putChunk(png, "IHDR", header);
  if (indexed) putChunk(png, "PLTE", plte);
  putChunk(png, "IDAT", storedZlib(rows));
  putChunk(png, "IEND", {});
  return png;
}

std::string base64Of(std::string_view bytes) {
  static constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = static_cast<std::uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<std::uint8_t>(bytes[i + 2]);
    out += kDigits[(group >> 18) & 63];
    out += kDigits[(group >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return out;
}

}  // namespace chart
