#pragma once

#include "chart/units.h"

namespace chart {

// The main window's reading state: one per window, zeroed when the window is created.
struct ChartState {
  Colour PixelColour = 0;  // last colour sampled by a row scan
  ChartCoord CurveX13 = 0;  // rightmost x of each curve in the last scanned row, 0 = absent
  ChartCoord CurveX10 = 0;
  ChartCoord CurveX7 = 0;
  ChartCoord CurveX4 = 0;
  float Pressure = 0;  // bar, at the cross-hair
  Int16 RotorSpeed = 0;  // 1/min
  float Delivery = 0;  // free air delivery Q1, m3/min
  Int16 MotorSpeed = 0;  // 1/min, as entered
  Int16 MotorPulley = 0;  // diameters as entered; only their ratio matters
  Int16 AirEndPulley = 0;
};

}  // namespace chart
