#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/select_command.h"

namespace cli {

std::string sheetUsage();

// The `sheet` subcommand: the one-page sheet of a reading or of a proposal, as PDF or SVG.
class SheetCommand {
 public:
  explicit SheetCommand(CLI::App& parent);

  bool chosen(const CLI::App* subcommand) const { return subcommand == app_; }
  CLI::App& app() const { return *app_; }
  int run(const std::function<int(std::string_view message)>& usageError) const;

 private:
  CLI::App* app_;
  CLI::App* at_;
  std::string file_;
  std::string reference_;
  std::vector<std::string> atValues_;
  SelectCommand select_;
  std::string proposal_;
};

}  // namespace cli
