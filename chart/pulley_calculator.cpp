#include "chart/checked.h"
#include "chart/form4_logic.h"
#include "chart/numeric_text.h"
#include "chart/refusals.h"
#include "chart/scales.h"

namespace chart {
namespace {

// The range test on an entry as read. A text beyond the double range fails it like any
// other out-of-range entry.
bool readsWithin(const Form4Controls& controls, TextControl entry, double maximum) {
  try {
    const double value = readNumber(controls.text(entry));
    return value > 0 && value <= maximum;
  } catch (const ChartError&) {
    return false;
  }
}

}  // namespace

void Form4Logic::Command2_Click() {
  // Each entry is read afresh for its test and again for storing, as typed.
  const auto entry = [this](TextControl control) {
    return intOf(readNumber(controls_.text(control)));
  };
  // Refuses silently, as the window does; the reason is kept for readers that report it.
  const auto refuse = [this](Refusal why) { refusals_ = why; };
  refusals_ = {};
  if (!readsWithin(controls_, TextControl::Text3, limits::kMostMotorSpeed))
    return refuse(Refusal::kMotorSpeedOutOfRange);
  state_.MotorSpeed = entry(TextControl::Text3);
  if (!readsWithin(controls_, TextControl::Text4, limits::kMostPulley))
    return refuse(Refusal::kMotorPulleyOutOfRange);
  state_.MotorPulley = entry(TextControl::Text4);
  if (!readsWithin(controls_, TextControl::Text5, limits::kMostPulley))
    return refuse(Refusal::kAirEndPulleyOutOfRange);
  state_.AirEndPulley = entry(TextControl::Text5);

  // An air-end pulley under 1 is stored as 0, and a speed past 32767 has no 16-bit value:
  // both are refused silently, like an entry out of range, leaving the speed as it was.
  if (state_.AirEndPulley == 0) return refuse(Refusal::kAirEndPulleyUnderOne);
  const double speed =
      static_cast<double>(state_.MotorPulley) / state_.AirEndPulley * state_.MotorSpeed;
  Int16 rotorSpeed = 0;
  try {
    rotorSpeed = roundToInt16(speed);
  } catch (const ChartError&) {
    return refuse(Refusal::kSpeedBeyondRange);
  }
  state_.RotorSpeed = rotorSpeed;

  if (state_.RotorSpeed > scales::kTopSpeed) return refuse(Refusal::kSpeedAboveChart);
  const ScrollValue value = roundToInt16(
      scales::scrollValueOfSpeed(checkedSub(state_.RotorSpeed, scales::kSpeedAtColumnZero)));
  // A drive slower than 1995 1/min lies left of the chart: the speed stays as computed and
  // the column where it was, just as above 7000 1/min.
  if (value < 0) return refuse(Refusal::kSpeedBelowChart);
  controls_.setScrollValue(ScrollBar::HScroll1, value);
}

}  // namespace chart
