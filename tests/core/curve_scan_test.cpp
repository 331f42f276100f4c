#include "chart/curve_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace chart {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A white raster with a few marked pixels, each colour telling where it stands.
ChartRaster rasterWith(std::initializer_list<std::tuple<int, int, Colour>> marks) {
  std::vector<Colour> pixels(ChartRaster::kWidth * ChartRaster::kHeight, colours::kWhite);
  for (const auto& [x, y, colour] : marks) pixels[static_cast<std::size_t>(y * ChartRaster::kWidth + x)] = colour;
  return ChartRaster(std::move(pixels));
}

TEST(PixelRead, TakesTheCellThatContainsThePoint) {
  const ChartRaster raster = rasterWith({{0, 0, 1}, {499, 399, 2}, {10, 20, 3}});
  struct Case {
    float x, y;
    Colour expected;
  };
  const Case cases[] = {
      {0, 0, 1},         {0.99f, 0.99f, 1},  {499, 399, 2},  {499.999f, 399.5f, 2}, {10.5f, 20.7f, 3},
      {-0.001f, 0, -1},  {-1, 5, -1},        {500, 5, -1},   {5, -1, -1},           {5, 400, -1},
      {kNaN, 0, -1},     {0, kNaN, -1},      {kInf, 0, -1},  {-kInf, 0, -1},        {1e30f, 1e30f, -1},
      {-1e30f, 3, -1},   {5, 399.9999f, colours::kWhite},
  };
  for (const Case& c : cases) EXPECT_EQ(raster.pixel(c.x, c.y), c.expected) << c.x << ", " << c.y;
}

TEST(PixelRead, RefusesARasterOfTheWrongSize) {
  EXPECT_THROW(ChartRaster(std::vector<Colour>(10)), std::invalid_argument);
}

TEST(ScanCurveRow, KeepsTheRightmostPixelOfEachCurve) {
  const ChartRaster raster = rasterWith({
      {3, 7, colours::kBlue}, {4, 7, colours::kBlue}, {9, 7, colours::kGreen},
      {20, 7, colours::kMagenta}, {21, 7, colours::kRed},  // the two 7 bar colours share a slot
      {30, 7, colours::kLightTeal}, {31, 7, colours::kTeal}, {40, 7, colours::kGrey},
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

}  // namespace
}  // namespace chart
