#pragma once

#include <string>

#include "chart/memory_controls.h"
#include "chart/warnings.h"

namespace chart {

// What the main window shows at the cross-hair, as a report lists it.
struct Reading {
  ScrollValue hscroll = 0;
  ScrollValue vscroll = 0;
  std::string speed;  // Label4
  std::string power;  // Text1
  std::string pressure;  // Text2
  std::string delivery;  // Label20
  std::string deliveryClass;  // Label21
  bool speedPowerRed = false;  // Text1 and Label4
  bool pressureRed = false;  // Text2 and Label20
  Warnings reasons = 0;  // the warnings a screen reader hears on the red read-outs

  bool operator==(const Reading&) const = default;
};

// The reading of in-memory controls: their texts, colours and spoken warnings.
Reading readingOf(const MemoryControls& controls);

}  // namespace chart
