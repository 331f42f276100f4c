#include "cli/commands.h"

#include <vector>

#include "chart/checked.h"
#include "chart/memory_window.h"
#include "chart/number_field.h"
#include "chart/numeric_text.h"
#include "chart/scroll_position.h"

namespace cli {
namespace {

// A field as an error message quotes it: printable, and short however long the field is.
std::string quoted(std::string_view text) {
  constexpr std::size_t kShown = 24;
  std::string shown;
  for (const char c : text.substr(0, kShown)) shown += (c >= ' ' && c <= '~') ? c : '?';
  if (text.size() > kShown) shown += "... (" + std::to_string(text.size()) + " characters)";
  return '"' + shown + '"';
}

}  // namespace

const CommandInfo& infoOf(Command command) {
  for (const CommandInfo& info : kCommands) {
    if (info.command == command) return info;
  }
  return kCommands.front();
}

Outcome readingFor(const chart::ChartRaster& raster, Command command, std::span<const std::string> fields) {
  const CommandInfo& info = infoOf(command);
  Outcome outcome;
  if (fields.size() != info.fieldCount) {
    outcome.error = (fields.size() < info.fieldCount ? "too few fields: " : "too many fields: ") +
                    std::to_string(fields.size()) + " where " + std::string(info.name) + " takes " +
                    std::to_string(info.fieldCount);
    return outcome;
  }
  std::array<double, 3> values{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string fieldName(info.fields[i]);
    if (!chart::isNumberField(fields[i])) {
      outcome.error = fieldName + " " + quoted(fields[i]) + " is no number";
      return outcome;
    }
    try {
      values[i] = chart::readNumber(fields[i]);
    } catch (const chart::ChartError&) {
      outcome.error = fieldName + " " + quoted(fields[i]) + " is beyond the range of numbers";
      return outcome;
    }
  }

  chart::MemoryWindow window(raster);
  switch (command) {
    case Command::At: {
      const auto h = chart::hScrollOfSpeed(values[0]);
      const auto v = chart::vScrollOfPower(values[1]);
      if (!h) {
        outcome.error = "SPEED " + quoted(fields[0]) + " is off the chart: " + chart::speedsOnChartText();
      } else if (!v) {
        outcome.error = "POWER " + quoted(fields[1]) + " is off the chart: " + chart::powersOnChartText();
      } else {
        window.scrollTo(*h, *v);
      }
      break;
    }
    case Command::Calculate:
      outcome.refusals = window.calculate(fields[0], fields[1]);
      break;
    case Command::Belt:
      outcome.refusals = window.belt(fields[0], fields[1], fields[2]);
      break;
    case Command::Curves:
      break;
  }
  if (outcome.error.empty()) outcome.reading = window.reading();
  return outcome;
}

}  // namespace cli
