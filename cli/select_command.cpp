#include "cli/select_command.h"

#include <charconv>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/design_columns.h"
#include "resources/embedded_belts.h"
#include "resources/embedded_chart.h"

namespace cli {
namespace {

// "63-500" as the smallest and the largest pulley; none unless both are whole numbers.
std::optional<std::pair<int, int>> pulleyRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || dash == 0) return std::nullopt;
  const auto whole = [](std::string_view digits, int& value) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
  };
  std::pair<int, int> range;
  if (!whole(text.substr(0, dash), range.first) || !whole(text.substr(dash + 1), range.second))
    return std::nullopt;
  return range;
}

// Why "1450,2950" cannot be read as motor speeds, or "".
std::string motorSpeedsProblem(std::string_view list) {
  const std::vector<std::string_view> speeds = itemsOf(list);
  if (speeds.empty()) return "no motor speed in the list";
  for (const std::string_view speed : speeds) {
    int value = 0;
    const auto [end, error] = std::from_chars(speed.data(), speed.data() + speed.size(), value);
    if (error != std::errc() || end != speed.data() + speed.size())
      return '"' + std::string(speed) + "\" is no whole number";
  }
  return {};
}

// JSON nests each reading and the list of drives under these keys.
constexpr const char* kReadingKey = "reading";
constexpr const char* kDrivesKey = "drives";

const chart::Reading& readingOf(const SelectionLine& line) {
  return line.drive ? line.drive->reading : line.duty.selection.reading;
}

// The duty and the answer a line gives; in JSON the duty's object.
constexpr auto kDutyColumns = std::to_array<Column<SelectionLine>>({
    {.name = "duty_delivery",
     .text = "Q",
     .width = 6,
     .value = [](const SelectionLine& l) -> Value { return number(l.duty.delivery); }},
    {.name = "duty_pressure",
     .text = "P",
     .width = 5,
     .value = [](const SelectionLine& l) -> Value { return number(l.duty.pressure); }},
    {.name = "answer",
     .shown = kTable,
     .align = Align::Left,
     .width = 6,
     .value = [](const SelectionLine& l) -> Value { return l.drive ? "drive" : "speed"; }},
    {.name = "delivery_speed",
     .shown = kData,
     .value = [](const SelectionLine& l) -> Value {
       return l.drive ? Value() : Value(l.duty.selection.deliverySpeed);
     }},
});

// A belt drive; in JSON each drive's object.
constexpr auto kDriveColumns = std::to_array<Column<chart::DriveProposal>>({
    {.name = "motor_speed",
     .text = "motor",
     .width = 5,
     .value = field<&chart::DriveProposal::motorSpeed>},
    {.name = "pulleys",
     .shown = kTextOnly,
     .align = Align::Left,
     .width = 7,
     .value = [](const chart::DriveProposal& d) -> Value {
       return std::to_string(d.motorPulley) + '/' + std::to_string(d.airEndPulley);
     }},
    {.name = "motor_pulley", .shown = kData, .value = field<&chart::DriveProposal::motorPulley>},
    {.name = "airend_pulley", .shown = kData, .value = field<&chart::DriveProposal::airEndPulley>},
    {.name = "reaches_delivery",
     .shown = kData,
     .value = field<&chart::DriveProposal::reachesDelivery>},
});

constexpr auto kSelectionNotes = std::to_array<Column<SelectionLine>>({
    {.name = "notes",
     .shown = kTextOnly,
     .align = Align::Left,
     .value = [](const SelectionLine& l) -> Value {
       return l.drive ? chart::driveNotes(*l.drive) : chart::answerNotes(l.duty.selection);
     }},
});

}  // namespace

std::string selectUsage() {
  const DutyTexts defaults = chart::defaultEntryTexts();
  std::string series;
  for (const std::string_view name : chart::PulleySeriesNames)
    series += (series.empty() ? "" : "|") + std::string(name);
  return "select Q P [--motor " + asArgument(defaults[entryIndex("motors")]) + "] [--series " +
         series + "] [--pulleys " + defaults[entryIndex("smallest")] + '-' +
         defaults[entryIndex("largest")] + "] [--count " + defaults[entryIndex("count")] + ']' +
         BeltOptions::usage();
}

std::string selectBatchUsage() { return "select --batch FILE|- [--motor ...] [...]"; }

DutyOutcome selectFor(chart::DriveSelector& selector, chart::EnteredDuty options,
                      std::span<const std::string> fields) {
  DutyOutcome outcome;
  std::array<double, kSelectFields.size()> values{};
  outcome.error = readFields("select", kSelectFields, fields, values);
  if (!outcome.error.empty()) return outcome;
  outcome.delivery = options.duty.delivery = values[0];
  outcome.pressure = options.duty.pressure = values[1];
  outcome.selection = selector.select(options);
  if (outcome.selection.refusals.any())
    outcome.error = chart::selectionRefusalText(outcome.selection);
  return outcome;
}

