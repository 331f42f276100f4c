// The chart picture the program carries: its file format, its exact pixel content, and that the
// generator in tools/ still draws it byte for byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/units.h"
#include "tests/support/bmp_file.h"
#include "tools/chart_raster/chart_drawing.h"

namespace {

using chart::Colour;
namespace colours = chart::colours;

constexpr int kWidth = 500;
constexpr int kHeight = 400;
constexpr std::size_t kFileLength = 600056;
constexpr int kLimitColumn = 428;

const std::vector<std::uint8_t>& fileBytes() {
  static const auto bytes = testsupport::readFileBytes(QNTE_RESOURCE_DIR "/chart.bmp");
  return bytes;
}

const testsupport::Bmp24& bitmap() {
  static const auto bmp = testsupport::decodeBmp24(fileBytes());
  return bmp;
}

Colour at(int x, int y) { return bitmap().pixels[static_cast<std::size_t>(y) * kWidth + x]; }

enum Curve { Bar13, Bar10, Bar7, Bar4 };
constexpr std::array<Curve, 4> kCurves{Bar13, Bar10, Bar7, Bar4};
constexpr std::array<const char*, 4> kCurveNames{"13 bar", "10 bar", "7 bar", "4 bar"};

std::optional<Curve> curveOf(Colour colour) {
  if (colour == colours::kBlue) return Bar13;
  if (colour == colours::kGreen) return Bar10;
  if (colour == colours::kRed || colour == colours::kMagenta) return Bar7;
  if (colour == colours::kTeal || colour == colours::kLightTeal) return Bar4;
  return std::nullopt;
}

bool isLimitColour(Colour colour) {
  return colour == colours::kMagenta || colour == colours::kLightTeal;
}

// Leftmost and rightmost pixel of one curve in one row.
struct Span {
  int left;
  int right;
};

std::optional<Span> spanOf(Curve curve, int y) {
  std::optional<Span> span;
  for (int x = 0; x < kWidth; ++x) {
    if (curveOf(at(x, y)) != curve) continue;
    if (!span) span = Span{x, x};
    span->right = x;
  }
  return span;
}

// What the row scan stores: the rightmost x of the curve, 0 where it is absent.
int slotOf(Curve curve, int y) {
  const auto span = spanOf(curve, y);
  return span ? span->right : 0;
}

std::string where(Curve curve, int y) {
  return std::string(kCurveNames[curve]) + ", row " + std::to_string(y);
}

TEST(ChartBitmap, HeaderDescribesA500By400BottomUp24BitPicture) {
  const auto& bytes = fileBytes();
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  const auto& bmp = bitmap();
  struct Field {
    const char* name;
    std::int64_t actual;
    std::int64_t expected;
  };
  const Field fields[] = {
      {"file size", bmp.fileSize, 600056},
      {"pixel data offset", bmp.dataOffset, 54},
      {"info header size", bmp.infoSize, 40},
      {"width", bmp.width, 500},
      {"height (positive: bottom-up)", bmp.height, 400},
      {"planes", bmp.planes, 1},
      {"bits per pixel", bmp.bitsPerPixel, 24},
      {"compression (none)", bmp.compression, 0},
      {"image size (the 400 rows of 1500 bytes)", bmp.imageSize, 600000},
      {"x pixels per metre", bmp.xPixelsPerMetre, 2834},
      {"y pixels per metre", bmp.yPixelsPerMetre, 2834},
      {"palette colours", bmp.coloursUsed, 0},
      {"important colours", bmp.importantColours, 0},
  };
  for (const Field& field : fields) EXPECT_EQ(field.actual, field.expected) << field.name;
}

TEST(ChartBitmap, EndsWithTwoZeroBytesAfterTheUnpaddedRows) {
  const auto& bytes = fileBytes();
  ASSERT_EQ(bytes.size(), kFileLength);
  EXPECT_EQ(54u + 400u * 1500u + 2u, kFileLength);
  EXPECT_EQ(bytes[kFileLength - 2], 0);
  EXPECT_EQ(bytes[kFileLength - 1], 0);
  // Bottom-up and blue-green-red: the first stored pixel is the bottom left corner of the frame.
  EXPECT_EQ(bytes[54], 0x76);
  EXPECT_EQ(at(0, kHeight - 1), colours::kGrey);
}

TEST(ChartBitmap, IsWhatTheGeneratorDraws) {
  // A difference here means the picture was edited by hand or the drawing code drifted.
  EXPECT_TRUE(pictures::drawChartRasterBmp() == fileBytes());
}

TEST(ChartRasterContent, HoldsExactlyEightColoursInTheirPixelCounts) {
  std::map<Colour, int> counts;
  for (Colour colour : bitmap().pixels) ++counts[colour];
  const std::map<Colour, int> expected{
      {colours::kWhite, 177529}, {colours::kGrey, 17400},    {colours::kBlue, 1042},
      {colours::kGreen, 1241},   {colours::kRed, 1214},      {colours::kMagenta, 226},
      {colours::kTeal, 1132},    {colours::kLightTeal, 216},
  };
  EXPECT_EQ(counts, expected);
}

TEST(ChartRasterContent, FrameAndGridAreGreyUnlessACurveCrossesThem) {
  const std::set<int> gridColumns{49,  50,  99,  100, 149, 150, 198, 199, 248,
                                  249, 298, 299, 348, 349, 398, 399, 448, 449};
  const std::set<int> gridRows{50, 51, 100, 101, 149, 150, 199, 200, 249, 250, 299, 300, 349, 350};
  int checked = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool frame = x == 0 || x >= 498 || y <= 1 || y == 399;
      if (!frame && !gridColumns.contains(x) && !gridRows.contains(y)) continue;
      ++checked;
      const Colour colour = at(x, y);
      EXPECT_TRUE(colour == colours::kGrey || curveOf(colour)) << x << ", " << y;
    }
  }
  EXPECT_GT(checked, 16000);
  EXPECT_EQ(at(0, 0), colours::kGrey);
}

