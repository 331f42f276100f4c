#include "cli/drive_command.h"

#include "chart/drive_selection.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/design_columns.h"
#include "resources/embedded_belts.h"

namespace cli {
namespace {

// What the options and a line's fields ask for, as the core reads the duty's entries.
struct DriveOptions {
  chart::Duty duty;
  std::string refused;  // why the options themselves are refused
};

DriveOutcome designFor(const DriveOptions& options, std::span<const std::string> fields) {
  DriveOutcome outcome;
  std::array<double, kDriveFields.size()> values{};
  outcome.error = readFields("drive", kDriveFields, fields, values);
  if (!outcome.error.empty()) return outcome;
  const chart::Duty& duty = options.duty;
  outcome.request = {.power = values[0],
                     .serviceFactor = duty.serviceFactor,
                     .motorSpeed = values[1],
                     .motorPulley = values[2],
                     .airEndPulley = values[3],
                     .centre = duty.centre};
  outcome.limits = duty.limits;
  if (!options.refused.empty()) {
    outcome.error = options.refused;
    return outcome;
  }
  chart::DesignRefusals refusals;
  bool sound = false;
  for (const chart::BeltProfile profile : duty.profiles) {
    const chart::BeltDesign& design = outcome.designs.emplace_back(
        chart::designDrive(embedded::beltTables(), profile, outcome.request, duty.limits));
    sound = sound || design.sound();
    refusals |= design.refusals;
  }
  if (!sound) {
    outcome.refused =
        "no belt drive within the limits: " +
        chart::designRefusalText(refusals, duty.limits, embedded::beltTables(), duty.profiles);
  }
  return outcome;
}

// "POWER MOTOR_SPEED ...": the values a drive takes, by name.
std::string fieldNames() {
  std::string names;
  for (const std::string_view field : kDriveFields)
    names += (names.empty() ? "" : " ") + std::string(field);
  return names;
}

}  // namespace

std::string driveTakes() {
  return "drive takes " + std::to_string(kDriveFields.size()) + " values: " + fieldNames();
}

std::string driveUsage() { return "drive " + fieldNames() + BeltOptions::usage(); }

namespace {

using Request = chart::DriveRequest;

constexpr auto kRequestColumns = std::to_array<Column<Request>>({
    {.name = "power",
     .width = 6,
     .value = [](const Request& r) -> Value { return number(r.power); }},
    {.name = "motor_speed",
     .text = "motor",
     .width = 5,
     .value = [](const Request& r) -> Value { return number(r.motorSpeed); }},
    {.name = "motor_pulley",
     .text = "pulley",
     .width = 6,
     .value = [](const Request& r) -> Value { return number(r.motorPulley); }},
    {.name = "airend_pulley",
     .text = "airend",
     .width = 6,
     .value = [](const Request& r) -> Value { return number(r.airEndPulley); }},
    {.name = "service_factor",
     .text = "c2",
     .width = 4,
     .value = [](const Request& r) -> Value { return number(r.serviceFactor); }},
});

// A section's design with the limits it was held to: whether it can be ordered, and if not why.
struct Verdict {
  const chart::BeltDesign& design;
  std::vector<std::string> refused;
};

constexpr auto kVerdictColumns = std::to_array<Column<Verdict>>({
    {.name = "sound",
     .shown = kData,
     .value = [](const Verdict& v) -> Value { return v.design.sound(); }},
    {.name = "refused",
     .text = "notes",
     .align = Align::Left,
     .value = [](const Verdict& v) -> Value { return Words(v.refused.begin(), v.refused.end()); }},
});

Verdict verdictOf(const DriveOutcome& outcome, const chart::BeltDesign& design) {
  return {design, chart::designRefusalWords(design.refusals, outcome.limits, embedded::beltTables(),
                                            std::array{design.profile})};
}

}  // namespace

void DriveWriter::header() {
  startHeader();
  addLine(nullptr, nullptr);
  finish();
}

void DriveWriter::addLine(const DriveOutcome* outcome, const chart::BeltDesign* design) {
  add(kRequestColumns, outcome ? &outcome->request : nullptr);
  add(kDesignColumns, design);
  if (outcome && design) {
    const Verdict verdict = verdictOf(*outcome, *design);
    add(kVerdictColumns, &verdict);
  } else {
    add(kVerdictColumns, nullptr);
  }
}

void DriveWriter::write(std::uint64_t number, const DriveOutcome& outcome) {
  if (!outcome.error.empty()) {
    start(number, outcome.error);
    addLine(nullptr, nullptr);
    finish();
    return;
  }
  if (format_ == Format::Json) {
    start(number);
    add(kRequestColumns, &outcome.request);
    Json designs = Json::array();
    for (const chart::BeltDesign& design : outcome.designs) {
      Json& object = designs.emplace_back(jsonObject(kDesignColumns, design));
      object.update(jsonObject(kVerdictColumns, verdictOf(outcome, design)));
    }
    json_["designs"] = std::move(designs);
    finish();
    return;
  }
  for (const chart::BeltDesign& design : outcome.designs) {
    start(number);
    addLine(&outcome, &design);
    finish();
  }
}

DriveCommand::DriveCommand(CLI::App& parent)
    : app_(parent.add_subcommand(
          "drive", "one wedge belt drive designed without the chart, the motor's pulley driving")),
      belts_(*app_) {
  const std::string names = fieldNames();
  app_->add_option("values", values_, names)->expected(static_cast<int>(kDriveFields.size()));
  app_->add_option("--batch", batch_,
                   "one CSV line of " + names + " per drive, from FILE or - (standard input)")
      ->type_name("FILE");
}

int DriveCommand::run(Format format, const std::function<int(std::string_view)>& usageError) const {
  DutyTexts texts = chart::defaultEntryTexts();
  belts_.applyTo(texts);
  const chart::EnteredDuty entered = chart::dutyFromEntries(texts);
  chart::Selection refusals;
  refusals.refusals = entered.refusals | chart::beltOptionRefusals(entered.duty);
  const DriveOptions options{entered.duty, refusals.refusals.any()
                                               ? chart::selectionRefusalText(refusals)
                                               : std::string()};
  const bool batched = app_->count("--batch") > 0;
  if (batched && !values_.empty()) return usageError("drive: give the values or --batch, not both");
  if (!batched && values_.size() != kDriveFields.size()) return usageError(driveTakes());
  DriveWriter writer(stdout, format, batched);
  if (batched) {
    return answerBatch(batch_, kDriveFields, writer, [&](std::span<const std::string> fields) {
      return designFor(options, fields);
    });
  }
  return answerCommandLine(writer, designFor(options, values_));
}

}  // namespace cli
