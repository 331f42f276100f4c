#include "chart/pressure_reading.h"

#include <string>

#include "chart/checked.h"
#include "chart/curve_scan.h"
#include "chart/form4_logic.h"
#include "chart/numeric_text.h"
#include "chart/scales.h"

namespace chart {
namespace {

// The pressure at x between two curves, from pLeft at column `left` to pRight at `right`.
float interpolate(double x, double left, double pLeft, double right, double pRight) {
  return toSingle(checkedDiv((right - x) * pLeft + (x - left) * pRight, right - left));
}

}  // namespace

PressureDecision decidePressure(const ChartRaster& raster, const ChartState& slots, ChartCoord x,
                                ChartCoord y) {
  const ChartCoord x13 = slots.CurveX13;
  const ChartCoord x10 = slots.CurveX10;
  const ChartCoord x7 = slots.CurveX7;
  const ChartCoord x4 = slots.CurveX4;
  PressureDecision result;

  if (x7 > 0) {
    // The limit segments flag speed and power whatever the column, up to the 4 bar curve.
    if (raster.pixel(x7, y) == colours::kMagenta) result.speedAndPower |= Warning::kSpeedLimit7Bar;
    if (x4 > 0) {
      if (raster.pixel(x4, y) == colours::kLightTeal && x > x7)
        result.speedAndPower |= Warning::kSpeedLimit4Bar;
      if (x > x4) {
        result.pressure = 4;
        result.pressureWarnings = Warning::kRightOf4Bar;
        return result;
      }
      if (x == x4) {
        result.pressure = 4;
        return result;
      }
      if (x > x7) {
        result.pressure = interpolate(x, x7, 7, x4, 4);
        return result;
      }
    } else if (x > x7) {
      result.pressure = 4;
      result.speedAndPower |= Warning::kBeyondLastCurve;
      result.pressureWarnings = Warning::kBeyondLastCurve;
      return result;
    }
    // x is at or left of the 7 bar curve.
    if (x > x10) {
      result.pressure = x == x7 ? 7.0f : interpolate(x, x10, 10, x7, 7);
      return result;
    }
  } else if (x > x10) {
    result.pressure = 7;
    result.speedAndPower |= Warning::kBeyondLastCurve;
    result.pressureWarnings = Warning::kBeyondLastCurve;
    return result;
  }
  // x is at or left of the 10 bar curve.
  if (x > x13) {
    result.pressure = x == x10 ? 10.0f : interpolate(x, x13, 13, x10, 10);
  } else {
    result.pressure = 13;
    if (x < x13) result.pressureWarnings = Warning::kLeftOf13Bar;
  }
  return result;
}

const DeliveryLine& deliveryLineFor(float pressure) noexcept {
  if (pressure <= 6) return DeliveryTable[0];
  if (pressure < 10) return DeliveryTable[1];
  if (pressure < 13) return DeliveryTable[2];
  return DeliveryTable[3];
}

float deliveryAt(const DeliveryLine& line, Int16 rotorSpeed) {
  const double aboveStart = checkedSub(rotorSpeed, scales::kSpeedAtColumnZero);
  return toSingle(checkedValue(line.rise / line.over * aboveStart + line.atStart));
}

void Form4Logic::UpdatePressureReading() {
  controls_.setLineVisible(CrossHairLine::Line1, false);
  controls_.setLineVisible(CrossHairLine::Line2, false);
  const auto y = static_cast<ChartCoord>(checkedSub(controls_.scrollValue(ScrollBar::VScroll1), 1));
  ScanCurveRow(raster_, y, state_);
  const auto x = static_cast<ChartCoord>(checkedSub(controls_.scrollValue(ScrollBar::HScroll1), 1));
  const PressureDecision decision = decidePressure(raster_, state_, x, y);
  state_.Pressure = decision.pressure;

  // Every colour is written on every run, so no red mark outlives the reading that set it.
  const Colour speedAndPower = decision.speedAndPower.any() ? colours::kRed : colours::kBlack;
  controls_.setTextColour(TextControl::Text1, speedAndPower);
  controls_.setTextColour(TextControl::Label4, speedAndPower);
  controls_.setTextColour(TextControl::Text2,
                          decision.pressureWarnings.any() ? colours::kRed : colours::kBlack);
  controls_.setText(TextControl::Text2, formatOneDecimal(state_.Pressure));
  controls_.setLineVisible(CrossHairLine::Line1, true);
  controls_.setLineVisible(CrossHairLine::Line2, true);

  const DeliveryLine& line = deliveryLineFor(state_.Pressure);
  state_.Delivery = deliveryAt(line, state_.RotorSpeed);
  controls_.setText(TextControl::Label21, line.caption);
  controls_.setTextColour(TextControl::Label20, controls_.textColour(TextControl::Text2));
  controls_.setText(TextControl::Label20, formatOneDecimal(state_.Delivery));

  // The colours say "outside the permitted region"; the words say why, for screen readers.
  const std::string speedAndPowerWords = warningText(decision.speedAndPower);
  const std::string pressureWords = warningText(decision.pressureWarnings);
  controls_.setWarning(TextControl::Text1, speedAndPowerWords);
  controls_.setWarning(TextControl::Label4, speedAndPowerWords);
  controls_.setWarning(TextControl::Text2, pressureWords);
  controls_.setWarning(TextControl::Label20, pressureWords);
  speedAndPower_ = decision.speedAndPower;
  pressureAndDelivery_ = decision.pressureWarnings;
  unannounced_ = true;
}

}  // namespace chart