TEST(ChartRasterContent, TicksRunAlongTheLeftAndBottomEdges) {
  struct Tick {
    int x0, y0, x1, y1;  // inclusive corners
  };
  const Tick ticks[] = {
      {1, 10, 9, 11},     {1, 20, 9, 21},     {1, 29, 9, 30},       {1, 40, 9, 41},
      {1, 59, 9, 60},     {1, 389, 9, 390},   {19, 390, 20, 398},   {29, 390, 30, 398},
      {39, 390, 40, 398}, {59, 390, 60, 398}, {487, 390, 488, 398},
  };
  for (const Tick& tick : ticks) {
    for (int y = tick.y0; y <= tick.y1; ++y) {
      for (int x = tick.x0; x <= tick.x1; ++x)
        EXPECT_EQ(at(x, y), colours::kGrey) << x << ", " << y;
    }
  }
}

// One cell of the table of telling rows: the curve's leftmost and rightmost pixel, and whether
// the rightmost has the limit colour. left < 0: the curve has no pixel in the row.
struct Cell {
  int left;
  int right;
  bool limit = false;
};
constexpr Cell kAbsent{-1, -1};

struct TellingRow {
  int y;
  std::array<Cell, 4> cells;  // 13, 10, 7, 4 bar
};

const TellingRow kTellingRows[] = {
    {0, {{{321, 323}, {396, 397}, {497, 499, true}, kAbsent}}},
    {25, {{{300, 302}, {375, 377}, {472, 474, true}, kAbsent}}},
    {49, {{{278, 281}, {353, 355}, {446, 449, true}, kAbsent}}},
    {67, {{{262, 264}, {336, 338}, {427, 429, true}, kAbsent}}},
    {68, {{{261, 263}, {335, 338}, {426, 428}, kAbsent}}},
    {75, {{{254, 256}, {328, 331}, {418, 420}, kAbsent}}},
    {99, {{{230, 233}, {304, 307}, {390, 393}, kAbsent}}},
    {102, {{{227, 230}, {301, 304}, {386, 389}, {498, 498, true}}}},
    {125, {{{203, 205}, {276, 279}, {358, 361}, {469, 472, true}}}},
    {149, {{{176, 179}, {249, 251}, {327, 330}, {437, 440, true}}}},
    {157, {{{167, 170}, {239, 242}, {317, 320}, {426, 429, true}}}},
    {158, {{{166, 169}, {238, 241}, {316, 319}, {424, 428}}}},
    {175, {{{146, 148}, {217, 220}, {292, 295}, {400, 404}}}},
    {199, {{{115, 118}, {185, 188}, {258, 261}, {365, 368}}}},
    {225, {{{80, 83}, {148, 151}, {219, 222}, {324, 328}}}},
    {249, {{{46, 49}, {110, 114}, {180, 183}, {284, 288}}}},
    {275, {{{5, 9}, {65, 69}, {135, 138}, {237, 241}}}},
    {280, {{{0, 1}, {56, 60}, {125, 129}, {227, 232}}}},
    {299, {{kAbsent, {19, 24}, {90, 94}, {190, 194}}}},
    {310, {{kAbsent, {0, 1}, {68, 72}, {167, 172}}}},
    {325, {{kAbsent, kAbsent, {37, 41}, {135, 140}}}},
    {343, {{kAbsent, kAbsent, {0, 1}, {93, 98}}}},
    {349, {{kAbsent, kAbsent, kAbsent, {78, 84}}}},
    {375, {{kAbsent, kAbsent, kAbsent, {10, 15}}}},
    {380, {{kAbsent, kAbsent, kAbsent, {0, 1}}}},
    {399, {{kAbsent, kAbsent, kAbsent, kAbsent}}},
};

