#pragma once

#include <span>
#include <string>

#include "chart/flags.h"

namespace chart {

// Why a calculator left the cross-hair, or one axis of it, where it was. The window shows
// none of these; a front end that reports its readings may.
enum class Refusal : unsigned {
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
constexpr bool isFlagKind(Refusal) { return true; }
using Refusals = Flags<Refusal>;

// The entries the calculators take, beside the chart's own ranges.
namespace limits {
inline constexpr double kLowestPressure = 4;  // bar: the outer curves
inline constexpr double kHighestPressure = 13;
inline constexpr double kMostMotorSpeed = 32767;  // 1/min: a 16-bit speed
inline constexpr double kMostPulley = 500;
}  // namespace limits

// Each refusal's words, with the ranges as the scales and limits make them.
std::span<const FlagWords<Refusal>> refusalTexts();

// The words of every refusal raised, joined by "; "; empty when none is.
std::string refusalText(Refusals refusals);

}  // namespace chart
