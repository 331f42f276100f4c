// The three pictures beside the chart, read as stored bytes: the outline drawing, the window icon
// and the rotor picture. The readers that show them are strict about these headers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/embedded_chart.h"
#include "tests/support/bmp_file.h"

namespace {

const std::vector<std::uint8_t>& resource(const std::string& name) {
  static std::map<std::string, std::vector<std::uint8_t>> cache;
  auto found = cache.find(name);
  if (found == cache.end()) {
    found = cache.emplace(name, testsupport::readFileBytes(QNTE_RESOURCE_DIR "/" + name)).first;
  }
  return found->second;
}

std::uint32_t le(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
  }
  return value;
}

struct Field {
  const char* name;
  std::size_t offset;
  int size;
  std::uint32_t expected;
};

void expectFields(const std::vector<std::uint8_t>& bytes, const std::vector<Field>& fields) {
  for (const Field& field : fields) {
    SCOPED_TRACE(field.name);
    EXPECT_EQ(le(bytes, field.offset, field.size), field.expected);
  }
}

// Outline drawing: 560 x 400, 8 bits per pixel, every one of the 256 palette entries stored.
constexpr std::uint32_t kDrawingWidth = 560;
constexpr std::uint32_t kDrawingHeight = 400;
constexpr std::uint32_t kPaletteOffset = 14 + 40;
constexpr std::uint32_t kDrawingDataOffset = kPaletteOffset + 256 * 4;
constexpr std::uint32_t kDrawingImageSize = kDrawingWidth * kDrawingHeight;  // rows need no padding

TEST(OutlineDrawingFile, HeaderDescribesUncompressed8BitPictureWithFullPalette) {
  const auto& bytes = resource("outline_drawing.bmp");
  ASSERT_EQ(bytes.size(), kDrawingDataOffset + kDrawingImageSize)
      << "headers, palette and pixels, nothing more";
  expectFields(bytes,
               {
                   {"signature BM", 0, 2, 0x4D42},
                   {"file size matches the file", 2, 4, static_cast<std::uint32_t>(bytes.size())},
                   {"pixels start after the full palette", 10, 4, kDrawingDataOffset},
                   {"BITMAPINFOHEADER", 14, 4, 40},
                   {"width", 18, 4, kDrawingWidth},
                   {"height positive: rows stored bottom up", 22, 4, kDrawingHeight},
                   {"one plane", 26, 2, 1},
                   {"8 bits per pixel", 28, 2, 8},
                   {"BI_RGB: uncompressed", 30, 4, 0},
                   {"image size", 34, 4, kDrawingImageSize},
                   {"horizontal resolution", 38, 4, 2834},
                   {"vertical resolution", 42, 4, 2834},
                   {"256 palette entries", 46, 4, 256},
               });
}

TEST(OutlineDrawingFile, IsBlackLinesOnWhite) {
  const auto& bytes = resource("outline_drawing.bmp");
  ASSERT_EQ(bytes.size(), kDrawingDataOffset + kDrawingImageSize);
  std::size_t black = 0;
  std::size_t white = 0;
  for (std::size_t i = kDrawingDataOffset; i < bytes.size(); ++i) {
    const std::size_t entry = kPaletteOffset + 4u * bytes[i];
    const std::uint32_t bgr = le(bytes, entry, 3);
    if (bgr == 0x000000) {
      ++black;
    } else if (bgr == 0xFFFFFF) {
      ++white;
    } else {
      ADD_FAILURE() << "pixel " << (i - kDrawingDataOffset) << " is neither black nor white: 0x"
                    << std::hex << bgr;
      return;
    }
  }
  // A line drawing: mostly paper, but far from blank.
  EXPECT_GT(white, 8 * black);
  EXPECT_GT(black, kDrawingImageSize / 50);
}

// Window icon: one 32 x 32 image, 24-bit colour with its 1-bit AND mask.
constexpr std::size_t kIconImageOffset = 6 + 16;
constexpr std::uint32_t kIconColourBytes = 32 * 32 * 3;  // 96-byte rows need no padding
constexpr std::uint32_t kIconMaskBytes = 32 * 4;  // one bit a pixel, rows of 4 bytes
constexpr std::uint32_t kIconResourceSize = 40 + kIconColourBytes + kIconMaskBytes;

