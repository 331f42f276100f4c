#include <string>

#include <gtest/gtest.h>

#include "chart/pressure_reading.h"
#include "tests/support/core_harness.h"

namespace chart {
namespace {

using testsupport::CoreHarness;
using enum TextControl;

struct Drive {
  const char* why;
  const char* motorSpeed;
  const char* motorPulley;
  const char* airEndPulley;
  Int16 storedMotorSpeed;  // ChartState afterwards, with the column starting at value 100
  Int16 storedMotorPulley;
  Int16 storedAirEndPulley;
  Int16 rotorSpeed;
  ScrollValue h;
};

void PrintTo(const Drive& d, std::ostream* out) { *out << d.why; }

constexpr Int16 kBefore = 3000;  // RotorSpeed of the column the tests start in (value 100)

class SpeedFromPulleys : public ::testing::TestWithParam<Drive> {};

TEST_P(SpeedFromPulleys, StoresTheEntriesAndMovesTheColumn) {
  const Drive& d = GetParam();
  CoreHarness core;
  core.controls.setScrollValue(ScrollBar::HScroll1, 100);
  core.controls.setText(Text3, d.motorSpeed);
  core.controls.setText(Text4, d.motorPulley);
  core.controls.setText(Text5, d.airEndPulley);
  core.logic.Command2_Click();
  const ChartState& s = core.logic.state();
  EXPECT_EQ(s.MotorSpeed, d.storedMotorSpeed);
  EXPECT_EQ(s.MotorPulley, d.storedMotorPulley);
  EXPECT_EQ(s.AirEndPulley, d.storedAirEndPulley);
  EXPECT_EQ(s.RotorSpeed, d.rotorSpeed);
  EXPECT_EQ(core.controls.scrollValue(ScrollBar::HScroll1), d.h);
  EXPECT_EQ(core.controls.lineEnd(CrossHairLine::Line1, LineEnd::X1), d.h - 1);
  // The entries keep their texts; no refusal changes a colour.
  EXPECT_EQ(core.text(Text3), d.motorSpeed);
  EXPECT_FALSE(core.red(Text3));
}

INSTANTIATE_TEST_SUITE_P(
    Drives, SpeedFromPulleys,
    ::testing::Values(
        Drive{"two_pole_motor", "2950", "200", "100", 2950, 200, 100, 5900, 390},
        Drive{"half_step_rounds_to_even_then_snaps", "1450", "250", "100", 1450, 250, 100, 3620,
              162},
        Drive{"half_speed_rounds_to_even_then_snaps", "1001", "100", "40", 1001, 100, 40, 2500, 50},
        Drive{"fractions_cut_down_by_int", "1450.9", "125.7", "60.9", 1450, 125, 60, 3020, 102},
        Drive{"seven_thousand_is_the_last_column", "3500", "200", "100", 3500, 200, 100, 7000, 500},
        Drive{"above_seven_thousand_keeps_speed_and_column", "3000", "250", "100", 3000, 250, 100,
              7500, 100},
        Drive{"near_2000_parks_the_column", "2004", "100", "100", 2004, 100, 100, 2000, 0},
        Drive{"largest_entries_pass", "32767", "500", "500", 32767, 500, 500, 32767, 100},
        Drive{"empty_motor_speed_ends_at_once", "", "200", "100", 0, 0, 0, kBefore, 100},
        Drive{"motor_speed_past_16_bit", "32767.5", "200", "100", 0, 0, 0, kBefore, 100},
        Drive{"motor_speed_beyond_double_range", "1e400", "200", "100", 0, 0, 0, kBefore, 100},
        Drive{"negative_motor_speed", "-1450", "200", "100", 0, 0, 0, kBefore, 100},
        Drive{"letters", "abc", "200", "100", 0, 0, 0, kBefore, 100},
        Drive{"motor_pulley_past_500_keeps_motor_speed", "1450", "500.5", "100", 1450, 0, 0,
              kBefore, 100},
        Drive{"air_end_pulley_past_500", "1450", "200", "501", 1450, 200, 0, kBefore, 100},
        Drive{"exponent_and_unit", "2.95e3 1/min", "200mm", "1e2", 2950, 200, 100, 5900, 390},
        // Refusals the drive itself cannot carry: speed and column stay as they were.
        Drive{"air_end_pulley_under_one_is_no_divisor", "1450", "200", "0.5", 1450, 200, 0, kBefore,
              100},
        Drive{"speed_past_16_bit", "3000", "500", "40", 3000, 500, 40, kBefore, 100},
        // Slower than the chart: the speed is kept as computed, the column stays.
        Drive{"direct_drive_below_the_chart", "1450", "100", "100", 1450, 100, 100, 1450, 100},
        Drive{"motor_pulley_under_one_gives_zero_speed", "1450", "0.5", "100", 1450, 0, 100, 0,
              100}),
    [](const auto& info) { return std::string(info.param.why); });

TEST(SpeedFromPulleys, ColumnAlreadyInPlaceKeepsTheUnsnappedSpeed) {
  CoreHarness core;
  core.controls.setScrollValue(ScrollBar::HScroll1, 50);
  core.controls.setScrollValue(ScrollBar::VScroll1, 200);
  const int readings = core.controls.line1Hides;
  core.controls.setText(Text3, "1001");
  core.controls.setText(Text4, "100");
  core.controls.setText(Text5, "40");
  core.logic.Command2_Click();
  EXPECT_EQ(core.logic.state().RotorSpeed, 2502);
  EXPECT_EQ(core.text(Label4), "2500");
  EXPECT_EQ(core.controls.line1Hides, readings);
  // The next reading without a column change estimates Q1 from 2502 1/min.
  core.controls.setScrollValue(ScrollBar::VScroll1, 201);
  const float expected =
      static_cast<float>(deliveryAt(deliveryLineFor(core.logic.state().Pressure), 2502));
  EXPECT_FLOAT_EQ(core.logic.state().Delivery, expected);
}

}  // namespace
}  // namespace chart
