#include "chart/checked.h"
#include "chart/form4_logic.h"
#include "chart/numeric_text.h"
#include "chart/pulley_drive.h"
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

PulleyDrive pulleyDrive(Int16 motorSpeed, Int16 motorPulley, Int16 airEndPulley) {
  PulleyDrive drive;
  // An air-end pulley under 1 is stored as 0, and a speed past 32767 has no 16-bit value:
  // both are refused silently, like an entry out of range, leaving the speed as it was.
  if (airEndPulley == 0) {
    drive.refusals = Refusal::kAirEndPulleyUnderOne;
    return drive;
  }
  // The ratio first, in double.
  const double speed = static_cast<double>(motorPulley) / airEndPulley * motorSpeed;
  try {
    drive.rotorSpeed = roundToInt16(speed);
  } catch (const ChartError&) {
    drive.refusals = Refusal::kSpeedBeyondRange;
    return drive;
  }
  if (*drive.rotorSpeed > scales::kTopSpeed) {
    drive.refusals = Refusal::kSpeedAboveChart;
    return drive;
  }
  drive.column = roundToInt16(
      scales::scrollValueOfSpeed(checkedSub(*drive.rotorSpeed, scales::kSpeedAtColumnZero)));
  // A drive slower than 1995 1/min lies left of the chart: the speed stays as computed and
  // the column where it was, just as above 7000 1/min.
  if (drive.column < 0) drive.refusals = Refusal::kSpeedBelowChart;
  return drive;
}

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

  const PulleyDrive drive = pulleyDrive(state_.MotorSpeed, state_.MotorPulley, state_.AirEndPulley);
  if (drive.rotorSpeed) state_.RotorSpeed = *drive.rotorSpeed;
  if (drive.refusals.any()) {
    refusals_ = drive.refusals;
    return;
  }
  controls_.setScrollValue(ScrollBar::HScroll1, drive.column);
}

}  // namespace chart
