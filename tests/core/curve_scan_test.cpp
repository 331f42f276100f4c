#include "chart/curve_scan.h"

#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bmp_file.h"

namespace chart {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A white raster with a few marked pixels, each colour telling where it stands.
ChartRaster rasterWith(std::initializer_list<std::tuple<int, int, Colour>> marks) {
  std::vector<Colour> pixels(ChartRaster::kWidth * ChartRaster::kHeight, colours::kWhite);
  for (const auto& [x, y, colour] : marks)
    pixels[static_cast<std::size_t>(y * ChartRaster::kWidth + x)] = colour;
  return ChartRaster(std::move(pixels));
}

TEST(PixelRead, TakesTheCellThatContainsThePoint) {
  const ChartRaster raster = rasterWith({{0, 0, 1}, {499, 399, 2}, {10, 20, 3}});
  struct Case {
    float x, y;
    Colour expected;
  };
  const Case cases[] = {
      {0, 0, 1},
      {0.99f, 0.99f, 1},
      {499, 399, 2},
      {499.999f, 399.5f, 2},
      {10.5f, 20.7f, 3},
      {-0.001f, 0, -1},
      {-1, 5, -1},
      {500, 5, -1},
      {5, -1, -1},
      {5, 400, -1},
      {kNaN, 0, -1},
      {0, kNaN, -1},
      {kInf, 0, -1},
      {-kInf, 0, -1},
      {1e30f, 1e30f, -1},
      {-1e30f, 3, -1},
      {5, 399.9999f, colours::kWhite},
  };
  for (const Case& c : cases) EXPECT_EQ(raster.pixel(c.x, c.y), c.expected) << c.x << ", " << c.y;
}

TEST(PixelRead, RefusesARasterOfTheWrongSize) {
  EXPECT_THROW(ChartRaster(std::vector<Colour>(10)), std::invalid_argument);
}

TEST(ScanCurveRow, KeepsTheRightmostPixelOfEachCurve) {
  const ChartRaster raster = rasterWith({
      {3, 7, colours::kBlue},
      {4, 7, colours::kBlue},
      {9, 7, colours::kGreen},
      {20, 7, colours::kMagenta},
      {21, 7, colours::kRed},  // the two 7 bar colours share a slot
      {30, 7, colours::kLightTeal},
      {31, 7, colours::kTeal},
      {40, 7, colours::kGrey},
      {499, 7, colours::kGrey},
  });
  ChartState state;
  ScanCurveRow(raster, 7, state);
  EXPECT_EQ(state.CurveX13, 4);
  EXPECT_EQ(state.CurveX10, 9);
  EXPECT_EQ(state.CurveX7, 21);
  EXPECT_EQ(state.CurveX4, 31);
  EXPECT_EQ(state.PixelColour, colours::kGrey);
}

TEST(ScanCurveRow, TreatsAPixelAtColumnZeroAsAbsent) {
  const ChartRaster raster = rasterWith({{0, 5, colours::kBlue}});
  ChartState state;
  ScanCurveRow(raster, 5, state);
  EXPECT_EQ(state.CurveX13, 0);
}

TEST(ScanCurveRow, ClearsTheSlotsOfTheRowBefore) {
  const ChartRaster raster = rasterWith({{50, 1, colours::kTeal}, {60, 2, colours::kBlue}});
  ChartState state;
  ScanCurveRow(raster, 1, state);
  EXPECT_EQ(state.CurveX4, 50);
  ScanCurveRow(raster, 2, state);
  EXPECT_EQ(state.CurveX4, 0);
  EXPECT_EQ(state.CurveX13, 60);
}

TEST(ScanCurveRow, ReadsAFractionalRowByTheCellRule) {
  const ChartRaster raster = rasterWith({{50, 248, colours::kTeal}, {60, 249, colours::kTeal}});
  ChartState state;
  ScanCurveRow(raster, 248.5f, state);
  EXPECT_EQ(state.CurveX4, 50);
  ScanCurveRow(raster, 248.9999f, state);
  EXPECT_EQ(state.CurveX4, 50);
}

TEST(ScanCurveRow, FindsNothingOffTheRaster) {
  const ChartRaster raster = rasterWith({{50, 0, colours::kBlue}, {50, 399, colours::kBlue}});
  for (const float row : {-1.0f, -0.5f, 400.0f, 449.0f, kNaN, kInf, -kInf, 1e9f}) {
    ChartState state;
    state.CurveX13 = 7;
    ScanCurveRow(raster, row, state);
    EXPECT_EQ(state.CurveX13, 0) << row;
    EXPECT_EQ(state.PixelColour, colours::kOutside) << row;
  }
}

// The scan as first described: every pixel looked up in the table, the first match decides,
// a later match overwrites an earlier one.
std::array<ChartCoord, 4> plainWalk(const ChartRaster& raster, int row) {
  std::array<ChartCoord, 4> slots{};
  for (int x = 0; x < ChartRaster::kWidth; ++x) {
    const Colour colour = raster.pixel(static_cast<ChartCoord>(x), static_cast<ChartCoord>(row));
    for (const CurveColour& entry : CurveColourTable) {
      if (entry.colour == colour) {
        slots[static_cast<std::size_t>(entry.curve)] = static_cast<ChartCoord>(x);
        break;
      }
    }
  }
  return slots;
}

// Curve colours strewn over every row, touching each other, at both edges and in runs of
// either colour of the 7 and 4 bar curves, beside near misses that differ in one bit.
ChartRaster strewnRaster() {
  std::mt19937 random(418);
  const Colour nearMisses[] = {colours::kBlue ^ 1, colours::kGreen ^ 0x100,
                               colours::kTeal ^ 0x10000, colours::kGrey};
  std::vector<Colour> pixels(ChartRaster::kWidth * ChartRaster::kHeight, colours::kWhite);
  for (Colour& pixel : pixels) {
    const auto pick = random() % 16;
    if (pick < CurveColourTable.size()) pixel = CurveColourTable[pick].colour;
    else if (pick < CurveColourTable.size() + std::size(nearMisses))
      pixel = nearMisses[pick - CurveColourTable.size()];
  }
  return ChartRaster(std::move(pixels));
}

TEST(ScanCurveRow, AgreesWithThePlainWalkOnEveryRow) {
  const std::pair<const char*, ChartRaster> rasters[] = {
      {"chart", testsupport::chartRaster()},
      {"strewn", strewnRaster()},
      {"sparse", rasterWith({{0, 3, colours::kRed},
                             {499, 3, colours::kMagenta},
                             {1, 4, colours::kLightTeal},
                             {2, 4, colours::kTeal},
                             {498, 5, colours::kBlue},
                             {499, 5, colours::kGreen}})},
  };
  for (const auto& [name, raster] : rasters) {
    for (int row = 0; row < ChartRaster::kHeight; ++row) {
      ChartState state;
      ScanCurveRow(raster, static_cast<ChartCoord>(row), state);
      const std::array<ChartCoord, 4> scanned{state.CurveX13, state.CurveX10, state.CurveX7,
                                              state.CurveX4};
      ASSERT_EQ(scanned, plainWalk(raster, row)) << name << " row " << row;
      ASSERT_EQ(state.PixelColour, raster.pixel(499, static_cast<ChartCoord>(row)))
          << name << " row " << row;
    }
  }
}

}  // namespace
}  // namespace chart
