#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/belt_design.h"
#include "chart/belt_tables.h"
#include "chart/chart_raster.h"
#include "chart/chart_state.h"
#include "chart/flags.h"
#include "chart/reading.h"

namespace chart {

class MemoryWindow;

// Standard pulley datum diameters (mm): the preferred numbers R40, R20 and R10 from 63 to 500.
enum class PulleySeries { R40, R20, R10 };

struct PulleySeriesEntry {
  PulleySeries series;
  std::string_view name;
  int step;  // every step-th diameter of R40
};

inline constexpr std::array<PulleySeriesEntry, 3> PulleySeriesTable{{
    {PulleySeries::R40, "R40", 1},
    {PulleySeries::R20, "R20", 2},
    {PulleySeries::R10, "R10", 4},
}};

inline constexpr std::array<std::string_view, PulleySeriesTable.size()> PulleySeriesNames{
    PulleySeriesTable[0].name, PulleySeriesTable[1].name, PulleySeriesTable[2].name};

inline constexpr std::array<Int16, 37> R40Diameters{
    63,  67,  71,  75,  80,  85,  90,  95,  100, 106, 112, 118, 125, 132, 140, 150, 160, 170, 180,
    190, 200, 212, 224, 236, 250, 265, 280, 300, 315, 335, 355, 375, 400, 425, 450, 475, 500};

// The diameters of a series from `smallest` to `largest`, ascending.
std::vector<Int16> pulleyDiameters(PulleySeries series, int smallest, int largest);

// A screw compressor among the medium drives of the belt maker's service factors (with fans
// and pumps over 7.5 kW), started star-delta, running more than 16 hours a day: the row of that
// table whose factor a proposal is designed with, unless the duty names another.
struct ServiceFactorChoice {
  std::string_view loadGroup;
  std::string_view startingTorque;
  std::string_view dailyHours;
};
inline constexpr ServiceFactorChoice kCompressorDuty{"medium", "normal", "over 16"};
inline constexpr double kCompressorServiceFactor = 1.3;  // that row's c2, checked against it

// What the customer asks for, and the drives to choose from.
struct Duty {
  double delivery = 0;  // free air delivery Q, m3/min
  double pressure = 0;  // differential pressure, bar
  std::vector<int> motorSpeeds{1450, 2950};  // 1/min: 4- and 2-pole motors on 50 Hz
  PulleySeries series = PulleySeries::R40;
  int smallestPulley = 63;  // mm
  int largestPulley = 500;
  int count = 5;  // proposals per motor speed
  double serviceFactor = kCompressorServiceFactor;
  std::vector<BeltProfile> profiles{BeltProfiles.begin(), BeltProfiles.end()};
  DriveLimits limits{};
  double centre = 0;  // wished centre distance, mm; 0: the sum of each drive's diameters
};

inline constexpr int kMaxMotorSpeeds = 8;
inline constexpr int kMaxCount = 100;
// The options a duty may set, as far as a belt drive can sensibly go.
inline constexpr double kLeastServiceFactor = 1;
inline constexpr double kMostServiceFactor = 3;
inline constexpr int kMostBelts = 20;
inline constexpr double kMostCentre = 20000;  // mm

// Why a duty got no selection. Flags, like the calculators' refusals: a duty can be wrong in
// several ways at once, and a front end names them all.
enum class SelectionRefusal : unsigned {
  kDeliveryNotPositive = 1u << 0,
  kPressureOutsideClasses = 1u << 1,
  kNoMotorSpeeds = 1u << 2,
  kMotorSpeedsOutOfRange = 1u << 3,
  kPulleysOutOfRange = 1u << 4,
  kNoPulleyInRange = 1u << 5,
  kCountOutOfRange = 1u << 6,
  kDeliveryBeyondChart = 1u << 7,
  kPressureNotReached = 1u << 8,
  kUnknownSeries = 1u << 9,
  kServiceFactorOutOfRange = 1u << 10,
  kNoProfile = 1u << 11,
  kUnknownProfile = 1u << 12,
  kBeltSpeedLimitOutOfRange = 1u << 13,
  kBeltLimitOutOfRange = 1u << 14,
  kCentreOutOfRange = 1u << 15,
  kNoSoundDrive = 1u << 16,
};
constexpr bool isFlagKind(SelectionRefusal) { return true; }
using SelectionRefusals = Flags<SelectionRefusal>;

// Each refusal's words; those of a drive that no limit lets through are made with the limits.
std::span<const FlagWords<SelectionRefusal>> selectionRefusalTexts();

// One belt drive and what the window shows for it: the entries typed into Text3 to Text5,
// Calculate clicked, then VScroll1 moved to the power row found for it.
// The belt drive is designed for the shaft power the window shows at that row.
struct DriveProposal {
  Int16 motorSpeed = 0;
  Int16 motorPulley = 0;
  Int16 airEndPulley = 0;
  bool reachesDelivery = false;  // the air-end speed is at least the speed the duty needs
  Reading reading;  // hscroll is the column the belt calculator chose, vscroll the power row
  BeltDesign design;
};

struct MotorDrives {
  Int16 motorSpeed = 0;
  std::vector<DriveProposal> drives;  // best first
};

struct Selection {
  SelectionRefusals refusals{};
  double shortfall = 0;  // m3/min that the chart lacks at 7000 1/min (kDeliveryBeyondChart)
  // What kept the drives out where none is left (kNoSoundDrive), and its words with the limits.
  DesignRefusals excluded{};
  std::string exclusion;
  Int16 deliverySpeed = 0;  // the lowest speed of the grid whose estimate reaches Q
  // The window at the speed and power found: at deliverySpeed, or the next speed with a
  // power row that reaches the pressure.
  Reading reading;
  std::vector<MotorDrives> motors;
};

// The entries of a form that asks for a duty, in order, with their captions and, for an entry
// that offers a choice, what it offers; a new form shows Duty's defaults in them.
struct DutyEntry {
  std::string_view name;
  std::string_view caption;
  std::span<const std::string_view> choices = {};
};
inline constexpr std::array<DutyEntry, 12> DutyEntries{{
    {"delivery", "Free air delivery Q (m³/min)"},
    {"pressure", "Differential pressure p (bar, 4 to 13)"},
    {"motors", "Motor speeds (1/min)"},
    {"series", "Pulley series", PulleySeriesNames},
    {"smallest", "Smallest pulley (mm)"},
    {"largest", "Largest pulley (mm)"},
    {"count", "Drives per motor speed"},
    {"service-factor", "Service factor c2"},
    {"profiles", "Belt sections"},
    {"max-belt-speed", "Highest belt speed (m/s)"},
    {"max-belts", "Most belts"},
    {"centre", "Centre distance (mm, 0: D + d)"},
}};
std::array<std::string, DutyEntries.size()> defaultEntryTexts();

// A duty from the texts of those entries, each number read as the window reads its boxes
// ("abc" is 0, "8 bar" is 8); motor speeds and sections separated by commas or blanks. A
// number that is no whole number where one is needed is kept as one out of range, so that it is
// refused.
struct EnteredDuty {
  Duty duty;
  SelectionRefusals refusals{};  // what the texts alone refuse (an unknown series or section)
};
EnteredDuty dutyFromEntries(std::span<const std::string, DutyEntries.size()> texts);

// What a user does to show a drive on a window: `parkFirst` moves HScroll1 to 0, then the
// entries go into Text3 to Text5, Calculate is clicked and VScroll1 moves to `vscroll`. The
// column is parked first when it already stands where the calculator puts it: the click
// would then change no scroll value and leave the speed unsnapped, and Q1 would be
// estimated from that speed instead of the column's.
struct DriveSteps {
  bool parkFirst = false;
  std::array<std::string, kBeltEntries.size()> entries;
  ScrollValue vscroll = 0;
};
DriveSteps stepsToShow(const DriveProposal& drive, ScrollValue currentColumn);
// Those steps carried out on a window held in memory, through its own handlers.
void showDrive(MemoryWindow& window, const DriveProposal& drive);

// What a reader is told beside a figure: the reasons for red, a drive that falls short of Q,
// a speed answer that had to go past the speed that reaches Q.
std::string driveNotes(const DriveProposal& drive);
std::string answerNotes(const Selection& selection);

// The panel a page shows: a heading, the table's caption, a sentence on the outcome for a
// screen reader, and the name of the button that shows a drive on the window.
inline constexpr std::string_view kSelectionHeading = "Drive selection";
inline constexpr std::string_view kSelectionCaption =
    "Speed and power for the duty, then the drives of each motor speed";
inline constexpr std::string_view kSelectButton = "Select";
inline constexpr std::string_view kShowButton = "Show";
inline constexpr std::string_view kAnswerRowHeading = "Speed";
std::string selectionSummary(const Selection& selection);
std::string showDriveLabel(const DriveProposal& drive);
// The name of the button that makes a drive's sheet.
std::string sheetDriveLabel(const DriveProposal& drive);
// A drive as those names say it: motor speed, pulleys, belts.
std::string driveWords(const DriveProposal& drive);

// The table a page shows: the speed answer first, then the drives of each motor speed: the
// drive, what the window shows for it, its belts' section and figures, and notes.
inline constexpr std::array<std::string_view, 7> SelectionLeadColumns{
    "Motor (1/min)",  "Pulleys (mm)",     "Speed (1/min)", "Power (kW)",
    "Pressure (bar)", "Q1 (m\u00b3/min)", "Section"};
inline constexpr auto SelectionColumns = [] {
  std::array<std::string_view, SelectionLeadColumns.size() + DesignFigures.size() + 1> columns{};
  std::size_t i = 0;
  for (const std::string_view column : SelectionLeadColumns) columns[i++] = column;
  for (const DesignFigure& figure : DesignFigures) columns[i++] = figure.heading;
  columns[i] = "Notes";
  return columns;
}();
using SelectionRow = std::array<std::string, SelectionColumns.size()>;
SelectionRow answerRow(const Selection& selection);
SelectionRow driveRow(const DriveProposal& drive);
// Which cells of a row show red: speed and power, pressure and Q1, as the window colours them.
std::array<bool, SelectionColumns.size()> redCells(const Reading& reading);

// What a duty's belt options alone refuse: the service factor, the sections, the limits and the
// centre distance, as a drive designed without the chart takes them too.
SelectionRefusals beltOptionRefusals(const Duty& duty);

// The refusal words, joined by "; ", with the shortfall where the chart falls short and the
// limits that kept every drive out.
std::string selectionRefusalText(const Selection& selection);

// The HScroll1 value that the belt calculator gives a drive, or none where it leaves the
// column alone or parks it (air-end speed below 2005 or above 7000 1/min).
std::optional<ScrollValue> beltColumn(Int16 motorSpeed, Int16 motorPulley, Int16 airEndPulley);

// Selects speed, power and belt drives for duties, reading the chart as the window reads it.
// The curve positions of each chart row are found once, when first needed, and kept for
// every later duty: keep one selector for a batch.
class DriveSelector {
 public:
  DriveSelector(const ChartRaster& raster, const BeltTables& tables)
      : raster_(raster), tables_(tables) {}

  Selection select(const Duty& duty);
  Selection select(const EnteredDuty& entered);

  // The lowest VScroll1 value at HScroll1 `column` at which the window reads at least
  // `pressure` with the pressure read-out black; none where no row of the chart does.
  std::optional<ScrollValue> powerRow(ScrollValue column, float pressure);

 private:
  const ChartState& rowSlots(int row);

  const ChartRaster& raster_;
  const BeltTables& tables_;
  std::array<ChartState, ChartRaster::kHeight> rows_{};
  std::bitset<ChartRaster::kHeight> scanned_;
};

}  // namespace chart
