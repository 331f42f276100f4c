#include "cli/select_command.h"

#include <charconv>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/csv_line.h"
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

// "1450,2950" as motor speeds; blanks around a speed and empty entries are dropped. Why the list
// cannot be read, or "".
std::string readMotorSpeeds(std::string_view list, std::vector<int>& speeds) {
  const std::size_t before = speeds.size();
  while (true) {
    const std::size_t comma = list.find(',');
    std::string_view entry = list.substr(0, comma);
    if (const std::size_t first = entry.find_first_not_of(" \t"); first != entry.npos) {
      entry = entry.substr(first, entry.find_last_not_of(" \t") + 1 - first);
      int speed = 0;
      const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), speed);
      if (error != std::errc() || end != entry.data() + entry.size())
        return '"' + std::string(entry) + "\" is no whole number";
      speeds.push_back(speed);
    }
    if (comma == list.npos) break;
    list.remove_prefix(comma + 1);
  }
  return speeds.size() > before ? std::string() : "no motor speed in the list";
}

std::string numberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

Json readingJson(const chart::Reading& r) {
  Json json;
  addReadingJson(json, r);
  return json;
}

// One row of the text and CSV formats: the speed answer or a drive.
struct Row {
  std::string_view answer;  // "speed" or "drive"
  const chart::DriveProposal* drive;  // null for the speed answer
  const chart::Reading& reading;
  std::string notes;
};

}  // namespace

DutyOutcome selectFor(chart::DriveSelector& selector, chart::Duty options,
                      std::span<const std::string> fields) {
  DutyOutcome outcome;
  std::array<double, kSelectFields.size()> values{};
  outcome.error = readFields("select", kSelectFields, fields, values);
  if (!outcome.error.empty()) return outcome;
  outcome.delivery = options.delivery = values[0];
  outcome.pressure = options.pressure = values[1];
  outcome.selection = selector.select(options);
  if (outcome.selection.refusals.any())
    outcome.error = chart::selectionRefusalText(outcome.selection);
  return outcome;
}

void SelectionWriter::header() {
  putHeader(
      "duty_delivery,duty_pressure,answer,delivery_speed,motor_speed,motor_pulley,airend_pulley,belt_speed,"
      "reaches_delivery,hscroll,vscroll,speed,power,pressure,delivery,delivery_class,speed_power_red,"
      "pressure_red,reasons",
      "     Q     P answer motor pulleys belt m/s hscroll vscroll speed power pressure delivery class    "
      "red         notes");
}

void SelectionWriter::write(std::uint64_t line, const DutyOutcome& outcome) {
  const chart::Selection& s = outcome.selection;
  const bool failed = !outcome.error.empty();
  if (format_ == Format::Json) {
    Json json;
    if (numbered_) json["line"] = line;
    if (failed) {
      json["error"] = outcome.error;
    } else {
      json["duty_delivery"] = outcome.delivery;
      json["duty_pressure"] = outcome.pressure;
      json["delivery_speed"] = s.deliverySpeed;
      json["reading"] = readingJson(s.reading);
      Json drives = Json::array();
      for (const chart::MotorDrives& motor : s.motors) {
        for (const chart::DriveProposal& d : motor.drives) {
          drives.push_back({{"motor_speed", d.motorSpeed},
                            {"motor_pulley", d.motorPulley},
                            {"airend_pulley", d.airEndPulley},
                            {"belt_speed", std::stod(chart::beltSpeedText(d.beltSpeed))},
                            {"reaches_delivery", d.reachesDelivery},
                            {"reading", readingJson(d.reading)}});
        }
      }
      json["drives"] = drives;
    }
    record_ = dumped(json);
    put();
    return;
  }
  if (failed) {
    // Every answer column empty, the error in the last.
    if (format_ == Format::Csv) {
      record_ += std::to_string(line);
      record_.append(20, ',');
      record_ += csvField(outcome.error);
    } else {
      padLeft(record_, std::to_string(line), 6);
      record_ += " error: " + outcome.error;
    }
    put();
    return;
  }

  std::vector<Row> rows;
  rows.push_back({"speed", nullptr, s.reading, chart::answerNotes(s)});
  for (const chart::MotorDrives& motor : s.motors) {
    for (const chart::DriveProposal& d : motor.drives)
      rows.push_back({"drive", &d, d.reading, chart::driveNotes(d)});
  }
  for (const Row& row : rows) {
    const chart::Reading& r = row.reading;
    const chart::DriveProposal* d = row.drive;
    if (format_ == Format::Csv) {
      if (numbered_) record_ += std::to_string(line) + ',';
      record_ += numberText(outcome.delivery) + ',' + numberText(outcome.pressure) + ',';
      record_ += std::string(row.answer) + ',';
      record_ += d ? "" : std::to_string(s.deliverySpeed);
      record_ += ',';
      if (d) {
        record_ += std::to_string(d->motorSpeed) + ',' + std::to_string(d->motorPulley) + ',' +
                   std::to_string(d->airEndPulley) + ',' + chart::beltSpeedText(d->beltSpeed) +
                   ',' + std::string(boolText(d->reachesDelivery));
      } else {
        record_ += ",,,,";
      }
      record_ += ',';
      addReadingCsv(record_, r);
      if (numbered_) record_ += ',';
    } else {
      if (numbered_) {
        padLeft(record_, std::to_string(line), 6);
        record_ += ' ';
      }
      padLeft(record_, numberText(outcome.delivery), 6);
      padLeft(record_, numberText(outcome.pressure), 6);
      record_ += ' ';
      padRight(record_, row.answer, 6);
      padLeft(record_, d ? std::to_string(d->motorSpeed) : "-", 6);
      record_ += ' ';
      padRight(record_,
               d ? std::to_string(d->motorPulley) + '/' + std::to_string(d->airEndPulley) : "-", 7);
      padLeft(record_, d ? chart::beltSpeedText(d->beltSpeed) : "-", 9);
      record_ += ' ';
      addReadingText(record_, r);
      if (!row.notes.empty()) record_ += ' ' + row.notes;
      dropTrailingBlanks(record_);
    }
    put();
  }
}

