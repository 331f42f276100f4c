#include "chart/refusals.h"

#include <array>

#include "chart/numeric_text.h"
#include "chart/scales.h"

namespace chart {
namespace {

std::string number(double value) { return shortestText(value); }

}  // namespace

std::span<const FlagWords<Refusal>> refusalTexts() {
  using enum Refusal;
  using namespace scales;
  struct Row {
    Refusal refusal;
    std::string words;
  };
  static const std::array<Row, 12> rows{{
      {kPowerOutsideChart, "power outside 0 to " + number(kTopPower) + " kW"},
      {kPressureOutsideCurves, "pressure outside " + number(limits::kLowestPressure) + " to " +
                                   number(limits::kHighestPressure) + " bar"},
      {kRowBelowChart, "power below the chart (under " + number(kPowersOnChart.low) + " kW)"},
      {kRowAboveChart, "power on the parked row above the chart (" + number(kTopPower) + " kW)"},
      {kColumnRefused, "column outside the chart"},
      {kMotorSpeedOutOfRange,
       "motor speed not above 0 and up to " + number(limits::kMostMotorSpeed) + " 1/min"},
      {kMotorPulleyOutOfRange, "motor pulley not above 0 and up to " + number(limits::kMostPulley)},
      {kAirEndPulleyOutOfRange,
       "air-end pulley not above 0 and up to " + number(limits::kMostPulley)},
      {kAirEndPulleyUnderOne, "air-end pulley under 1 (diameters count in whole units)"},
      {kSpeedBeyondRange, "air-end speed beyond " + number(limits::kMostMotorSpeed) + " 1/min"},
      {kSpeedAboveChart, "air-end speed above the chart (over " + number(kTopSpeed) + " 1/min)"},
      {kSpeedBelowChart,
       "air-end speed below the chart (under " + number(kSpeedsOnChart.low) + " 1/min)"},
  }};
  static const auto table = [] {
    std::array<FlagWords<Refusal>, rows.size()> flags{};
    for (std::size_t i = 0; i < rows.size(); ++i) flags[i] = {rows[i].refusal, rows[i].words};
    return flags;
  }();
  return table;
}

std::string refusalText(Refusals refusals) { return joinedWords(refusals, refusalTexts()); }

}  // namespace chart
