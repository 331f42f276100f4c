#include "chart/scroll_position.h"

#include "chart/checked.h"
#include "chart/numeric_text.h"
#include "chart/scales.h"

namespace chart {
namespace {

template <typename Compute>
std::optional<ScrollValue> withinBar(Compute&& compute, ScrollValue maximum) noexcept {
  try {
    const ScrollValue value = compute();
    if (value >= 0 && value <= maximum) return value;
  } catch (const ChartError&) {
    // Beyond the 16-bit or single range: outside the bar as well.
  }
  return std::nullopt;
}

}  // namespace

std::optional<ScrollValue> hScrollOfSpeed(double speed) noexcept {
  return withinBar(
      [&] {
        return roundToInt16(
            scales::scrollValueOfSpeed(checkedValue(speed - scales::kSpeedAtColumnZero)));
      },
      scales::kColumns);
}

std::optional<ScrollValue> vScrollOfPower(double power) noexcept {
  return withinBar(
      [&] { return roundToInt16(toSingle(scales::rowOfPower(checkedValue(power))) + 1.0); },
      scales::kRows);
}

std::string speedsOnChartText() {
  return shortestText(scales::kSpeedsOnChart.low) + " to " +
         shortestText(scales::kSpeedsOnChart.high) + " 1/min give HScroll1 0 to " +
         std::to_string(scales::kColumns);
}

std::string powersOnChartText() {
  return shortestText(scales::kPowersOnChart.low) + " to " +
         shortestText(scales::kPowersOnChart.high) + " kW give VScroll1 " +
         std::to_string(scales::kRows) + " to 0";
}

}  // namespace chart
