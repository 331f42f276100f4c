#pragma once

#include <optional>

#include "chart/refusals.h"
#include "chart/units.h"

namespace chart {

// What the belt calculator makes of a drive once its entries are read: the air-end speed it
// stores, and the HScroll1 value it moves to, or why it moves nothing. The window's Calculate
// and the drive selection both work the speed out here.
struct PulleyDrive {
  std::optional<Int16> rotorSpeed;  // none where no 16-bit speed could be stored
  ScrollValue column = 0;  // valid when nothing is refused
  Refusals refusals;
};
PulleyDrive pulleyDrive(Int16 motorSpeed, Int16 motorPulley, Int16 airEndPulley);

}  // namespace chart
