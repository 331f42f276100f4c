#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "chart/drive_selection.h"

namespace cli {

// The texts of a duty's entries, as the panel's entries hold them: the core's defaults, then
// what the options gave. The core reads the duty from them.
using DutyTexts = std::array<std::string, chart::DutyEntries.size()>;

// The index of the duty entry of that name.
std::size_t entryIndex(std::string_view name);

// The belt drive's options, shared by select and drive: each sets the duty entry of its name.
// Their values are checked as they are parsed, so that a malformed one is a usage error.
class BeltOptions {
 public:
  static constexpr std::size_t kCount = 5;

  explicit BeltOptions(CLI::App& command);

  // The usage words of the options.
  static std::string usage();
  void applyTo(DutyTexts& texts) const;

 private:
  std::array<std::string, kCount> values_;
  std::array<const CLI::Option*, kCount> options_{};
};

// The words of an option's list: separated by commas, blanks around them and empty ones dropped.
std::vector<std::string_view> itemsOf(std::string_view list);

// A default as one argument: a list without the blanks the panel shows in it.
std::string asArgument(std::string_view value);

// A validator that refuses an empty value, which CLI11 would read as 0 or as no list at all.
CLI::Validator notEmpty();
// A validator for one number, as the command's values are read.
CLI::Validator oneNumber();

}  // namespace cli
