#pragma once

#include <array>
#include <string>
#include <string_view>

namespace chart {

// Why a calculator left the cross-hair, or one axis of it, where it was. The window shows
// none of these; a front end that reports its readings may.
enum Refusal : unsigned {
  kPowerOutsideChart = 1u << 0,
  kPressureOutsideCurves = 1u << 1,
  kRowBelowChart = 1u << 2,
  kRowAboveChart = 1u << 3,
  kColumnRefused = 1u << 4,
  kMotorSpeedOutOfRange = 1u << 5,
  kMotorPulleyOutOfRange = 1u << 6,
  kAirEndPulleyOutOfRange = 1u << 7,
  kAirEndPulleyUnderOne = 1u << 8,
  kSpeedBeyondRange = 1u << 9,
  kSpeedAboveChart = 1u << 10,
  kSpeedBelowChart = 1u << 11,
};
using Refusals = unsigned;

struct RefusalText {
  Refusal refusal;
  std::string_view words;
};

inline constexpr std::array<RefusalText, 12> RefusalTexts{{
    {kPowerOutsideChart, "power outside 0 to 45 kW"},
    {kPressureOutsideCurves, "pressure outside 4 to 13 bar"},
    {kRowBelowChart, "power below the chart (under 4.95 kW)"},
    {kRowAboveChart, "power on the parked row above the chart (45 kW)"},
    {kColumnRefused, "column outside the chart"},
    {kMotorSpeedOutOfRange, "motor speed not above 0 and up to 32767 1/min"},
    {kMotorPulleyOutOfRange, "motor pulley not above 0 and up to 500"},
    {kAirEndPulleyOutOfRange, "air-end pulley not above 0 and up to 500"},
    {kAirEndPulleyUnderOne, "air-end pulley under 1 (diameters count in whole units)"},
    {kSpeedBeyondRange, "air-end speed beyond 32767 1/min"},
    {kSpeedAboveChart, "air-end speed above the chart (over 7000 1/min)"},
    {kSpeedBelowChart, "air-end speed below the chart (under 1995 1/min)"},
}};

// The words of every refusal raised, joined by "; "; empty when none is.
std::string refusalText(Refusals refusals);

}  // namespace chart
