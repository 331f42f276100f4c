#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "chart/drive_selection.h"
#include "cli/duty_options.h"
#include "cli/output.h"

namespace cli {

// The usage lines of select, its options with their defaults.
std::string selectUsage();
std::string selectBatchUsage();
inline constexpr std::array<std::string_view, 2> kSelectFields{"Q", "P"};

// A duty as typed, or why it never reached the selection.
struct DutyOutcome {
  double delivery = 0;
  double pressure = 0;
  chart::Selection selection;
  std::string error;  // not empty: refused

  const std::string& refusal() const { return error; }
};

// Reads the fields Q and P of a duty and selects for it with the options given.
DutyOutcome selectFor(chart::DriveSelector& selector, chart::EnteredDuty options,
                      std::span<const std::string> fields);

// One line of a selection in text and CSV: the speed answer, or a drive.
struct SelectionLine {
  const DutyOutcome& duty;
  const chart::DriveProposal* drive;  // null on the speed answer's line
};

// Writes a selection one record a line: in text and CSV a line for the speed and power, then
// one per drive; in JSON one object per duty, its drives nested.
class SelectionWriter : RecordWriter {
 public:
  SelectionWriter(std::FILE* out, Format format, bool numbered)
      : RecordWriter(out, format, numbered) {}

  void header();
  void write(std::uint64_t line, const DutyOutcome& outcome);

 private:
  void addLine(const SelectionLine* line);
};

// The `select` subcommand on a parser: the command line's, or the sheet's.
class SelectCommand {
 public:
  explicit SelectCommand(CLI::App& parent);

  bool chosen(const CLI::App* subcommand) const { return subcommand == app_; }
  CLI::App& app() const { return *app_; }
  // Runs the parsed command; returns the exit status. `usageError` says what is wrong and
  // returns its status.
  int run(Format format, const std::function<int(std::string_view message)>& usageError) const;
  // The duty's options as the core reads them from the entries' texts.
  chart::EnteredDuty options() const;
  const std::vector<std::string>& values() const { return values_; }

 private:
  CLI::App* app_;
  std::vector<std::string> values_;
  std::string batch_;
  std::vector<std::string> motors_;  // each --motor as given; none: the duty's own speeds
  std::string series_;
  std::string pulleys_;
  std::string count_;
  BeltOptions belts_;
};

}  // namespace cli
