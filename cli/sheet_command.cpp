#include "cli/sheet_command.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "chart/numeric_text.h"
#include "chart/sheet.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "resources/embedded_belts.h"
#include "resources/embedded_chart.h"
#include "sheet/sheet_pdf.h"

namespace cli {
namespace {

enum class Kind { Pdf, Svg };

// The kind of file a name asks for: .svg, else PDF; none for another extension.
std::optional<Kind> kindOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return Kind::Pdf;
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "pdf") return Kind::Pdf;
  if (extension == "svg") return Kind::Svg;
  return std::nullopt;
}

// Today as the sheet prints it; SOURCE_DATE_EPOCH, as reproducible builds set it, fixes the day.
std::string today() {
  std::time_t now = std::time(nullptr);
  bool utc = false;
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0') {
      now = static_cast<std::time_t>(seconds);
      utc = true;
    }
  }
  std::tm day{};
  if (utc) {
    gmtime_r(&now, &day);
  } else {
    localtime_r(&now, &day);
  }
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &day);
  return text;
}

}  // namespace

std::string sheetUsage() {
  return "sheet -o FILE [--reference TEXT] at SPEED POWER | select Q P [...] --proposal N";
}

SheetCommand::SheetCommand(CLI::App& parent)
    : app_(parent.add_subcommand("sheet",
                                 "the one-page sheet of a reading or a proposal, as PDF or SVG")),
      at_(app_->add_subcommand("at", "the reading with the cross-hair at SPEED POWER")),
      select_(*app_) {
  app_->add_option("-o,--output", file_,
                   "where the sheet goes: FILE.pdf or FILE.svg, or - for standard output (PDF)")
      ->type_name("FILE")
      ->required()
      ->check(notEmpty());
  app_->add_option("--reference", reference_, "the customer and the project, printed on the sheet")
      ->type_name("TEXT");
  app_->require_subcommand(1, 1);
  at_->add_option("values", atValues_, "SPEED POWER")->expected(2);
  select_.app()
      .add_option("--proposal", proposal_, "the proposal of the selection, from 1, in its order")
      ->type_name("N")
      ->required()
      ->check(notEmpty())
      ->check(oneNumber());
}

int SheetCommand::run(const std::function<int(std::string_view)>& usageError) const {
  const std::optional<Kind> kind = kindOf(file_);
  if (!kind) return usageError("sheet: " + file_ + " is no .pdf or .svg file");
  const bool fromSelection = select_.app().parsed();
  if (fromSelection && select_.values().size() != 2)
    return usageError("select takes 2 values, not " + std::to_string(select_.values().size()));

  const chart::ChartRaster& raster = embedded::chartRaster();
  chart::SheetContent content{.reading = {}, .reference = reference_, .date = today()};
  chart::EnteredDuty entered = select_.options();
  DutyOutcome outcome;
  if (fromSelection) {
    chart::DriveSelector selector(raster, embedded::beltTables());
    outcome = selectFor(selector, entered, select_.values());
    if (!outcome.refusal().empty()) {
      reportRefused("command line", outcome.refusal());
      return kRefused;
    }
    entered.duty.delivery = outcome.delivery;
    entered.duty.pressure = outcome.pressure;
    std::vector<const chart::DriveProposal*> proposals;
    for (const chart::MotorDrives& motor : outcome.selection.motors) {
      for (const chart::DriveProposal& drive : motor.drives) proposals.push_back(&drive);
    }
    const double n = chart::readNumber(proposal_);
    if (!(n >= 1 && n <= static_cast<double>(proposals.size()) && n == std::floor(n))) {
      reportRefused("command line", "no proposal " + proposal_ + ": the selection has " +
                                        std::to_string(proposals.size()));
      return kRefused;
    }
    const chart::DriveProposal& drive = *proposals[static_cast<std::size_t>(n) - 1];
    content.duty = &entered.duty;
    content.drive = &drive;
    content.reading = drive.reading;
  } else {
    const Outcome at = readingFor(raster, Command::At, atValues_);
    if (!at.refusal().empty()) {
      reportRefused("command line", at.refusal());
      return kRefused;
    }
    content.reading = at.reading;
  }

  const std::vector<chart::sheet::Item> items = chart::drawSheet(content);
  const std::string error = sheet::writeSafely(file_, [&](const sheet::Sink& sink) {
    if (*kind == Kind::Svg) return sink(chart::sheetSvg(items, raster));
    return sheet::writeSheetPdf(items, raster, sink);
  });
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
    return kUnwritable;
  }
  return 0;
}

}  // namespace cli
