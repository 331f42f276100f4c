#pragma once

#include <string>
#include <string_view>

#include "chart/reading.h"

namespace chart {

// One sentence for a screen reader or a text front end after the reading changed: the
// values with their units, then which read-outs are outside the permitted region and why.
std::string announceReading(const Reading& reading);

// What the speed and the delivery read-outs say when Tab reaches them: quantity, value,
// unit, and when red that they are outside the permitted region and why.
std::string speedReadOut(const Reading& reading);
std::string deliveryReadOut(const Reading& reading);

// What a read-out says about itself: its quantity, and when it is red that it is outside
// the permitted region and why. `reason` is warningText's words, empty when black.
std::string describeReadOut(std::string_view quantity, std::string_view reason);

}  // namespace chart
