#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "chart/checked.h"
#include "tests/support/core_harness.h"

namespace chart {
namespace {

using testsupport::CoreHarness;
using enum TextControl;
using enum CrossHairLine;
using enum LineEnd;
using mouse::kAlt;
using mouse::kCtrl;
using mouse::kLeft;
using mouse::kMiddle;
using mouse::kRight;
using mouse::kShift;

TEST(Load, ParksTheCrossHairOffTheChartWithoutReading) {
  CoreHarness core;
  const auto& c = core.controls;
  EXPECT_EQ(c.scrollMaximum(ScrollBar::HScroll1), 500);
  EXPECT_EQ(c.scrollMaximum(ScrollBar::VScroll1), 400);
  EXPECT_EQ(c.scrollValue(ScrollBar::HScroll1), 0);
  EXPECT_EQ(c.lineEnd(Line1, X1), -1);
  EXPECT_EQ(c.lineEnd(Line1, X2), -1);
  EXPECT_EQ(c.lineEnd(Line2, Y1), -1);
  EXPECT_EQ(c.markerLeft(), -9);
  EXPECT_EQ(c.markerTop(), -9);
  EXPECT_EQ(c.line1Hides, 0);
  EXPECT_EQ(core.text(Label4), "");
  EXPECT_EQ(core.text(Text1), "");
  EXPECT_EQ(core.text(Label21), "@ 7 bar");
}

TEST(HorizontalChange, MovesLineMarkerAndSpeed) {
  struct Case {
    ScrollValue value;
    float column;
    const char* speed;
    float markerLeft;
  };
  const Case cases[] = {
      {1, 0, "2010", -4}, {500, 499, "7000", 495}, {0, -1, "2000", -5}, {300, 299, "5000", 295}};
  CoreHarness core;
  for (const Case& c : cases) {
    core.controls.setScrollValue(ScrollBar::HScroll1, c.value);
    EXPECT_EQ(core.controls.lineEnd(Line1, X1), c.column);
    EXPECT_EQ(core.controls.lineEnd(Line1, X2), c.column);
    EXPECT_EQ(core.text(Label4), c.speed);
    EXPECT_EQ(core.logic.state().RotorSpeed, std::stoi(c.speed));
    EXPECT_EQ(core.controls.markerLeft(), c.markerLeft);
    EXPECT_TRUE(core.controls.lineVisible(Line1));
    EXPECT_TRUE(core.controls.lineVisible(Line2));
  }
}

TEST(VerticalChange, MovesLineMarkerAndPower) {
  struct Case {
    ScrollValue value;
    float row;
    const char* power;
  };
  const Case cases[] = {
      {400, 399, "5.0"}, {1, 0, "44.9"}, {0, -1, "45.0"}, {150, 149, "30.0"}, {350, 349, "10.0"}};
  CoreHarness core;
  for (const Case& c : cases) {
    core.controls.setScrollValue(ScrollBar::VScroll1, c.value);
    EXPECT_EQ(core.controls.lineEnd(Line2, Y1), c.row);
    EXPECT_EQ(core.controls.lineEnd(Line2, Y2), c.row);
    EXPECT_EQ(core.controls.markerTop(), c.row - 4);
    EXPECT_EQ(core.text(Text1), c.power);
  }
}

TEST(ScrollBars, RunOneReadingPerEffectiveChangeOnly) {
  CoreHarness core;
  core.controls.setScrollValue(ScrollBar::HScroll1, 10);
  EXPECT_EQ(core.controls.line1Hides, 1);
  core.controls.setScrollValue(ScrollBar::HScroll1, 10);
  EXPECT_EQ(core.controls.line1Hides, 1);
  EXPECT_THROW(core.controls.setScrollValue(ScrollBar::HScroll1, 501), ChartError);
  EXPECT_THROW(core.controls.setScrollValue(ScrollBar::VScroll1, -1), ChartError);
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1), 10);
  EXPECT_EQ(core.controls.line1Hides, 1);
}

TEST(Mouse, ClickPlacesTheCrossHairOnThePixel) {
  struct Case {
    float x, y;
    ScrollValue h, v;
    int readings;
  };
  const Case cases[] = {
      {0, 0, 1, 1, 2},
      {499, 399, 500, 400, 2},
      {499, 399, 500, 400, 0},  // same pixel again
      {520, 100, 500, 101, 1},
      {-3, 1e9f, 500, 101, 0},
      {10.5f, 0.5f, 12, 2, 2},  // halves to even
      {11.5f, 2.5f, 12, 4, 1},
      {498.6f, 398.6f, 500, 400, 2},
      {499.4f, 5, 500, 6, 1},
      {std::numeric_limits<float>::quiet_NaN(), 7, 500, 8, 1},
      {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(), 500, 8, 0},
  };
  CoreHarness core;
  for (const Case& c : cases) {
    const int before = core.controls.line1Hides;
    core.logic.Picture1_MouseDown(kMiddle, kAlt, c.x, c.y);
    EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1), c.h) << c.x << ", " << c.y;
    EXPECT_EQ(core.controls.scrollValue(ScrollBar::VScroll1), c.v) << c.x << ", " << c.y;
    EXPECT_EQ(core.controls.line1Hides - before, c.readings) << c.x << ", " << c.y;
  }
}

TEST(Mouse, BothAxesMoveColumnFirst) {
  CoreHarness core;
  core.logic.Picture1_MouseDown(kLeft, 0, 299, 199);
  // The second reading sees both values; the first saw the row still parked.
  EXPECT_EQ(core.controls.line1Hides, 2);
  EXPECT_EQ(core.text(Text2), "5.9");
  EXPECT_EQ(core.text(Label4), "5000");
  EXPECT_EQ(core.text(Text1), "25.0");
}

TEST(Mouse, DragFollowsOnlyRightOrModifiedLeft) {
  struct Case {
    Int16 button, shift;
    bool follows;
  };
  const Case cases[] = {
      {kRight, 0, true},    {kRight, kCtrl, true},      {kLeft, kShift, true},
      {kLeft, kCtrl, true}, {kLeft, kAlt, true},        {kLeft, kShift | kAlt, true},
      {kLeft, 0, false},    {kLeft | kRight, 0, false}, {kLeft | kRight, kCtrl, false},
      {kMiddle, 0, false},  {kMiddle, kShift, false},   {0, 0, false},
      {0, kCtrl, false},
  };
  for (const Case& c : cases) {
    CoreHarness core;
    core.logic.Picture1_MouseMove(c.button, c.shift, 100, 100);
    EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1) == 101, c.follows)
        << c.button << "/" << c.shift;
  }
}

}  // namespace
}  // namespace chart
