#include <string>

#include <gtest/gtest.h>

#include "chart/curve_scan.h"
#include "tests/support/core_harness.h"

namespace chart {
namespace {

using testsupport::CoreHarness;
using enum TextControl;
using enum CrossHairLine;
using enum LineEnd;

struct Entry {
  const char* why;
  const char* power;
  const char* pressure;
  ScrollValue h;  // scroll values afterwards
  ScrollValue v;
  float line1;  // line positions afterwards
  float line2;
};

void PrintTo(const Entry& e, std::ostream* out) { *out << e.why; }

CoreHarness& click(CoreHarness& core, const char* power, const char* pressure) {
  core.controls.setText(Text1, power);
  core.controls.setText(Text2, pressure);
  core.logic.Command1_Click();
  return core;
}

class SpeedFromPowerAndPressure : public ::testing::TestWithParam<Entry> {};

TEST_P(SpeedFromPowerAndPressure, PlacesTheCrossHairThroughTheScrollBars) {
  const Entry& e = GetParam();
  CoreHarness core;
  click(core, e.power, e.pressure);
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1), e.h);
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::VScroll1), e.v);
  EXPECT_EQ(core.controls.lineEnd(Line1, X1), e.line1);
  EXPECT_EQ(core.controls.lineEnd(Line1, X2), e.line1);
  EXPECT_EQ(core.controls.lineEnd(Line2, Y1), e.line2);
  EXPECT_EQ(core.controls.lineEnd(Line2, Y2), e.line2);
  EXPECT_TRUE(core.controls.lineVisible(Line1));
  EXPECT_TRUE(core.controls.lineVisible(Line2));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SpeedFromPowerAndPressure,
    ::testing::Values(
        Entry{"on_the_7_bar_curve", "20", "7", 184, 250, 183, 249},
        Entry{"on_the_4_bar_curve", "25", "4", 369, 200, 368, 199},
        Entry{"on_the_13_bar_curve", "25", "13", 119, 200, 118, 199},
        Entry{"between_curves_half_to_even", "25", "5.5", 316, 200, 315, 199},  // x = 314.5
        Entry{"half_column_goes_to_odd_neighbour", "12", "9.5", 6, 330, 5, 329},  // x = 5.5
        Entry{"other_half_column_too", "12", "8.5", 18, 330, 17, 329},  // x = 16.5
        Entry{"absent_10_bar_counts_as_column_zero", "12", "7", 34, 330, 33, 329},
        Entry{"empty_power_is_row_449", "", "7", 1, 0, 0, 449},
        Entry{"power_under_4_95_row_refused", "4.94", "13", 1, 0, 0, 399.6f},
        Entry{"power_4_95_rounds_into_last_row", "4.95", "4", 1, 400, 0, 399},
        Entry{"power_45_is_row_minus_one", "45", "7", 1, 0, 0, -1},
        Entry{"power_above_45_keeps_the_row", "45.1", "7", 1, 0, 0, -1},
        Entry{"negative_power_keeps_the_row", "-1", "7", 1, 0, 0, -1},
        Entry{"pressure_below_4_keeps_the_column", "25", "3.99", 0, 200, -1, 199},
        Entry{"pressure_above_13_keeps_the_column", "25", "13.01", 0, 200, -1, 199},
        Entry{"empty_pressure_keeps_the_column", "25", "", 0, 200, -1, 199},
        Entry{"power_beyond_single_range_reads_as_unread", "1e39", "7", 1, 0, 0, 449},
        Entry{"power_beyond_double_range_reads_as_unread", "1e400", "7", 1, 0, 0, 449},
        Entry{"pressure_beyond_double_range_keeps_the_column", "25", "1e400", 0, 200, -1, 199},
        Entry{"letters_read_as_zero", "abc", "xyz", 0, 0, -1, 449},
        Entry{"unit_after_number", "25 kW", "7bar", 262, 200, 261, 199},
        Entry{"comma_ends_the_number", "25,9", "7,5", 262, 200, 261, 199}),
    [](const auto& info) { return std::string(info.param.why); });

TEST(SpeedFromPowerAndPressure, ReadOutsComeFromTheChangeHandlers) {
  CoreHarness core;
  click(core, "20", "7");
  EXPECT_EQ(core.text(Text1), "20.0");
  EXPECT_EQ(core.text(Text2), "7.0");
  EXPECT_EQ(core.text(Label4), "3840");
  EXPECT_EQ(core.logic.state().RotorSpeed, 3840);
  EXPECT_EQ(core.controls.markerLeft(), 179);
  EXPECT_EQ(core.controls.markerTop(), 245);
}

TEST(SpeedFromPowerAndPressure, CrossHairAlreadyInPlaceRunsNoHandler) {
  CoreHarness core;
  click(core, "20", "7");
  const int readings = core.controls.line1Hides;
  click(core, "19.96", "7.0");
  // Only the click's own hiding; the typed texts stay, the line stays unsnapped.
  EXPECT_EQ(core.controls.line1Hides, readings + 1);
  EXPECT_EQ(core.text(Text1), "19.96");
  EXPECT_EQ(core.text(Text2), "7.0");
  EXPECT_FLOAT_EQ(core.controls.lineEnd(Line2, Y1), 249.4f);
  EXPECT_TRUE(core.controls.lineVisible(Line2));
}

TEST(SpeedFromPowerAndPressure, ARefusedRowLeavesTheTypedPower) {
  CoreHarness core;
  click(core, "", "10");
  EXPECT_EQ(core.text(Text1), "");
  EXPECT_EQ(core.controls.markerTop(), 445);
}

TEST(SpeedFromPowerAndPressure, FractionalRowIsScannedByTheCellRule) {
  CoreHarness core;
  // 20.05 kW is row 248.5: the scan reads row 248, the bar rounds 249.5 to 250.
  click(core, "20.05", "13");
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::VScroll1), 250);
  ChartState probe;
  ScanCurveRow(testsupport::chartRaster(), 248, probe);
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1),
            static_cast<ScrollValue>(probe.CurveX13 + 1));
}

}  // namespace
}  // namespace chart
