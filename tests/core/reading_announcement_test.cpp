#include "chart/reading_announcement.h"

#include <gtest/gtest.h>

#include "chart/numeric_text.h"
#include "chart/scales.h"
#include "tests/support/core_harness.h"

namespace chart {
namespace {

using testsupport::CoreHarness;
using enum TextControl;

const Reading kBlack{.speed = "6810",
                     .power = "42.9",
                     .pressure = "7.3",
                     .delivery = "11.2",
                     .deliveryClass = "@ 7 bar"};

TEST(ReadingWords, SayValuesUnitsAndWhyRed) {
  struct Case {
    const char* why;
    Reading reading;
    const char* announced;
    const char* speed;
    const char* delivery;
  };
  Reading red = kBlack;
  red.speedAndPower = Warning::kSpeedLimit7Bar;
  red.pressureAndDelivery = Warning::kRightOf4Bar;
  Reading noColumnYet = kBlack;
  noColumnYet.speed.clear();
  const Case cases[] = {
      {"black", kBlack,
       "Speed 6810 rpm, power 42.9 kW, pressure 7.3 bar, delivery 11.2 m\u00b3/min at 7 bar.",
       "Rotor speed nHR 6810 rpm", "Free air delivery Q1 11.2 m\u00b3/min at 7 bar"},
      {"both groups red", red,
       "Speed 6810 rpm, power 42.9 kW, pressure 7.3 bar, delivery 11.2 m\u00b3/min at 7 bar. "
       "Speed and power outside the permitted region, above the speed limit of the 7 bar curve. "
       "Pressure and delivery outside the permitted region, right of the 4 bar curve: below 4 bar.",
       "Rotor speed nHR 6810 rpm, outside the permitted region, above the speed limit of the 7 bar "
       "curve",
       "Free air delivery Q1 11.2 m\u00b3/min at 7 bar, outside the permitted region, right of the "
       "4 bar curve: below 4 bar"},
      {"an empty read-out is left out, the sentence still opens in capitals", noColumnYet,
       "Power 42.9 kW, pressure 7.3 bar, delivery 11.2 m\u00b3/min at 7 bar.",
       "Rotor speed nHR in rpm", "Free air delivery Q1 11.2 m\u00b3/min at 7 bar"},
      {"nothing shown says nothing", Reading{}, "", "Rotor speed nHR in rpm",
       "Free air delivery Q1 in m\u00b3/min"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(announceReading(c.reading), c.announced) << c.why;
    EXPECT_EQ(speedReadOut(c.reading), c.speed) << c.why;
    EXPECT_EQ(deliveryReadOut(c.reading), c.delivery) << c.why;
  }
  EXPECT_EQ(describeReadOut("Pressure at the cross-hair", ""), "Pressure at the cross-hair");
  EXPECT_EQ(
      describeReadOut("Pressure at the cross-hair", "left of the 13 bar curve: above 13 bar"),
      "Pressure at the cross-hair: outside the permitted region, left of the 13 bar curve: above "
      "13 bar");
}

// A front end asks when the user's action is over: one announcement for however many
// readings the action made, none when nothing was read.
TEST(Announcement, OncePerChangeOfTheReading) {
  CoreHarness core;
  EXPECT_EQ(core.logic.takeAnnouncement(), "") << "nothing read at load";
  EXPECT_EQ(core.controls.spokenName(Label4), "Rotor speed nHR in rpm");
  core.logic.Picture1_MouseDown(mouse::kLeft, 0, 300, 49);  // two readings, column then row
  EXPECT_EQ(
      core.logic.takeAnnouncement(),
      "Speed 5010 rpm, power 40.0 kW, pressure 12.2 bar, delivery 4.8 m\u00b3/min at 10 bar. "
      "Speed and power outside the permitted region, above the speed limit of the 7 bar curve.");
  EXPECT_EQ(core.logic.takeAnnouncement(), "") << "said once";
  EXPECT_EQ(
      core.controls.spokenName(Label4),
      "Rotor speed nHR 5010 rpm, outside the permitted region, above the speed limit of the 7 bar "
      "curve");
  EXPECT_EQ(core.controls.spokenName(Label20), "Free air delivery Q1 4.8 m\u00b3/min at 10 bar");
  core.logic.Picture1_MouseDown(mouse::kLeft, 0, 300, 49);
  EXPECT_EQ(core.logic.takeAnnouncement(), "") << "the same pixel reads nothing";
  core.controls.setScrollValue(ScrollBar::VScroll1, 200);
  EXPECT_NE(core.logic.takeAnnouncement().find("power 25.0 kW"), std::string::npos);
}

// What a bar stands for, as a screen reader says it, is what its change handler shows.
TEST(BarQuantity, MatchesTheReadOutsAtEveryValue) {
  CoreHarness core;
  for (ScrollValue v = 500; v >= 0; --v) {
    core.controls.setScrollValue(ScrollBar::HScroll1, v);
    ASSERT_EQ(scales::kColumnSpeed.of(v), core.logic.state().RotorSpeed) << v;
  }
  for (ScrollValue v = 400; v >= 0; --v) {
    core.controls.setScrollValue(ScrollBar::VScroll1, v);
    ASSERT_EQ(formatOneDecimal(scales::kRowPower.of(v)), core.text(Text1)) << v;
  }
}

}  // namespace
}  // namespace chart
