#include "chart/drive_selection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <tuple>

#include "chart/checked.h"
#include "chart/curve_scan.h"
#include "chart/memory_window.h"
#include "chart/numeric_text.h"
#include "chart/pressure_reading.h"
#include "chart/pulley_drive.h"
#include "chart/scales.h"
#include "chart/warnings.h"

namespace chart {
namespace {

using enum SelectionRefusal;

constexpr ScrollValue kFirstColumn = 1;  // value 0 parks the line off the chart
constexpr ScrollValue kLowestRow = scales::kRows;  // VScroll1 value of row 399, 5.0 kW
// Why no drive came out when no limit excluded one.
constexpr char kNoPulleyPair[] =
    "no pair of pulleys turns the air end to a speed of the chart that reads the pressure";

Int16 speedOfColumn(ScrollValue column) {
  return static_cast<Int16>(scales::kSpeedAtColumnZero + scales::kSpeedPerColumn * column);
}

std::string number(double value) { return shortestText(value); }

SelectionRefusals dutyRefusals(const Duty& duty, std::span<const Int16> pulleys) {
  SelectionRefusals refusals{};
  if (!(duty.delivery > 0) || !std::isfinite(duty.delivery)) refusals |= kDeliveryNotPositive;
  if (!(duty.pressure >= limits::kLowestPressure && duty.pressure <= limits::kHighestPressure))
    refusals |= kPressureOutsideClasses;
  if (duty.motorSpeeds.empty() || duty.motorSpeeds.size() > kMaxMotorSpeeds)
    refusals |= kNoMotorSpeeds;
  for (const int speed : duty.motorSpeeds) {
    if (speed < 1 || speed > limits::kMostMotorSpeed) refusals |= kMotorSpeedsOutOfRange;
  }
  if (duty.smallestPulley < 1 || duty.largestPulley > limits::kMostPulley ||
      duty.smallestPulley > duty.largestPulley) {
    refusals |= kPulleysOutOfRange;
  } else if (pulleys.empty()) {
    refusals |= kNoPulleyInRange;
  }
  if (duty.count < 1 || duty.count > kMaxCount) refusals |= kCountOutOfRange;
  return refusals | beltOptionRefusals(duty);
}

struct Candidate {
  Int16 motorPulley;
  Int16 airEndPulley;
};

// The drives of one motor speed by the column the belt calculator gives them, in the order they
// are proposed: the columns that reach the delivery, slowest first, then those that fall short,
// nearest first.
std::vector<std::pair<ScrollValue, std::vector<Candidate>>> drivesByColumn(
    Int16 motorSpeed, std::span<const Int16> pulleys, ScrollValue target) {
  std::map<ScrollValue, std::vector<Candidate>> columns;
  for (const Int16 motorPulley : pulleys) {
    for (const Int16 airEndPulley : pulleys) {
      if (const auto column = beltColumn(motorSpeed, motorPulley, airEndPulley))
        columns[*column].push_back({motorPulley, airEndPulley});
    }
  }
  std::vector<std::pair<ScrollValue, std::vector<Candidate>>> ordered(columns.begin(),
                                                                      columns.end());
  const auto key = [target](const auto& entry) {
    const bool shortOf = entry.first < target;
    return std::tuple(shortOf, std::abs(entry.first - target));
  };
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const auto& a, const auto& b) { return key(a) < key(b); });
  return ordered;
}

// The window after a user typed the drive, clicked Calculate and moved VScroll1 to `row`.
Reading beltReading(const ChartRaster& raster, Int16 motorSpeed, const Candidate& drive,
                    ScrollValue column, ScrollValue row) {
  MemoryWindow window(raster);
  window.belt(std::to_string(motorSpeed), std::to_string(drive.motorPulley),
              std::to_string(drive.airEndPulley));
  window.scrollTo(column, row);
  return window.reading();
}

}  // namespace

