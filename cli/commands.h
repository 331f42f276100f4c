#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "chart/chart_raster.h"
#include "chart/reading.h"
#include "chart/refusals.h"

namespace cli {

enum class Command { At, Calculate, Belt, Curves };

struct CommandInfo {
  Command command;
  std::string_view name;
  std::array<std::string_view, 3> fields;  // the arguments, as the usage names them
  std::size_t fieldCount;
  std::string_view summary;
};

inline constexpr std::array<CommandInfo, 4> kCommands{{
    {Command::At,
     "at",
     {"SPEED", "POWER"},
     2,
     "the reading with the cross-hair at a speed (1/min) and a power (kW)"},
    {Command::Calculate,
     "calculate",
     {"POWER", "PRESSURE"},
     2,
     "the first calculator: a power (kW) and a pressure (bar) on a fresh window"},
    {Command::Belt,
     "belt",
     {"MOTOR_SPEED", "MOTOR_PULLEY", "AIREND_PULLEY"},
     3,
     "the second calculator: a belt drive on a fresh window"},
    {Command::Curves,
     "curves",
     {},
     0,
     "where the 13, 10, 7 and 4 bar curves end in every chart row"},
}};

const CommandInfo& infoOf(Command command);
inline bool isCalculator(Command command) {
  return command == Command::Calculate || command == Command::Belt;
}

// One reading as a front end reports it: the window's read-outs after the action, or why
// the input never reached the window.
struct Outcome {
  chart::Reading reading;
  chart::Refusals refusals{};  // calculators only
  std::string error;  // not empty: the input was refused

  // Why the reading was refused, or "": a calculator that would not place the cross-hair is
  // refused too, though its record is written.
  std::string refusal() const;
};

// Reads the numbers of a command's fields into `values`; returns why they cannot be read, or "".
std::string readFields(std::string_view command, std::span<const std::string_view> names,
                       std::span<const std::string> fields, std::span<double> values);

// Runs one reading of `at`, `calculate` or `belt` on a fresh window in memory.
Outcome readingFor(const chart::ChartRaster& raster, Command command,
                   std::span<const std::string> fields);

}  // namespace cli