TEST(WindowIconFile, DirectoryAndBitmapHeaderDescribeOne24BitImageWithMask) {
  const auto& bytes = resource("window_icon.ico");
  ASSERT_EQ(bytes.size(), kIconImageOffset + kIconResourceSize)
      << "colour plane and mask, nothing more";
  expectFields(bytes, {
                          {"reserved", 0, 2, 0},
                          {"type icon", 2, 2, 1},
                          {"one image", 4, 2, 1},
                          {"entry width", 6, 1, 32},
                          {"entry height", 7, 1, 32},
                          {"no palette", 8, 1, 0},
                          {"entry planes", 10, 2, 1},
                          {"entry bits per pixel", 12, 2, 24},
                          {"entry size", 14, 4, kIconResourceSize},
                          {"entry offset", 18, 4, kIconImageOffset},
                          {"BITMAPINFOHEADER", kIconImageOffset, 4, 40},
                          {"width", kIconImageOffset + 4, 4, 32},
                          {"height counts colour plane and mask", kIconImageOffset + 8, 4, 64},
                          {"one plane", kIconImageOffset + 12, 2, 1},
                          {"24 bits per pixel", kIconImageOffset + 14, 2, 24},
                          {"BI_RGB", kIconImageOffset + 16, 4, 0},
                      });
}

TEST(WindowIconFile, MaskCutsTheCornersAndEveryMaskedPixelIsBlack) {
  const auto& bytes = resource("window_icon.ico");
  ASSERT_EQ(bytes.size(), kIconImageOffset + kIconResourceSize);
  const std::size_t colours = kIconImageOffset + 40;
  const std::size_t mask = colours + kIconColourBytes;
  // Rows are stored bottom up; x counts from the left.
  const auto transparent = [&](int x, int y) {
    const std::size_t row = mask + static_cast<std::size_t>(31 - y) * 4;
    return (bytes[row + static_cast<std::size_t>(x / 8)] & (0x80 >> (x % 8))) != 0;
  };
  const struct {
    const char* name;
    int x;
    int y;
    bool transparent;
  } cases[] = {
      {"top-left corner", 0, 0, true},     {"top-right corner", 31, 0, true},
      {"bottom-left corner", 0, 31, true}, {"bottom-right corner", 31, 31, true},
      {"centre", 16, 16, false},           {"middle of the left edge", 1, 16, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(transparent(c.x, c.y), c.transparent);
  }
  // Under the mask the colour plane must be black, or the screen behind shows through inverted.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (transparent(x, y)) {
        const std::size_t pixel = colours + static_cast<std::size_t>((31 - y) * 32 + x) * 3;
        EXPECT_EQ(le(bytes, pixel, 3), 0u) << "masked pixel " << x << ", " << y;
      }
    }
  }
}

// Rotor picture: GIF89a, logical screen 76 x 80, grey shades only.
TEST(RotorPictureFile, IsGif89aOf76By80WithGreyPalette) {
  const auto& bytes = resource("rotor.gif");
  ASSERT_GT(bytes.size(), 13u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
  expectFields(bytes, {
                          {"logical screen width", 6, 2, 76},
                          {"logical screen height", 8, 2, 80},
                      });
  const std::uint8_t packed = bytes[10];
  ASSERT_TRUE(packed & 0x80) << "global colour table present";
  const std::size_t entries = std::size_t{2} << (packed & 0x07);
  ASSERT_GE(bytes.size(), 13 + 3 * entries);
  bool hasWhite = false;
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t r = bytes[13 + 3 * i];
    const std::uint8_t g = bytes[14 + 3 * i];
    const std::uint8_t b = bytes[15 + 3 * i];
    EXPECT_TRUE(r == g && g == b) << "palette entry " << i << " is not grey";
    hasWhite = hasWhite || r == 255;
  }
  EXPECT_TRUE(hasWhite) << "the rotors stand on white";
}

}  // namespace

// Front ends without Qt's resources carry the chart compiled in; it must be the same picture.
TEST(EmbeddedChart, IsTheResourceFileByteForByte) {
  const auto file = testsupport::readFileBytes(QNTE_RESOURCE_DIR "/chart.bmp");
  const auto embedded = embedded::chartBmp();
  ASSERT_EQ(embedded.size(), file.size());
  EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), file.begin()));
  EXPECT_EQ(embedded::chartRaster().pixel(250, 200), testsupport::chartRaster().pixel(250, 200));
}