SelectionRefusals beltOptionRefusals(const Duty& duty) {
  SelectionRefusals refusals{};
  if (!(duty.serviceFactor >= kLeastServiceFactor && duty.serviceFactor <= kMostServiceFactor))
    refusals |= kServiceFactorOutOfRange;
  if (duty.profiles.empty()) refusals |= kNoProfile;
  if (!(duty.limits.maxBeltSpeed > 0 && std::isfinite(duty.limits.maxBeltSpeed)))
    refusals |= kBeltSpeedLimitOutOfRange;
  if (duty.limits.maxBelts < 1 || duty.limits.maxBelts > kMostBelts)
    refusals |= kBeltLimitOutOfRange;
  if (!(duty.centre >= 0 && duty.centre <= kMostCentre)) refusals |= kCentreOutOfRange;
  return refusals;
}

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
  // The window's range tests let no entry below 1 through.
  if (motorSpeed < 1 || motorPulley < 1 || airEndPulley < 1) return std::nullopt;
  const PulleyDrive drive = pulleyDrive(motorSpeed, motorPulley, airEndPulley);
  if (drive.refusals.any() || drive.column < kFirstColumn) return std::nullopt;
  return drive.column;
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
    selection.refusals = kDeliveryBeyondChart;
    selection.shortfall = duty.delivery - deliveryAt(line, speedOfColumn(scales::kColumns));
    return selection;
  }
  selection.deliverySpeed = speedOfColumn(target);

  // Where no row at that speed reads the pressure black, the next speed that has one.
  ScrollValue column = target;
  std::optional<ScrollValue> row = powerRow(column, pressure);
  while (!row && column < scales::kColumns) row = powerRow(++column, pressure);
  if (!row) {
    selection.refusals = kPressureNotReached;
    return selection;
  }
  {
    MemoryWindow window(raster_);
    window.scrollTo(column, *row);
    selection.reading = window.reading();
  }

  bool anyDrive = false;
  for (const int motorSpeed : duty.motorSpeeds) {
    MotorDrives& motor = selection.motors.emplace_back();
    motor.motorSpeed = static_cast<Int16>(motorSpeed);
    for (const auto& [driveColumn, candidates] :
         drivesByColumn(motor.motorSpeed, pulleys, target)) {
      if (motor.drives.size() == static_cast<std::size_t>(duty.count)) break;
      const std::optional<ScrollValue> driveRow = powerRow(driveColumn, pressure);
      if (!driveRow) continue;
      // Every drive in this column shows the same power: the one each is designed for.
      MemoryWindow shown(raster_);
      shown.scrollTo(driveColumn, *driveRow);
      const double power = readNumber(shown.reading().power);
      std::vector<std::pair<const Candidate*, BeltDesign>> sound;
      for (const Candidate& candidate : candidates) {
        for (const BeltProfile profile : duty.profiles) {
          BeltDesign design =
              designDrive(tables_, profile,
                          {.power = power,
                           .serviceFactor = duty.serviceFactor,
                           .motorSpeed = static_cast<double>(motor.motorSpeed),
                           .motorPulley = static_cast<double>(candidate.motorPulley),
                           .airEndPulley = static_cast<double>(candidate.airEndPulley),
                           .centre = duty.centre},
                          duty.limits);
          if (design.sound()) {
            sound.emplace_back(&candidate, design);
          } else {
            selection.excluded |= design.refusals;
          }
        }
      }
      // The fewest belts first, then the least load on the air end's bearings.
      std::stable_sort(sound.begin(), sound.end(), [](const auto& a, const auto& b) {
        return std::tuple(a.second.belts, a.second.shaftLoad) <
               std::tuple(b.second.belts, b.second.shaftLoad);
      });
      for (const auto& [candidate, design] : sound) {
        if (motor.drives.size() == static_cast<std::size_t>(duty.count)) break;
        motor.drives.push_back(
            {.motorSpeed = motor.motorSpeed,
             .motorPulley = candidate->motorPulley,
             .airEndPulley = candidate->airEndPulley,
             .reachesDelivery = driveColumn >= target,
             .reading = beltReading(raster_, motor.motorSpeed, *candidate, driveColumn, *driveRow),
             .design = design});
      }
    }
    anyDrive = anyDrive || !motor.drives.empty();
  }
  if (!anyDrive) {
    selection.refusals = kNoSoundDrive;
    selection.exclusion =
        selection.excluded.any()
            ? designRefusalText(selection.excluded, duty.limits, tables_, duty.profiles)
            : kNoPulleyPair;
    selection.motors.clear();
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
  std::string profiles;
  for (const BeltProfile profile : duty.profiles)
    profiles += (profiles.empty() ? "" : ", ") + std::string(nameOf(profile));
  return {"",
          "",
          motors,
          std::string(series),
          std::to_string(duty.smallestPulley),
          std::to_string(duty.largestPulley),
          std::to_string(duty.count),
          number(duty.serviceFactor),
          profiles,
          number(duty.limits.maxBeltSpeed),
          std::to_string(duty.limits.maxBelts),
          number(duty.centre)};
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
  // The words of a list, separated by commas or blanks.
  const auto items = [](std::string_view list) {
    std::vector<std::string_view> words;
    while (!list.empty()) {
      const std::size_t end = std::min(list.find_first_of(", \t"), list.size());
      if (end > 0) words.push_back(list.substr(0, end));
      list.remove_prefix(std::min(end + 1, list.size()));
    }
    return words;
  };
  EnteredDuty entered;
  Duty& duty = entered.duty;
  duty.delivery = number(texts[0]);
  duty.pressure = number(texts[1]);
  duty.motorSpeeds.clear();
  for (const std::string_view speed : items(texts[2])) duty.motorSpeeds.push_back(whole(speed));
  const std::vector<std::string_view> series = items(texts[3]);
  entered.refusals = kUnknownSeries;
  for (const PulleySeriesEntry& entry : PulleySeriesTable) {
    if (series.size() == 1 && entry.name == series.front()) {
      duty.series = entry.series;
      entered.refusals = {};
    }
  }
  duty.smallestPulley = whole(texts[4]);
  duty.largestPulley = whole(texts[5]);
  duty.count = whole(texts[6]);
  duty.serviceFactor = number(texts[7]);
  duty.profiles.clear();
  for (const std::string_view name : items(texts[8])) {
    if (const auto profile = profileNamed(name)) {
      duty.profiles.push_back(*profile);
    } else {
      entered.refusals |= kUnknownProfile;
    }
  }
  duty.limits.maxBeltSpeed = number(texts[9]);
  duty.limits.maxBelts = whole(texts[10]);
  duty.centre = number(texts[11]);
  return entered;
}

