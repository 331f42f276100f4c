#include "chart/drive_selection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <tuple>

#include "chart/checked.h"
#include "chart/curve_scan.h"
#include "chart/memory_window.h"
#include "chart/numeric_text.h"
#include "chart/pressure_reading.h"
#include "chart/scales.h"
#include "chart/warnings.h"

namespace chart {
namespace {

constexpr ScrollValue kFirstColumn = 1;  // value 0 parks the line off the chart
constexpr ScrollValue kLowestRow = scales::kRows;  // VScroll1 value of row 399, 5.0 kW

Int16 speedOfColumn(ScrollValue column) {
  return static_cast<Int16>(scales::kSpeedAtColumnZero + scales::kSpeedPerColumn * column);
}

SelectionRefusals dutyRefusals(const Duty& duty, std::span<const Int16> pulleys) {
  SelectionRefusals refusals{};
  if (!(duty.delivery > 0) || !std::isfinite(duty.delivery))
    refusals |= SelectionRefusal::kDeliveryNotPositive;
  if (!(duty.pressure >= 4 && duty.pressure <= 13))
    refusals |= SelectionRefusal::kPressureOutsideClasses;
  if (duty.motorSpeeds.empty() || duty.motorSpeeds.size() > kMaxMotorSpeeds)
    refusals |= SelectionRefusal::kNoMotorSpeeds;
  for (const int speed : duty.motorSpeeds) {
    if (speed < 1 || speed > 32767) refusals |= SelectionRefusal::kMotorSpeedsOutOfRange;
  }
  if (duty.smallestPulley < 1 || duty.largestPulley > 500 ||
      duty.smallestPulley > duty.largestPulley) {
    refusals |= SelectionRefusal::kPulleysOutOfRange;
  } else if (pulleys.empty()) {
    refusals |= SelectionRefusal::kNoPulleyInRange;
  }
  if (duty.count < 1 || duty.count > kMaxCount) refusals |= SelectionRefusal::kCountOutOfRange;
  return refusals;
}

struct Candidate {
  Int16 motorPulley;
  Int16 airEndPulley;
  ScrollValue column;
};

// Drives that reach the delivery first, the slowest of them first; then those that fall
// short, the nearest first; between equal speeds the larger motor pulley, which runs the
// belt faster and bends it less.
std::vector<Candidate> rankedDrives(Int16 motorSpeed, std::span<const Int16> pulleys,
                                    ScrollValue target) {
  std::vector<Candidate> candidates;
  for (const Int16 motorPulley : pulleys) {
    for (const Int16 airEndPulley : pulleys) {
      if (const auto column = beltColumn(motorSpeed, motorPulley, airEndPulley)) {
        candidates.push_back({motorPulley, airEndPulley, *column});
      }
    }
  }
  const auto key = [target](const Candidate& c) {
    const bool shortOf = c.column < target;
    return std::tuple(shortOf, std::abs(c.column - target), -c.motorPulley, c.airEndPulley);
  };
  std::sort(candidates.begin(), candidates.end(),
            [&](const Candidate& a, const Candidate& b) { return key(a) < key(b); });
  return candidates;
}

// The window after a user typed the drive, clicked Calculate and moved VScroll1 to `row`.
Reading beltReading(const ChartRaster& raster, Int16 motorSpeed, const Candidate& drive,
                    ScrollValue row) {
  MemoryWindow window(raster);
  window.belt(std::to_string(motorSpeed), std::to_string(drive.motorPulley),
              std::to_string(drive.airEndPulley));
  window.scrollTo(drive.column, row);
  return window.reading();
}

}  // namespace

std::vector<Int16> pulleyDiameters(PulleySeries series, int smallest, int largest) {
  std::vector<Int16> diameters;
  for (const PulleySeriesEntry& entry : PulleySeriesTable) {
    if (entry.series != series) continue;
    for (std::size_t i = 0; i < R40Diameters.size(); i += static_cast<std::size_t>(entry.step)) {
      if (R40Diameters[i] >= smallest && R40Diameters[i] <= largest)
        diameters.push_back(R40Diameters[i]);
    }
  }
  return diameters;
}

std::optional<ScrollValue> beltColumn(Int16 motorSpeed, Int16 motorPulley, Int16 airEndPulley) {
  // The belt calculator's arithmetic: the ratio first, in double, rounded half to even.
  if (motorSpeed < 1 || motorPulley < 1 || airEndPulley < 1) return std::nullopt;
  const double speed = static_cast<double>(motorPulley) / airEndPulley * motorSpeed;
  if (speed > 7000.5) return std::nullopt;
  const Int16 rotorSpeed = roundToInt16(speed);
  if (rotorSpeed > 7000) return std::nullopt;
  const ScrollValue column = roundToInt16(scales::scrollValueOfSpeed(rotorSpeed - 2000));
  if (column < kFirstColumn) return std::nullopt;
  return column;
}

const ChartState& DriveSelector::rowSlots(int row) {
  const auto index = static_cast<std::size_t>(row);
  if (!scanned_[index]) {
    ScanCurveRow(raster_, static_cast<ChartCoord>(row), rows_[index]);
    scanned_[index] = true;
  }
  return rows_[index];
}

std::optional<ScrollValue> DriveSelector::powerRow(ScrollValue column, float pressure) {
  const auto x = static_cast<ChartCoord>(column - 1);
  for (ScrollValue value = kLowestRow; value >= 1; --value) {
    const int row = value - 1;
    const PressureDecision decision =
        decidePressure(raster_, rowSlots(row), x, static_cast<ChartCoord>(row));
    if (decision.pressureWarnings.none() && decision.pressure >= pressure) return value;
  }
  return std::nullopt;
}

Selection DriveSelector::select(const Duty& duty) {
  Selection selection;
  const std::vector<Int16> pulleys =
      pulleyDiameters(duty.series, duty.smallestPulley, duty.largestPulley);
  selection.refusals = dutyRefusals(duty, pulleys);
  if (selection.refusals.any()) return selection;

  // Compared in the window's own single precision, as it holds pressure and delivery.
  const auto pressure = static_cast<float>(duty.pressure);
  // A delivery past the float range is beyond any chart: it stays out of reach as infinity.
  const float delivery = duty.delivery <= std::numeric_limits<float>::max()
                             ? static_cast<float>(duty.delivery)
                             : std::numeric_limits<float>::infinity();
  const DeliveryLine& line = deliveryLineFor(pressure);
  ScrollValue target = kFirstColumn;
  while (target <= scales::kColumns && deliveryAt(line, speedOfColumn(target)) < delivery) ++target;
  if (target > scales::kColumns) {
    selection.refusals = SelectionRefusal::kDeliveryBeyondChart;
    selection.shortfall = duty.delivery - deliveryAt(line, speedOfColumn(scales::kColumns));
    return selection;
  }
  selection.deliverySpeed = speedOfColumn(target);

  // Where no row at that speed reads the pressure black, the next speed that has one.
  ScrollValue column = target;
  std::optional<ScrollValue> row = powerRow(column, pressure);
  while (!row && column < scales::kColumns) row = powerRow(++column, pressure);
  if (!row) {
    selection.refusals = SelectionRefusal::kPressureNotReached;
    return selection;
  }
  {
    MemoryWindow window(raster_);
    window.scrollTo(column, *row);
    selection.reading = window.reading();
  }

  for (const int motorSpeed : duty.motorSpeeds) {
    MotorDrives& motor = selection.motors.emplace_back();
    motor.motorSpeed = static_cast<Int16>(motorSpeed);
    for (const Candidate& drive : rankedDrives(motor.motorSpeed, pulleys, target)) {
      if (motor.drives.size() == static_cast<std::size_t>(duty.count)) break;
      const std::optional<ScrollValue> driveRow = powerRow(drive.column, pressure);
      if (!driveRow) continue;
      motor.drives.push_back(
          {.motorSpeed = motor.motorSpeed,
           .motorPulley = drive.motorPulley,
           .airEndPulley = drive.airEndPulley,
           .beltSpeed = std::numbers::pi * drive.motorPulley * motorSpeed / 60000.0,
           .reachesDelivery = drive.column >= target,
           .reading = beltReading(raster_, motor.motorSpeed, drive, *driveRow)});
    }
  }
  return selection;
}

Selection DriveSelector::select(const EnteredDuty& entered) {
  if (entered.refusals.none()) return select(entered.duty);
  const Duty& duty = entered.duty;
  Selection refused;
  refused.refusals =
      entered.refusals |
      dutyRefusals(duty, pulleyDiameters(duty.series, duty.smallestPulley, duty.largestPulley));
  return refused;
}

std::array<std::string, DutyEntries.size()> defaultEntryTexts() {
  const Duty duty;
  std::string motors;
  for (const int speed : duty.motorSpeeds)
    motors += (motors.empty() ? "" : ", ") + std::to_string(speed);
  std::string_view series;
  for (const PulleySeriesEntry& entry : PulleySeriesTable) {
    if (entry.series == duty.series) series = entry.name;
  }
  return {"",
          "",
          motors,
          std::string(series),
          std::to_string(duty.smallestPulley),
          std::to_string(duty.largestPulley),
          std::to_string(duty.count)};
}

EnteredDuty dutyFromEntries(std::span<const std::string, DutyEntries.size()> texts) {
  // Read as the window reads a box; a number beyond the double range reads as NaN, refused.
  const auto number = [](std::string_view text) {
    try {
      return readNumber(text);
    } catch (const ChartError&) {
      return std::numeric_limits<double>::quiet_NaN();
    }
  };
  // -1 stands for a number that is no whole number in the int range: refused as out of range.
  const auto whole = [&](std::string_view text) {
    const double value = number(text);
    return value == std::floor(value) && std::abs(value) <= 1e9 ? static_cast<int>(value) : -1;
  };
  EnteredDuty entered;
  Duty& duty = entered.duty;
  duty.delivery = number(texts[0]);
  duty.pressure = number(texts[1]);
  duty.motorSpeeds.clear();
  std::string_view motors = texts[2];
  while (!motors.empty()) {
    const std::size_t end = std::min(motors.find_first_of(", \t"), motors.size());
    if (end > 0) duty.motorSpeeds.push_back(whole(motors.substr(0, end)));
    motors.remove_prefix(std::min(end + 1, motors.size()));
  }
  std::string_view series = texts[3];
  series.remove_prefix(std::min(series.find_first_not_of(' '), series.size()));
  series.remove_suffix(series.size() - std::min(series.find_last_not_of(' ') + 1, series.size()));
  entered.refusals = SelectionRefusal::kUnknownSeries;
  for (const PulleySeriesEntry& entry : PulleySeriesTable) {
    if (entry.name == series) {
      duty.series = entry.series;
      entered.refusals = {};
    }
  }
  duty.smallestPulley = whole(texts[4]);
  duty.largestPulley = whole(texts[5]);
  duty.count = whole(texts[6]);
  return entered;
}

DriveSteps stepsToShow(const DriveProposal& drive, ScrollValue currentColumn) {
  return {.parkFirst = currentColumn == drive.reading.hscroll,
          .entries = {std::to_string(drive.motorSpeed), std::to_string(drive.motorPulley),
                      std::to_string(drive.airEndPulley)},
          .vscroll = drive.reading.vscroll};
}

std::string driveNotes(const DriveProposal& drive) {
  std::string notes = warningText(drive.reading.reasons());
  if (!drive.reachesDelivery) notes += std::string(notes.empty() ? "" : "; ") + "short of Q";
  return notes;
}

std::string answerNotes(const Selection& selection) {
  std::string notes = warningText(selection.reading.reasons());
  if (selection.reading.speed != std::to_string(selection.deliverySpeed)) {
    notes += std::string(notes.empty() ? "" : "; ") + "Q reached from " +
             std::to_string(selection.deliverySpeed) + " 1/min, the pressure only here";
  }
  return notes;
}

std::string beltSpeedText(double beltSpeed) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", beltSpeed);
  return text;
}

