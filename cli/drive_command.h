#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "chart/belt_design.h"
#include "cli/duty_options.h"
#include "cli/output.h"

namespace cli {

inline constexpr std::array<std::string_view, 4> kDriveFields{"POWER", "MOTOR_SPEED",
                                                              "MOTOR_PULLEY", "AIREND_PULLEY"};
std::string driveUsage();
std::string driveTakes();

// One drive as asked for, designed in each section the options allow, or why it never got there.
struct DriveOutcome {
  chart::DriveRequest request;
  chart::DriveLimits limits;
  std::vector<chart::BeltDesign> designs;
  std::string refused;  // why no section gives a drive that can be ordered
  std::string error;  // not empty: the fields could not be read

  const std::string& refusal() const { return error.empty() ? refused : error; }
};

// Writes a drive's designs: in text and CSV a line per section, in JSON one object a drive.
class DriveWriter : RecordWriter {
 public:
  DriveWriter(std::FILE* out, Format format, bool numbered) : RecordWriter(out, format, numbered) {}

  void header();
  void write(std::uint64_t line, const DriveOutcome& outcome);

 private:
  void addLine(const DriveOutcome* outcome, const chart::BeltDesign* design);
};

// The `drive` subcommand: one belt drive designed without the chart, the motor's pulley driving.
class DriveCommand {
 public:
  explicit DriveCommand(CLI::App& parent);

  bool chosen(const CLI::App* subcommand) const { return subcommand == app_; }
  CLI::App& app() const { return *app_; }
  int run(Format format, const std::function<int(std::string_view message)>& usageError) const;

 private:
  CLI::App* app_;
  std::vector<std::string> values_;
  std::string batch_;
  BeltOptions belts_;
};

}  // namespace cli