DriveSteps stepsToShow(const DriveProposal& drive, ScrollValue currentColumn) {
  return {.parkFirst = currentColumn == drive.reading.hscroll,
          .entries = {std::to_string(drive.motorSpeed), std::to_string(drive.motorPulley),
                      std::to_string(drive.airEndPulley)},
          .vscroll = drive.reading.vscroll};
}

void showDrive(MemoryWindow& window, const DriveProposal& drive) {
  const DriveSteps steps = stepsToShow(drive, window.controls().scrollValue(ScrollBar::HScroll1));
  if (steps.parkFirst) window.scroll(ScrollBar::HScroll1, 0);
  window.belt(steps.entries[0], steps.entries[1], steps.entries[2]);
  window.scroll(ScrollBar::VScroll1, steps.vscroll);
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

std::string selectionSummary(const Selection& s) {
  if (s.refusals.any()) return "Refused: " + selectionRefusalText(s) + '.';
  std::size_t drives = 0;
  for (const MotorDrives& motor : s.motors) drives += motor.drives.size();
  return std::to_string(drives) + " drives; speed " + s.reading.speed + " 1/min, power " +
         s.reading.power + " kW.";
}

std::string driveWords(const DriveProposal& d) {
  return std::to_string(d.motorSpeed) + " 1/min, pulleys " + std::to_string(d.motorPulley) + " / " +
         std::to_string(d.airEndPulley) + " mm, " + std::to_string(d.design.belts) + " " +
         std::string(nameOf(d.design.profile)) + " belts";
}

std::string showDriveLabel(const DriveProposal& d) {
  return std::string(kShowButton) + ' ' + driveWords(d) + " on the window";
}

std::string sheetDriveLabel(const DriveProposal& d) { return "Sheet of " + driveWords(d); }

SelectionRow answerRow(const Selection& s) {
  const Reading& r = s.reading;
  SelectionRow row;
  row[2] = r.speed;
  row[3] = r.power;
  row[4] = r.pressure;
  row[5] = r.delivery + ' ' + r.deliveryClass;
  row.back() = answerNotes(s);
  return row;
}

std::array<bool, SelectionColumns.size()> redCells(const Reading& r) {
  std::array<bool, SelectionColumns.size()> red{};
  red[2] = red[3] = r.speedPowerRed();
  red[4] = red[5] = r.pressureRed();
  return red;
}

SelectionRow driveRow(const DriveProposal& d) {
  const Reading& r = d.reading;
  SelectionRow row{std::to_string(d.motorSpeed),
                   std::to_string(d.motorPulley) + " / " + std::to_string(d.airEndPulley),
                   r.speed,
                   r.power,
                   r.pressure,
                   r.delivery + ' ' + r.deliveryClass,
                   std::string(nameOf(d.design.profile))};
  std::size_t i = SelectionLeadColumns.size();
  for (const DesignFigure& figure : DesignFigures) row[i++] = figureText(figure, d.design);
  row.back() = driveNotes(d);
  return row;
}

std::span<const FlagWords<SelectionRefusal>> selectionRefusalTexts() {
  struct Row {
    SelectionRefusal refusal;
    std::string words;
  };
  static const std::array<Row, 17> rows{{
      {kDeliveryNotPositive, "delivery not a finite number above 0 m3/min"},
      {kPressureOutsideClasses, "pressure not from " + number(limits::kLowestPressure) + " to " +
                                    number(limits::kHighestPressure) + " bar"},
      {kNoMotorSpeeds, "no motor speed, or more than " + std::to_string(kMaxMotorSpeeds)},
      {kMotorSpeedsOutOfRange,
       "motor speed not a whole number from 1 to " + number(limits::kMostMotorSpeed) + " 1/min"},
      {kPulleysOutOfRange, "pulleys not from 1 to " + number(limits::kMostPulley) +
                               " mm with the smallest not above the largest"},
      {kNoPulleyInRange, "no pulley of the series between the smallest and the largest"},
      {kCountOutOfRange, "count not from 1 to " + std::to_string(kMaxCount)},
      {kDeliveryBeyondChart,
       "delivery beyond the chart at " + std::to_string(scales::kTopSpeed) + " 1/min"},
      {kPressureNotReached, "pressure not reached with a black read-out at any power of the chart"},
      {kUnknownSeries, "pulley series not R40, R20 or R10"},
      {kServiceFactorOutOfRange, "service factor not from " + number(kLeastServiceFactor) + " to " +
                                     number(kMostServiceFactor)},
      {kNoProfile, "no belt section"},
      {kUnknownProfile, "belt section not SPZ, SPA, SPB or SPC"},
      {kBeltSpeedLimitOutOfRange, "highest belt speed not a finite number above 0 m/s"},
      {kBeltLimitOutOfRange, "most belts not from 1 to " + std::to_string(kMostBelts)},
      {kCentreOutOfRange, "centre distance not from 0 to " + number(kMostCentre) + " mm"},
      {kNoSoundDrive, "no belt drive within the limits"},
  }};
  static const auto table = [] {
    std::array<FlagWords<SelectionRefusal>, rows.size()> flags{};
    for (std::size_t i = 0; i < rows.size(); ++i) flags[i] = {rows[i].refusal, rows[i].words};
    return flags;
  }();
  return table;
}

std::string selectionRefusalText(const Selection& selection) {
  std::string words;
  for (const FlagWords<SelectionRefusal>& entry : selectionRefusalTexts()) {
    if (!selection.refusals.has(entry.flag)) continue;
    if (!words.empty()) words += "; ";
    words += entry.words;
    if (entry.flag == kDeliveryBeyondChart) {
      // Two decimals as a person weighs a shortfall; a delivery past any chart in exponent form.
      char shortfall[64];
      if (selection.shortfall < 1e6) {
        std::snprintf(shortfall, sizeof shortfall, ", short by %.2f m3/min", selection.shortfall);
      } else {
        std::snprintf(shortfall, sizeof shortfall, ", short by %.3g m3/min", selection.shortfall);
      }
      words += shortfall;
    }
    if (entry.flag == kNoSoundDrive) {
      words += ": " + selection.exclusion;
    }
  }
  return words;
}

}  // namespace chart
