#pragma once

#include <optional>
#include <string>

#include "chart/units.h"

namespace chart {

// The scroll values that put the cross-hair at a speed and a power, rounded as the
// calculators round their assignments (nearest, halves to even); empty where the value
// lies outside the bar's range 0..500 or 0..400.
//   HScroll1 = (speed - 2000) / 10, as the belt-drive calculator sets it;
//   VScroll1 = chart row of the power + 1, the row held in single precision as the
//   power-and-pressure calculator holds it.
std::optional<ScrollValue> hScrollOfSpeed(double speed) noexcept;
std::optional<ScrollValue> vScrollOfPower(double power) noexcept;

// What those two take over the bars' whole ranges, for a message that refuses the rest:
// "1995 to 7005 1/min give HScroll1 0 to 500".
std::string speedsOnChartText();
std::string powersOnChartText();

}  // namespace chart