void SelectionWriter::header() {
  startHeader();
  addLine(nullptr);
  finish();
}

void SelectionWriter::write(std::uint64_t line, const DutyOutcome& outcome) {
  const chart::Selection& s = outcome.selection;
  const SelectionLine answer{outcome, nullptr};
  if (!outcome.error.empty()) {
    start(line, outcome.error);
    addLine(nullptr);
    finish();
  } else if (format_ == Format::Json) {
    start(line);
    add(kDutyColumns, &answer);
    json_[kReadingKey] = jsonObject(readingColumns(), s.reading);
    Json drives = Json::array();
    for (const chart::MotorDrives& motor : s.motors) {
      for (const chart::DriveProposal& d : motor.drives) {
        Json& drive = drives.emplace_back(jsonObject(kDriveColumns, d));
        drive.update(jsonObject(kDesignColumns, d.design));
        drive[kReadingKey] = jsonObject(readingColumns(), d.reading);
      }
    }
    json_[kDrivesKey] = std::move(drives);
    finish();
  } else {
    start(line);
    addLine(&answer);
    finish();
    for (const chart::MotorDrives& motor : s.motors) {
      for (const chart::DriveProposal& d : motor.drives) {
        const SelectionLine drive{outcome, &d};
        start(line);
        addLine(&drive);
        finish();
      }
    }
  }
}

void SelectionWriter::addLine(const SelectionLine* line) {
  add(kDutyColumns, line);
  add(kDriveColumns, line ? line->drive : nullptr);
  add(kDesignColumns, line && line->drive ? &line->drive->design : nullptr);
  add(readingColumns(), line ? &readingOf(*line) : nullptr);
  add(kSelectionNotes, line);
}

SelectCommand::SelectCommand(CLI::App& parent)
    : app_(parent.add_subcommand("select",
                                 "speed, power and belt drives for a duty: Q m3/min at P bar")),
      belts_(*app_) {
  const DutyTexts defaults = chart::defaultEntryTexts();
  const auto initially = [&](std::string_view entry) {
    return " (default " + asArgument(defaults[entryIndex(entry)]) + ')';
  };
  app_->add_option("values", values_, "Q P");
  app_->add_option("--batch", batch_,
                   "one CSV line of Q,P per duty, from FILE or - (standard input)")
      ->type_name("FILE");
  // One argument each time, so that a list without a speed never takes the duty that follows.
  app_->add_option("--motor", motors_,
                   "motor speeds in 1/min, comma-separated" + initially("motors"))
      ->allow_extra_args(false)
      ->type_name("SPEEDS")
      ->check(CLI::Validator(motorSpeedsProblem, ""));
  app_->add_option("--series", series_, "pulley series" + initially("series"))
      ->check(CLI::IsMember(std::vector<std::string>(chart::PulleySeriesNames.begin(),
                                                     chart::PulleySeriesNames.end())));
  app_->add_option("--pulleys", pulleys_,
                   "smallest and largest pulley in mm (default " +
                       defaults[entryIndex("smallest")] + '-' + defaults[entryIndex("largest")] +
                       ')')
      ->type_name("MIN-MAX")
      ->check(CLI::Validator(
          [](const std::string& text) {
            return pulleyRange(text) ? std::string() : "not two whole numbers MIN-MAX";
          },
          ""));
  app_->add_option("--count", count_, "drives proposed per motor speed" + initially("count"))
      ->check(notEmpty())
      ->check(oneNumber());
}

chart::EnteredDuty SelectCommand::options() const {
  DutyTexts texts = chart::defaultEntryTexts();
  if (!motors_.empty()) {
    std::string& motors = texts[entryIndex("motors")];
    motors.clear();
    for (const std::string& list : motors_) motors += (motors.empty() ? "" : ",") + list;
  }
  if (!series_.empty()) texts[entryIndex("series")] = series_;
  if (const auto range = pulleyRange(pulleys_)) {
    texts[entryIndex("smallest")] = std::to_string(range->first);
    texts[entryIndex("largest")] = std::to_string(range->second);
  }
  if (!count_.empty()) texts[entryIndex("count")] = count_;
  belts_.applyTo(texts);
  return chart::dutyFromEntries(texts);
}

int SelectCommand::run(Format format,
                       const std::function<int(std::string_view)>& usageError) const {
  const chart::EnteredDuty entered = options();
  const bool batched = app_->count("--batch") > 0;
  if (batched && !values_.empty()) return usageError("select: give Q and P or --batch, not both");
  if (!batched && values_.size() != 2)
    return usageError("select takes 2 values, not " + std::to_string(values_.size()));
  chart::DriveSelector selector(embedded::chartRaster(), embedded::beltTables());
  SelectionWriter writer(stdout, format, batched);
  if (batched) {
    return answerBatch(batch_, kSelectFields, writer, [&](std::span<const std::string> fields) {
      return selectFor(selector, entered, fields);
    });
  }
  return answerCommandLine(writer, selectFor(selector, entered, values_));
}

}  // namespace cli