SelectCommand::SelectCommand(CLI::App& app)
    : app_(app.add_subcommand("select",
                              "speed, power and belt drives for a duty: Q m3/min at P bar")) {
  app_->add_option("values", values_, "Q P");
  app_->add_option("--batch", batch_,
                   "one CSV line of Q,P per duty, from FILE or - (standard input)")
      ->type_name("FILE");
  // One argument each time, so that a list without a speed never takes the duty that follows.
  app_->add_option("--motor", motors_, "motor speeds in 1/min, comma-separated (default 1450,2950)")
      ->allow_extra_args(false)
      ->type_name("SPEEDS")
      ->check(CLI::Validator(
          [](const std::string& list) {
            std::vector<int> speeds;
            return readMotorSpeeds(list, speeds);
          },
          ""));
  std::vector<std::string> series;
  for (const chart::PulleySeriesEntry& entry : chart::PulleySeriesTable)
    series.emplace_back(entry.name);
  app_->add_option("--series", series_, "pulley series (default R40)")
      ->check(CLI::IsMember(series));
  app_->add_option("--pulleys", pulleys_, "smallest and largest pulley in mm (default 63-500)")
      ->type_name("MIN-MAX")
      ->check(CLI::Validator(
          [](const std::string& text) {
            return pulleyRange(text) ? std::string() : "not two whole numbers MIN-MAX";
          },
          ""));
  // CLI11 reads an empty value as 0, which would be refused as if it were the duty's.
  app_->add_option("--count", count_, "drives proposed per motor speed (default 5)")
      ->check(CLI::Validator(
          [](const std::string& text) { return text.empty() ? "an empty value" : std::string(); },
          ""));
}

int SelectCommand::run(Format format,
                       const std::function<int(std::string_view)>& usageError) const {
  chart::Duty options;
  if (!motors_.empty()) {
    options.motorSpeeds.clear();
    for (const std::string& list : motors_) readMotorSpeeds(list, options.motorSpeeds);
  }
  for (const chart::PulleySeriesEntry& entry : chart::PulleySeriesTable) {
    if (entry.name == series_) options.series = entry.series;
  }
  const auto range = pulleyRange(pulleys_);
  options.smallestPulley = range->first;
  options.largestPulley = range->second;
  options.count = count_;

  const bool batched = app_->count("--batch") > 0;
  if (batched && !values_.empty()) return usageError("select: give Q and P or --batch, not both");
  if (!batched && values_.size() != 2)
    return usageError("select takes 2 values, not " + std::to_string(values_.size()));
  chart::DriveSelector selector(embedded::chartRaster());
  SelectionWriter writer(stdout, format, batched);
  if (batched) {
    return answerBatch(batch_, kSelectFields, writer, [&](std::span<const std::string> fields) {
      return selectFor(selector, options, fields);
    });
  }
  return answerCommandLine(writer, selectFor(selector, options, values_));
}

}  // namespace cli