TEST(ChartRasterContent, TellingRowsGiveEachCurvesEdgesAndLimitMark) {
  for (const TellingRow& row : kTellingRows) {
    for (Curve curve : kCurves) {
      const Cell& cell = row.cells[curve];
      const auto span = spanOf(curve, row.y);
      if (cell.left < 0) {
        EXPECT_FALSE(span) << where(curve, row.y);
        continue;
      }
      ASSERT_TRUE(span) << where(curve, row.y);
      EXPECT_EQ(span->left, cell.left) << where(curve, row.y);
      EXPECT_EQ(span->right, cell.right) << where(curve, row.y);
      EXPECT_EQ(isLimitColour(at(span->right, row.y)), cell.limit) << where(curve, row.y);
    }
  }
}

TEST(ChartRasterContent, EachCurveSpansItsRowsAndEndsInTheLimitColourOnlyWhereDue) {
  struct Rows {
    Curve curve;
    int first, last;  // rows with pixels of the curve
    int firstLimit, lastLimit;  // rows whose rightmost pixel has the limit colour; -1: none
  };
  const Rows table[] = {
      {Bar13, 0, 280, -1, -1},
      {Bar10, 0, 310, -1, -1},
      {Bar7, 0, 343, 0, 67},
      {Bar4, 102, 380, 102, 157},
  };
  for (const Rows& rows : table) {
    for (int y = 0; y < kHeight; ++y) {
      const auto span = spanOf(rows.curve, y);
      EXPECT_EQ(span.has_value(), y >= rows.first && y <= rows.last) << where(rows.curve, y);
      const bool limit = span && isLimitColour(at(span->right, y));
      EXPECT_EQ(limit, y >= rows.firstLimit && y <= rows.lastLimit) << where(rows.curve, y);
    }
  }
}

TEST(ChartRasterContent, BottomRowsHoldNoCurvePixel) {
  for (int y = 381; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) EXPECT_FALSE(curveOf(at(x, y))) << x << ", " << y;
  }
}

TEST(ChartRasterContent, RightmostPixelsLieInPressureOrderInEveryRow) {
  for (int y = 0; y < kHeight; ++y) {
    int previous = -1;
    for (Curve curve : kCurves) {
      const int slot = slotOf(curve, y);
      if (slot == 0) continue;
      EXPECT_GT(slot, previous) << where(curve, y);
      previous = slot;
    }
  }
}

TEST(ChartRasterContent, APresentCurveNeverEndsAtColumnZero) {
  for (int y = 0; y < kHeight; ++y) {
    for (Curve curve : kCurves) {
      const auto span = spanOf(curve, y);
      if (span) {
        EXPECT_GE(span->right, 1) << where(curve, y);
      }
    }
  }
}

TEST(ChartRasterContent, LimitColoursOnlyFromTheSpeedLimitColumnAtTheUpperRightEnds) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Colour colour = at(x, y);
      if (!isLimitColour(colour)) continue;
      EXPECT_GE(x, kLimitColumn) << x << ", " << y;
      // The limit segment is the end of its stroke: nothing of the ordinary colour to its right.
      const Colour ordinary = colour == colours::kMagenta ? colours::kRed : colours::kTeal;
      for (int right = x + 1; right < kWidth; ++right)
        EXPECT_NE(at(right, y), ordinary) << right << ", " << y;
    }
  }
}