std::string selectionSummary(const Selection& s) {
  if (s.refusals.any()) return "Refused: " + selectionRefusalText(s) + '.';
  std::size_t drives = 0;
  for (const MotorDrives& motor : s.motors) drives += motor.drives.size();
  return std::to_string(drives) + " drives; speed " + s.reading.speed + " 1/min, power " +
         s.reading.power + " kW.";
}

std::string showDriveLabel(const DriveProposal& d) {
  return "Show " + std::to_string(d.motorSpeed) + " 1/min, pulleys " +
         std::to_string(d.motorPulley) + " / " + std::to_string(d.airEndPulley) +
         " mm on the window";
}

SelectionRow answerRow(const Selection& s) {
  const Reading& r = s.reading;
  return {
      "", "", "", r.speed, r.power, r.pressure, r.delivery + ' ' + r.deliveryClass, answerNotes(s)};
}

std::array<bool, SelectionColumns.size()> redCells(const Reading& r) {
  return {false,           false,           false, r.speedPowerRed(), r.speedPowerRed(),
          r.pressureRed(), r.pressureRed(), false};
}

SelectionRow driveRow(const DriveProposal& d) {
  const Reading& r = d.reading;
  return {std::to_string(d.motorSpeed),
          std::to_string(d.motorPulley) + " / " + std::to_string(d.airEndPulley),
          beltSpeedText(d.beltSpeed),
          r.speed,
          r.power,
          r.pressure,
          r.delivery + ' ' + r.deliveryClass,
          driveNotes(d)};
}

std::string selectionRefusalText(const Selection& selection) {
  std::string words;
  for (const FlagWords<SelectionRefusal>& entry : SelectionRefusalTexts) {
    if (!selection.refusals.has(entry.flag)) continue;
    if (!words.empty()) words += "; ";
    words += entry.words;
    if (entry.flag == SelectionRefusal::kDeliveryBeyondChart) {
      // Two decimals as a person weighs a shortfall; a delivery past any chart in exponent form.
      char shortfall[64];
      if (selection.shortfall < 1e6) {
        std::snprintf(shortfall, sizeof shortfall, ", short by %.2f m3/min", selection.shortfall);
      } else {
        std::snprintf(shortfall, sizeof shortfall, ", short by %.3g m3/min", selection.shortfall);
      }
      words += shortfall;
    }
  }
  return words;
}

}  // namespace chart
