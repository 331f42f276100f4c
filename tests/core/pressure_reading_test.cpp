#include "chart/pressure_reading.h"

#include <string>

#include <gtest/gtest.h>

#include "chart/checked.h"
#include "tests/support/core_harness.h"

namespace chart {
namespace {

using testsupport::CoreHarness;
using enum TextControl;

struct Reading {
  const char* why;
  ScrollValue h;
  ScrollValue v;
  float pressure;
  const char* pressureText;
  bool powerAndSpeedRed;
  bool pressureRed;
  const char* pressureClass;
};

void PrintTo(const Reading& c, std::ostream* out) { *out << c.why; }

class PressureAtCrossHair : public ::testing::TestWithParam<Reading> {};

TEST_P(PressureAtCrossHair, ReadsAndMarksAsTheChartSays) {
  const Reading& r = GetParam();
  CoreHarness core;
  core.scrollTo(r.h, r.v);
  EXPECT_FLOAT_EQ(core.logic.state().Pressure, r.pressure);
  EXPECT_EQ(core.text(Text2), r.pressureText);
  EXPECT_EQ(core.red(Text1), r.powerAndSpeedRed);
  EXPECT_EQ(core.red(Label4), r.powerAndSpeedRed);
  EXPECT_EQ(core.red(Text2), r.pressureRed);
  EXPECT_EQ(core.red(Label20), r.pressureRed);
  EXPECT_EQ(core.text(Label21), r.pressureClass);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeRows, PressureAtCrossHair,
    ::testing::Values(
        Reading{"between_7_and_4_bar", 300, 200, 635.0f / 107, "5.9", false, false, "@ 4 bar"},
        Reading{"on_the_7_bar_curve", 262, 200, 7, "7.0", false, false, "@ 7 bar"},
        Reading{"on_the_4_bar_curve", 369, 200, 4, "4.0", false, false, "@ 4 bar"},
        Reading{"on_the_10_bar_curve", 189, 200, 10, "10.0", false, false, "@ 10 bar"},
        Reading{"on_the_13_bar_curve", 119, 200, 13, "13.0", false, false, "@ 13 bar"},
        Reading{"left_of_13_bar", 50, 200, 13, "13.0", false, true, "@ 13 bar"},
        Reading{"right_of_4_bar", 400, 200, 4, "4.0", false, true, "@ 4 bar"},
        Reading{"magenta_row_flags_far_left", 301, 50, 905.0f / 74, "12.2", true, false,
                "@ 10 bar"},
        Reading{"no_4_bar_curve_right_of_7", 471, 80, 4, "4.0", true, true, "@ 4 bar"},
        Reading{"no_4_bar_curve_left_of_7", 301, 80, 821.0f / 74, "11.1", false, false, "@ 10 bar"},
        Reading{"light_teal_right_of_7_bar", 380, 121, 741.0f / 111, "6.7", true, false, "@ 7 bar"},
        Reading{"light_teal_row_left_of_7_bar", 368, 121, 7, "7.0", false, false, "@ 7 bar"},
        Reading{"absent_curves_column_zero", 1, 330, 13, "13.0", false, false, "@ 13 bar"},
        Reading{"absent_10_bar_counts_as_column_zero", 2, 330, 327.0f / 33, "9.9", false, false,
                "@ 7 bar"},
        Reading{"only_4_bar_in_row", 2, 345, 7, "7.0", true, true, "@ 7 bar"},
        Reading{"only_4_bar_far_right", 500, 345, 7, "7.0", true, true, "@ 7 bar"},
        Reading{"no_curve_in_row", 2, 391, 7, "7.0", true, true, "@ 7 bar"},
        Reading{"no_curve_column_zero", 1, 391, 13, "13.0", false, false, "@ 13 bar"},
        Reading{"parked_row_off_chart", 250, 0, 7, "7.0", true, true, "@ 7 bar"}),
    [](const auto& info) { return std::string(info.param.why); });

TEST(PressureAtCrossHair, RedReadOutsSayWhyInWords) {
  struct Case {
    ScrollValue h, v;
    const char* speedAndPower;
    const char* pressure;
  };
  const Case cases[] = {
      {301, 50, "above the speed limit of the 7 bar curve", ""},
      {471, 50, "above the speed limit of the 7 bar curve; beyond the last curve of this power",
       "beyond the last curve of this power"},
      {380, 121, "above the speed limit of the 4 bar curve", ""},
      {490, 121, "above the speed limit of the 4 bar curve",
       "right of the 4 bar curve: below 4 bar"},
      {400, 200, "", "right of the 4 bar curve: below 4 bar"},
      {50, 200, "", "left of the 13 bar curve: above 13 bar"},
      {2, 345, "beyond the last curve of this power", "beyond the last curve of this power"},
      {300, 200, "", ""},
  };
  CoreHarness core;
  for (const Case& c : cases) {
    core.scrollTo(c.h, c.v);
    EXPECT_EQ(core.controls.warning(Text1), c.speedAndPower) << c.h << "/" << c.v;
    EXPECT_EQ(core.controls.warning(Label4), c.speedAndPower) << c.h << "/" << c.v;
    EXPECT_EQ(core.controls.warning(Text2), c.pressure) << c.h << "/" << c.v;
    EXPECT_EQ(core.controls.warning(Label20), c.pressure) << c.h << "/" << c.v;
    EXPECT_EQ(core.red(Text1), *c.speedAndPower != 0);
    EXPECT_EQ(core.red(Text2), *c.pressure != 0);
  }
}

TEST(PressureAtCrossHair, ParkedColumnLeftOfEverything) {
  CoreHarness core;
  core.scrollTo(1, 391);
  core.controls.setScrollValue(ScrollBar::HScroll1, 0);
  EXPECT_EQ(core.logic.state().Pressure, 13);
  EXPECT_TRUE(core.red(Text2));
  EXPECT_FALSE(core.red(Text1));
}

TEST(PressureAtCrossHair, FirstRowMoveBeforeAnyColumn) {
  for (const ScrollValue v : {ScrollValue{1}, ScrollValue{68}, ScrollValue{69}, ScrollValue{200}}) {
    CoreHarness core;
    core.controls.setScrollValue(ScrollBar::VScroll1, v);
    EXPECT_EQ(core.logic.state().Pressure, 13) << v;
    EXPECT_TRUE(core.red(Text2)) << v;
    EXPECT_TRUE(core.red(Label20)) << v;
    EXPECT_EQ(core.red(Text1), v <= 68) << v;  // the 7 bar curve ends in magenta in rows 0 to 67
    EXPECT_EQ(core.text(Label21), "@ 13 bar");
    EXPECT_FLOAT_EQ(core.logic.state().Delivery, -0.3f);
    EXPECT_EQ(core.text(Label20), "-.3");
  }
}

TEST(PressureAtCrossHair, RedMarksDoNotOutliveTheirReading) {
  CoreHarness core;
  core.scrollTo(471, 80);
  ASSERT_TRUE(core.red(Text1));
  core.controls.setScrollValue(ScrollBar::HScroll1, 301);
  EXPECT_FALSE(core.red(Text1));
  EXPECT_FALSE(core.red(Label4));
  EXPECT_FALSE(core.red(Text2));
  EXPECT_FALSE(core.red(Label20));
}

TEST(Delivery, FollowsTheLineOfThePressureBand) {
  CoreHarness core;
  core.scrollTo(300, 200);
  EXPECT_FLOAT_EQ(core.logic.state().Delivery, 4.8125f);
  EXPECT_EQ(core.text(Label20), "4.8");
  core.scrollTo(301, 50);
  EXPECT_FLOAT_EQ(core.logic.state().Delivery, 4.797625f);
  core.scrollTo(50, 200);
  EXPECT_FLOAT_EQ(core.logic.state().Delivery, 2.2f);
}

TEST(Delivery, BandBoundariesBelongToTheUpperBandFromTen) {
  struct Case {
    float pressure;
    const char* caption;
  };
  const Case cases[] = {{4, "@ 4 bar"},       {6, "@ 4 bar"},   {6.0001f, "@ 7 bar"},
                        {9.9999f, "@ 7 bar"}, {10, "@ 10 bar"}, {12.99f, "@ 10 bar"},
                        {13, "@ 13 bar"}};
  for (const Case& c : cases)
    EXPECT_EQ(deliveryLineFor(c.pressure).caption, c.caption) << c.pressure;
}

TEST(Delivery, TakesARotorSpeedBeyondTheChartUnchanged) {
  EXPECT_FLOAT_EQ(deliveryAt(deliveryLineFor(4), 8000),
                  static_cast<float>(3.95 / 4000 * 6000 + 1.85));
  EXPECT_THROW(deliveryAt(deliveryLineFor(4), -30769), ChartError);
}

}  // namespace
}  // namespace chart
