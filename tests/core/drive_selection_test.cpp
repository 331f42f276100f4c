#include "chart/drive_selection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "chart/memory_window.h"
#include "chart/numeric_text.h"
#include "chart/pressure_reading.h"
#include "resources/embedded_belts.h"
#include "tests/support/bmp_file.h"

namespace chart {
namespace {

using enum SelectionRefusal;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct DutyCase {
  const char* why;
  Duty duty;
  SelectionRefusals refusals{};
  bool red = false;  // the speed-and-power answer lies in a limit segment
  bool nextSpeed = false;  // no row at the delivery's speed reads the pressure black
  const char* refusalSays = "";  // words the refusal must hold
};

void PrintTo(const DutyCase& c, std::ostream* out) { *out << c.why; }

Duty duty(double delivery, double pressure) { return {.delivery = delivery, .pressure = pressure}; }

Duty with(Duty d, std::vector<int> motors, PulleySeries series = PulleySeries::R40,
          int smallest = 63, int largest = 500, int count = 5) {
  d.motorSpeeds = std::move(motors);
  d.series = series;
  d.smallestPulley = smallest;
  d.largestPulley = largest;
  d.count = count;
  return d;
}

Duty belts(Duty d, DriveLimits limits,
           std::vector<BeltProfile> profiles = {BeltProfiles.begin(), BeltProfiles.end()},
           double serviceFactor = kCompressorServiceFactor, double centre = 0) {
  d.limits = limits;
  d.profiles = std::move(profiles);
  d.serviceFactor = serviceFactor;
  d.centre = centre;
  return d;
}

DriveSelector selector() { return {testsupport::chartRaster(), embedded::beltTables()}; }

// A proposal's belt drive keeps the duty's limits and follows from the tables and the manual's
// formulas, for the power the window shows at its row.
void expectSoundDesign(const DriveProposal& p, const Duty& d) {
  const BeltDesign& b = p.design;
  const BeltTables& tables = embedded::beltTables();
  const SectionTables& section = tables.section(b.profile);
  ASSERT_TRUE(b.sound());
  EXPECT_TRUE(std::ranges::find(d.profiles, b.profile) != d.profiles.end());
  EXPECT_LE(b.beltSpeed, d.limits.maxBeltSpeed);
  EXPECT_NEAR(b.beltSpeed, p.motorPulley * p.motorSpeed / 19100.0, 1e-9);
  const double large = std::max(p.motorPulley, p.airEndPulley);
  const double small = std::min(p.motorPulley, p.airEndPulley);
  EXPECT_EQ(b.smallDiameter, small);
  EXPECT_GE(small, section.minDiameter);
  EXPECT_DOUBLE_EQ(b.designPower, readNumber(p.reading.power) * d.serviceFactor);
  const double perBelt = b.perBelt() * b.c1 * b.c3;
  EXPECT_GE(b.belts * perBelt, b.designPower);
  EXPECT_LT((b.belts - 1) * perBelt, b.designPower);
  EXPECT_LE(b.belts, d.limits.maxBelts);
  const auto length = std::ranges::find(section.lengths, b.datumLength, &LengthRow::length);
  ASSERT_NE(length, section.lengths.end()) << b.datumLength << " is no standard length";
  EXPECT_EQ(b.c3, length->c3);
  const double q = (b.datumLength - std::numbers::pi / 2 * (large + small)) / 4;
  EXPECT_NEAR(b.centre, q + std::sqrt(q * q - (large - small) * (large - small) / 8), 1e-9);
  const double halfArc = b.wrapAngle / 2 * std::numbers::pi / 180;
  EXPECT_NEAR(std::cos(halfArc), (large - small) / (2 * b.centre), 1e-12);
  EXPECT_EQ(b.c1, tables.arcFactor((large - small) / b.centre));
  const double v = b.beltSpeed;
  const double tension =
      500 * (2.02 - b.c1) * b.designPower / (b.c1 * b.belts * v) + section.k * v * v;
  EXPECT_NEAR(b.tension, tension, 1e-9 * tension);
  EXPECT_NEAR(b.shaftLoad, 2 * tension * std::sin(halfArc) * b.belts, 1e-9 * b.shaftLoad);
  EXPECT_NEAR(b.flexRate, 2000 * v / b.datumLength, 1e-12);
}

// Whether the window, at its cross-hair now, reads the pressure asked for with a black read-out.
bool reads(const MemoryWindow& window, double pressure) {
  return !window.reading().pressureRed() &&
         window.logic().state().Pressure >= static_cast<float>(pressure);
}

// No row below `vscroll` in the window's column reads the pressure; the window walks them all.
void expectNoLowerRow(MemoryWindow& window, ScrollValue hscroll, ScrollValue vscroll,
                      double pressure) {
  for (ScrollValue v = 400; v > vscroll; --v) {
    window.scrollTo(hscroll, v);
    ASSERT_FALSE(reads(window, pressure)) << "HScroll1 " << hscroll << ", VScroll1 " << v;
  }
}

class SelectionFromDuty : public ::testing::TestWithParam<DutyCase> {};

TEST_P(SelectionFromDuty, GivesTheWindowsOwnReadings) {
  const DutyCase& c = GetParam();
  const Duty& d = c.duty;
  const Selection s = selector().select(d);
  ASSERT_EQ(s.refusals, c.refusals) << selectionRefusalText(s);
  if (s.refusals.any()) {
    EXPECT_TRUE(s.motors.empty());
    EXPECT_NE(selectionRefusalText(s).find(c.refusalSays), std::string::npos)
        << selectionRefusalText(s);
    return;
  }
  // The speed: the lowest of the grid whose estimate in the pressure's class reaches Q.
  const DeliveryLine& line = deliveryLineFor(static_cast<float>(d.pressure));
  const auto q = static_cast<float>(d.delivery);
  EXPECT_GE(deliveryAt(line, s.deliverySpeed), q);
  if (s.deliverySpeed > 2010) {
    EXPECT_LT(deliveryAt(line, static_cast<Int16>(s.deliverySpeed - 10)), q);
  }
  const ScrollValue target = static_cast<ScrollValue>((s.deliverySpeed - 2000) / 10);

  // The power: the window's reading there, and no lower row nor slower column reads p.
  MemoryWindow window(testsupport::chartRaster());
  window.scrollTo(s.reading.hscroll, s.reading.vscroll);
  EXPECT_EQ(window.reading(), s.reading);
  EXPECT_TRUE(reads(window, d.pressure));
  EXPECT_EQ(s.reading.speedPowerRed(), c.red);
  EXPECT_EQ(s.reading.hscroll > target, c.nextSpeed);
  expectNoLowerRow(window, s.reading.hscroll, s.reading.vscroll, d.pressure);
  for (ScrollValue h = target; h < s.reading.hscroll; ++h)
    expectNoLowerRow(window, h, 0, d.pressure);

  // The drives: typed into a fresh window, clicked, VScroll1 moved: the proposal's read-outs.
  ASSERT_EQ(s.motors.size(), d.motorSpeeds.size());
  for (std::size_t m = 0; m < s.motors.size(); ++m) {
    const MotorDrives& motor = s.motors[m];
    EXPECT_EQ(motor.motorSpeed, d.motorSpeeds[m]);
    EXPECT_LE(std::ssize(motor.drives), d.count);
    EXPECT_FALSE(motor.drives.empty());
    for (std::size_t i = 0; i < motor.drives.size(); ++i) {
      const DriveProposal& p = motor.drives[i];
      MemoryWindow shown(testsupport::chartRaster());
      EXPECT_EQ(shown.belt(std::to_string(p.motorSpeed), std::to_string(p.motorPulley),
                           std::to_string(p.airEndPulley)),
                Refusals{});
      EXPECT_EQ(shown.reading().hscroll, p.reading.hscroll);
      shown.scrollTo(p.reading.hscroll, p.reading.vscroll);
      EXPECT_EQ(shown.reading(), p.reading)
          << motor.motorSpeed << " " << p.motorPulley << "/" << p.airEndPulley;
      EXPECT_TRUE(reads(shown, d.pressure));
      expectNoLowerRow(shown, p.reading.hscroll, p.reading.vscroll, d.pressure);
      EXPECT_EQ(p.reachesDelivery, p.reading.hscroll >= target);
      expectSoundDesign(p, d);
      const auto diameters = pulleyDiameters(d.series, d.smallestPulley, d.largestPulley);
      EXPECT_TRUE(std::ranges::find(diameters, p.motorPulley) != diameters.end());
      EXPECT_TRUE(std::ranges::find(diameters, p.airEndPulley) != diameters.end());
      if (i == 0) continue;
      // Ranked: reaching before short; the nearest speed first; then the fewest belts and
      // the least shaft load.
      const DriveProposal& before = motor.drives[i - 1];
      const auto rank = [target](const DriveProposal& x) {
        return std::tuple(!x.reachesDelivery, std::abs(x.reading.hscroll - target), x.design.belts,
                          x.design.shaftLoad);
      };
      EXPECT_LE(rank(before), rank(p));
    }
  }
}

const std::vector<int> k60Hz{1750, 3550};

INSTANTIATE_TEST_SUITE_P(
    Duties, SelectionFromDuty,
    ::testing::Values(
        DutyCase{"customer_duty_4_5_at_8_bar", duty(4.5, 8)},
        DutyCase{"small_duty_7_bar", duty(2.0, 7)}, DutyCase{"middle_of_4_bar_class", duty(3.0, 5)},
        DutyCase{"middle_of_10_bar_class", duty(4.0, 11.5)},
        DutyCase{"sixty_hertz_motors", with(duty(4.5, 8), k60Hz)},
        DutyCase{"r10_series", with(duty(4.5, 8), {1450, 2950}, PulleySeries::R10)},
        DutyCase{"r20_narrow_range", with(duty(3.5, 9), {2950}, PulleySeries::R20, 100, 250)},
        DutyCase{"one_proposal_per_motor",
                 with(duty(4.5, 8), {1450, 2950}, PulleySeries::R40, 63, 500, 1)},
        DutyCase{"one_pulley_only_gives_a_direct_ratio",
                 with(duty(2.5, 7), {2950}, PulleySeries::R40, 200, 200)},
        DutyCase{"many_motors", with(duty(4.0, 7), {960, 1450, 1750, 2950, 3550})},
        // The chart's edges.
        DutyCase{"tiny_delivery_takes_the_first_column", duty(0.1, 7)},
        DutyCase{"delivery_at_2000_takes_the_first_column", duty(1.85, 5)},
        DutyCase{"lowest_pressure_4_bar", duty(2.0, 4)},
        DutyCase{"near_7000_at_7_bar", duty(6.9, 7), {}, true},
        DutyCase{"near_7000_at_13_bar_has_no_13_bar_curve", duty(6.5, 13), kPressureNotReached},
        DutyCase{"past_column_323_no_13_bar_row", duty(5.0, 13), kPressureNotReached},
        // Beyond 7000 1/min.
        DutyCase{"beyond_the_chart_at_7_bar", duty(7.0, 7), kDeliveryBeyondChart},
        DutyCase{"beyond_the_chart_at_13_bar", duty(6.8, 13), kDeliveryBeyondChart},
        DutyCase{"far_beyond_the_chart", duty(1e6, 10), kDeliveryBeyondChart},
        DutyCase{"delivery_past_the_float_range", duty(1e300, 7), kDeliveryBeyondChart},
        // Red regions: the limit segments of the 7 and 4 bar curves.
        DutyCase{"limit_segment_of_7_bar", duty(6.5, 7), {}, true},
        DutyCase{"limit_segment_of_4_bar", duty(6.5, 4), {}, true},
        DutyCase{"high_speed_5_bar", duty(6.4, 5), {}, true},
        // The class boundaries: 6 is the 4 bar class, 10 and 13 their own.
        DutyCase{"class_boundary_6_in_4_bar_class", duty(3.0, 6)},
        DutyCase{"just_above_6_in_7_bar_class", duty(3.0, 6.01)},
        DutyCase{"just_below_10_in_7_bar_class", duty(4.0, 9.99)},
        DutyCase{"class_boundary_10", duty(4.0, 10)},
        DutyCase{"just_below_13_no_row_at_2750_goes_on_to_2760", duty(2.5, 12.99), {}, false, true},
        DutyCase{"class_boundary_13_on_its_curve_at_2800", duty(2.5, 13)},
        DutyCase{"13_bar_curve_misses_column_75_goes_on", duty(2.45, 13), {}, false, true},
        // Bad input: a refusal each, several at once.
        DutyCase{"zero_delivery", duty(0, 7), kDeliveryNotPositive},
        DutyCase{"negative_delivery", duty(-1, 7), kDeliveryNotPositive},
        DutyCase{"nan_delivery", duty(kNaN, 7), kDeliveryNotPositive},
        DutyCase{"infinite_delivery", duty(kInf, 7), kDeliveryNotPositive},
        DutyCase{"pressure_below_4", duty(3, 3.99), kPressureOutsideClasses},
        DutyCase{"pressure_above_13", duty(3, 13.01), kPressureOutsideClasses},
        DutyCase{"nan_pressure", duty(3, kNaN), kPressureOutsideClasses},
        DutyCase{"no_motor_speed", with(duty(3, 7), {}), kNoMotorSpeeds},
        DutyCase{"nine_motor_speeds", with(duty(3, 7), {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                 kNoMotorSpeeds},
        DutyCase{"motor_speed_zero_and_past_16_bit", with(duty(3, 7), {0, 40000}),
                 kMotorSpeedsOutOfRange},
        DutyCase{"smallest_above_largest", with(duty(3, 7), {1450}, PulleySeries::R40, 200, 100),
                 kPulleysOutOfRange},
        DutyCase{"pulley_past_500", with(duty(3, 7), {1450}, PulleySeries::R40, 63, 630),
                 kPulleysOutOfRange},
        DutyCase{"no_r40_pulley_between_64_and_66",
                 with(duty(3, 7), {1450}, PulleySeries::R40, 64, 66), kNoPulleyInRange},
        DutyCase{"count_zero", with(duty(3, 7), {1450}, PulleySeries::R40, 63, 500, 0),
                 kCountOutOfRange},
        DutyCase{"count_huge", with(duty(3, 7), {1450}, PulleySeries::R40, 63, 500, 1000000),
                 kCountOutOfRange},
        DutyCase{"everything_wrong_at_once", with(duty(kNaN, 20), {}, PulleySeries::R40, 600, 1, 0),
                 kDeliveryNotPositive | kPressureOutsideClasses | kNoMotorSpeeds |
                     kPulleysOutOfRange | kCountOutOfRange},
        // The belt drive's options and limits.
        DutyCase{"one_section_only", belts(duty(4.5, 8), {}, {BeltProfile::SPA})},
        DutyCase{"slow_belts_and_few", belts(duty(3.5, 7), {.maxBeltSpeed = 25, .maxBelts = 3})},
        DutyCase{"long_centre_and_heavy_service",
                 belts(duty(4.5, 8), {}, {BeltProfile::SPB, BeltProfile::SPC}, 1.8, 1500)},
        DutyCase{"no_drive_within_one_belt",
                 belts(with(duty(4.5, 8), {1450, 2950}, PulleySeries::R40, 63, 71), {.maxBelts = 1},
                       {BeltProfile::SPZ}),
                 kNoSoundDrive, false, false, "no belt drive within the limits: "},
        DutyCase{"no_drive_below_5_m_s", belts(duty(4.5, 8), {.maxBeltSpeed = 5}), kNoSoundDrive,
                 false, false, "belt speed above 5 m/s"},
        DutyCase{"service_factor_below_1", belts(duty(4.5, 8), {}, {BeltProfile::SPA}, 0.9),
                 kServiceFactorOutOfRange},
        DutyCase{
            "bad_limits_and_no_section",
            belts(duty(4.5, 8), {.maxBeltSpeed = kNaN, .maxBelts = 0}, {}, 1.3, -1),
            kBeltSpeedLimitOutOfRange | kBeltLimitOutOfRange | kNoProfile | kCentreOutOfRange}),
    [](const auto& info) { return std::string(info.param.why); });

// Every drive the selection ranks lands where the window's belt calculator puts it.
TEST(DriveSelection, BeltColumnIsTheBeltCalculatorsForEveryPair) {
  MemoryWindow window(testsupport::chartRaster());
  for (const int motor : {1450, 2950, 3550, 1001}) {
    for (const Int16 motorPulley : R40Diameters) {
      for (const Int16 airEndPulley : R40Diameters) {
        window.scrollTo(250, 200);
        const Refusals refused = window.belt(std::to_string(motor), std::to_string(motorPulley),
                                             std::to_string(airEndPulley));
        const std::optional<ScrollValue> column =
            beltColumn(static_cast<Int16>(motor), motorPulley, airEndPulley);
        const ScrollValue h = window.reading().hscroll;
        // Where the window refuses or parks the column, the selection proposes nothing.
        if (refused.any() || h == 0) {
          EXPECT_FALSE(column) << motor << " " << motorPulley << "/" << airEndPulley;
        } else {
          EXPECT_EQ(column, h) << motor << " " << motorPulley << "/" << airEndPulley;
        }
      }
    }
  }
}

// The duties an engineer meets, Q from 2 to 6.5 m3/min and p from 5 to 13 bar: every drive
// proposed can be ordered, and shows on the window what the table says.
TEST(DriveSelection, EveryProposalOfFiftyDutiesCanBeOrdered) {
  DriveSelector selector = chart::selector();
  int duties = 0;
  for (double q = 2; q <= 6.5; q += 0.5) {
    for (const double p : {5, 7, 9, 11, 13}) {
      const Duty d = duty(q, p);
      const Selection s = selector.select(d);
      if (s.refusals.any()) continue;
      ++duties;
      for (const MotorDrives& motor : s.motors) {
        for (const DriveProposal& drive : motor.drives) {
          expectSoundDesign(drive, d);
          MemoryWindow window(testsupport::chartRaster());
          showDrive(window, drive);
          EXPECT_EQ(window.reading(), drive.reading) << q << " m3/min at " << p << " bar";
        }
      }
    }
  }
  EXPECT_GE(duties, 30);
  EXPECT_EQ(
      embedded::beltTables().serviceFactor(
          kCompressorDuty.loadGroup, kCompressorDuty.startingTorque, kCompressorDuty.dailyHours),
      kCompressorServiceFactor);
}

TEST(DriveSelection, SeriesAndRefusalWords) {
  EXPECT_EQ(pulleyDiameters(PulleySeries::R20, 63, 500).size(), 19u);
  EXPECT_EQ(pulleyDiameters(PulleySeries::R10, 63, 500),
            (std::vector<Int16>{63, 80, 100, 125, 160, 200, 250, 315, 400, 500}));
  EXPECT_EQ(pulleyDiameters(PulleySeries::R40, 100, 125),
            (std::vector<Int16>{100, 106, 112, 118, 125}));
  DriveSelector selector = chart::selector();
  EXPECT_EQ(selectionRefusalText(selector.select(duty(7.0, 7))),
            "delivery beyond the chart at 7000 1/min, short by 0.09 m3/min");
  EXPECT_EQ(selectionRefusalText(selector.select(duty(1e300, 7))),
            "delivery beyond the chart at 7000 1/min, short by 1e+300 m3/min");
}

// The panel's entries read as the window reads its boxes; what they cannot say is refused.
TEST(DriveSelection, EntriesReadAsTheWindowReadsItsBoxes) {
  struct Entries {
    std::array<std::string, DutyEntries.size()> texts;
    SelectionRefusals refusals{};
  };
  const std::array<std::string, DutyEntries.size()> defaults = defaultEntryTexts();
  const auto entered = [&](std::string q, std::string p, std::size_t at = 0,
                           std::string text = {}) {
    std::array<std::string, DutyEntries.size()> texts = defaults;
    texts[0] = std::move(q);
    texts[1] = std::move(p);
    if (at != 0) texts[at] = std::move(text);
    return texts;
  };
  const Entries cases[] = {
      {entered("4.5", "8 bar"), {}},
      {entered(" 4.5 m3/min", "8", 2, "1750 3550"), {}},
      {entered("4.5", "8", 3, " R10 "), {}},
      {entered("", "8"), kDeliveryNotPositive},
      {entered("abc", "8"), kDeliveryNotPositive},
      {entered("1e999", "8"), kDeliveryNotPositive},
      {entered("4.5", "-"), kPressureOutsideClasses},
      {entered("4.5", "8", 2, " , "), kNoMotorSpeeds},
      {entered("4.5", "8", 2, "1450.5, 2950"), kMotorSpeedsOutOfRange},
      {entered("4.5", "8", 3, "R5"), kUnknownSeries},
      {entered("4.5", "8", 4, "1e12"), kPulleysOutOfRange},
      {entered("4.5", "8", 6, "2.5"), kCountOutOfRange},
      {entered("", "", 3, ""), kDeliveryNotPositive | kPressureOutsideClasses | kUnknownSeries},
      {entered("4.5", "8", 7, "1.5"), {}},
      {entered("4.5", "8", 8, "spb, SPC"), kUnknownProfile},
      {entered("4.5", "8", 8, " SPB SPC "), {}},
      {entered("4.5", "8", 8, ""), kNoProfile},
      {entered("4.5", "8", 9, "30"), {}},
      {entered("4.5", "8", 10, "2.5"), kBeltLimitOutOfRange},
      {entered("4.5", "8", 11, "1500"), {}},
      {entered("4.5", "8", 11, "-5"), kCentreOutOfRange},
  };
  DriveSelector selector = chart::selector();
  for (const Entries& c : cases) {
    const Selection s = selector.select(dutyFromEntries(c.texts));
    EXPECT_EQ(s.refusals, c.refusals)
        << c.texts[0] << " | " << c.texts[1] << " | " << c.texts[2] << " | " << c.texts[3];
    EXPECT_EQ(s.motors.empty(), c.refusals.any());
  }
}

// Drives shown one after another on one window in use, the row moved by hand in between: each
// time the window shows exactly the drive's reading. 1450 1/min with 280/160 gives 2538 1/min
// in the column of 2540, whose Q1 at 7 bar rounds to 2.4 where 2538's rounds to 2.3.
TEST(DriveSelection, StepsShowEachDriveOnAWindowInUse) {
  const Selection s =
      selector().select(with(duty(2.3, 7), {1450, 2950}, PulleySeries::R40, 63, 500, 10));
  MemoryWindow window(testsupport::chartRaster());
  int sameColumn = 0;
  for (const MotorDrives& motor : s.motors) {
    for (const DriveProposal& drive : motor.drives) {
      sameColumn += stepsToShow(drive, window.reading().hscroll).parkFirst;
      showDrive(window, drive);
      EXPECT_EQ(window.reading(), drive.reading)
          << drive.motorSpeed << " " << drive.motorPulley << "/" << drive.airEndPulley;
      window.scrollTo(window.reading().hscroll, 1);
    }
  }
  EXPECT_GT(sameColumn, 0);
}

}  // namespace
}  // namespace chart
