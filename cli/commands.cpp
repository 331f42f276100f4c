#include "cli/commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "chart/checked.h"
#include "chart/memory_window.h"
#include "chart/number_field.h"
#include "chart/numeric_text.h"
#include "chart/scales.h"
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

std::string noNumber(const std::string& fieldName, const std::string& field) {
  std::string error = fieldName + " " + quoted(field) + " is no number";
  std::string withPoint = field;
  std::replace(withPoint.begin(), withPoint.end(), ',', '.');
  if (withPoint != field && chart::isNumberField(withPoint))
    error += " (\".\" is the decimal separator)";
  return error;
}

}  // namespace

std::string readFields(std::string_view command, std::span<const std::string_view> names,
                       std::span<const std::string> fields, std::span<double> values) {
  if (fields.size() != names.size()) {
    return (fields.size() < names.size() ? "too few fields: " : "too many fields: ") +
           std::to_string(fields.size()) + " where " + std::string(command) + " takes " +
           std::to_string(names.size());
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string fieldName(names[i]);
    if (!chart::isNumberField(fields[i])) return noNumber(fieldName, fields[i]);
    try {
      values[i] = chart::readNumber(fields[i]);
    } catch (const chart::ChartError&) {
      return fieldName + " " + quoted(fields[i]) + " is beyond the range of numbers";
    }
  }
  return {};
}

std::string Outcome::refusal() const {
  if (!error.empty()) return error;
  return refusals.any() ? "not placed: " + chart::refusalText(refusals) : std::string();
}

const CommandInfo& infoOf(Command command) {
  for (const CommandInfo& info : kCommands) {
    if (info.command == command) return info;
  }
  return kCommands.front();
}

Outcome readingFor(const chart::ChartRaster& raster, Command command,
                   std::span<const std::string> fields) {
  const CommandInfo& info = infoOf(command);
  Outcome outcome;
  std::array<double, 3> values{};
  outcome.error =
      readFields(info.name, std::span(info.fields).first(info.fieldCount), fields, values);
  if (!outcome.error.empty()) return outcome;

  chart::MemoryWindow window(raster);
  switch (command) {
    case Command::At: {
      const auto h = chart::hScrollOfSpeed(values[0]);
      const auto v = chart::vScrollOfPower(values[1]);
      if (!h) {
        outcome.error =
            "SPEED " + quoted(fields[0]) + " is off the chart: " + chart::speedsOnChartText();
      } else if (!v) {
        outcome.error =
            "POWER " + quoted(fields[1]) + " is off the chart: " + chart::powersOnChartText();
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
