#pragma once

#include <string>
#include <string_view>

#include "chart/warnings.h"

namespace chart {

// The reading at the cross-hair as the window shows it: the read-outs' texts, empty where
// a read-out has not been written yet, and why the red ones are red.
struct ShownReading {
  std::string speed;  // Label4, 1/min
  std::string power;  // Text1, kW
  std::string pressure;  // Text2, bar
  std::string delivery;  // Label20, m3/min
  std::string deliveryClass;  // Label21, "@ 7 bar"
  Warnings speedAndPower = 0;
  Warnings pressureAndDelivery = 0;
};

// One sentence for a screen reader or a text front end after the reading changed: the
// values with their units, then which read-outs are outside the permitted region and why.
std::string announceReading(const ShownReading& reading);

// What the speed and the delivery read-outs say when Tab reaches them: quantity, value,
// unit, and when red that they are outside the permitted region and why.
std::string speedReadOut(const ShownReading& reading);
std::string deliveryReadOut(const ShownReading& reading);

// What a read-out says about itself: its quantity, and when it is red that it is outside
// the permitted region and why. `reason` is warningText's words, empty when black.
std::string describeReadOut(std::string_view quantity, std::string_view reason);

}  // namespace chart