// Rows pinned by the telling rows may be narrower than an ordinary stroke (a curve meeting an
// edge).
bool isTellingRow(int y) {
  for (const TellingRow& row : kTellingRows) {
    if (row.y == y) return true;
  }
  return false;
}

TEST(ChartRasterContent, CurvesAreSolidStrokesConnectedFromRowToRow) {
  for (Curve curve : kCurves) {
    std::optional<Span> above;
    for (int y = 0; y < kHeight; ++y) {
      const auto span = spanOf(curve, y);
      if (!span) continue;  // the row ranges are checked on their own
      for (int x = span->left; x <= span->right; ++x)
        EXPECT_EQ(curveOf(at(x, y)), curve) << x << ", " << y;
      const int width = span->right - span->left + 1;
      if (!isTellingRow(y)) {
        EXPECT_GE(width, 3) << where(curve, y);
        EXPECT_LE(width, 7) << where(curve, y);
      }
      // 8-connected: the runs of two neighbouring rows overlap or touch diagonally.
      if (above) {
        EXPECT_LE(span->left, above->right + 1) << where(curve, y);
        EXPECT_LE(above->left, span->right + 1) << where(curve, y);
      }
      above = span;
    }
  }
}

TEST(ChartRasterContent, SlotsThatTheReadingsRelyOn) {
  constexpr int kAny = -1;
  struct Case {
    const char* reason;
    int y;
    std::array<int, 4> slots;  // 13, 10, 7, 4 bar; 0 = absent, kAny = not pinned by this case
  };
  const Case cases[] = {
      {"top row: the 7 bar curve leaves at the corner", 0, {323, 397, 499, 0}},
      {"7 bar ends in magenta far right of x 300", 49, {281, 355, 449, 0}},
      {"last magenta row", 67, {264, 338, 429, 0}},
      {"first red end", 68, {263, 338, 428, 0}},
      {"no 4 bar curve; 11.0946 bar at x 300", 79, {253, 327, 416, 0}},
      {"4 bar in its limit segment beyond the 7 bar curve", 120, {kAny, kAny, 367, 478}},
      {"light teal ends the 4 bar curve", 156, {kAny, kAny, kAny, 430}},
      {"last light teal row", 157, {kAny, kAny, kAny, 429}},
      {"first teal end", 158, {kAny, kAny, kAny, 428}},
      {"all four curves", 199, {118, 188, 261, 368}},
      {"13 bar meets the left edge", 280, {1, kAny, kAny, kAny}},
      {"13 bar gone", 281, {0, 58, 128, 230}},
      {"10 bar gone", 329, {0, 0, 33, 131}},
      {"4 bar alone", 344, {0, 0, 0, 96}},
      {"no curve", 390, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    for (Curve curve : kCurves) {
      if (c.slots[curve] == kAny) continue;
      EXPECT_EQ(slotOf(curve, c.y), c.slots[curve]) << c.reason << ": " << where(curve, c.y);
    }
  }
  // 13 + (x - X13) * (10 - 13) / (X10 - X13) at x 300 in row 79 gives 11.0946.
  EXPECT_NEAR(13.0 - 3.0 * (300 - slotOf(Bar13, 79)) / (slotOf(Bar10, 79) - slotOf(Bar13, 79)),
              11.0946, 5e-5);
}

TEST(ChartRasterContent, LimitColourBoundariesSitAtTheSpeedLimitColumn) {
  struct Case {
    int x, y;
    Colour expected;
  };
  const Case cases[] = {
      {427, 67, colours::kRed},   {428, 67, colours::kMagenta},    {429, 67, colours::kMagenta},
      {428, 68, colours::kRed},   {449, 49, colours::kMagenta},    {499, 0, colours::kMagenta},
      {367, 120, colours::kRed},  {478, 120, colours::kLightTeal}, {498, 102, colours::kLightTeal},
      {427, 156, colours::kTeal}, {430, 156, colours::kLightTeal}, {429, 157, colours::kLightTeal},
      {428, 158, colours::kTeal},
  };
  for (const Case& c : cases) EXPECT_EQ(at(c.x, c.y), c.expected) << c.x << ", " << c.y;
}

}  // namespace
