// qnte418grafik-read: the chart's readings for scripts and reports, from the same core and
// the same in-memory controls as every other front end. Exit status 0 when every reading
// was made, 1 when an input was refused, 2 for a usage error, 3 when the output cannot be
// written.
#include <cctype>
#include <cstdio>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "chart/curve_ends.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/drive_command.h"
#include "cli/output.h"
#include "cli/select_command.h"
#include "cli/sheet_command.h"
#include "resources/embedded_chart.h"

namespace {

using cli::kProgram;
using cli::kUsage;
using cli::outputWritten;
using cli::unwritable;

std::string usage() {
  std::string text;
  const std::string program = std::string(kProgram) + ' ';
  const std::string options = program + "[--format text|csv|json] ";
  const auto line = [&](const std::string& words) {
    text += (text.empty() ? "Usage: " : "       ") + words + '\n';
  };
  for (const cli::CommandInfo& info : cli::kCommands) {
    std::string words = options + std::string(info.name);
    for (std::size_t i = 0; i < info.fieldCount; ++i) words += ' ' + std::string(info.fields[i]);
    line(words);
  }
  line(options + "at|calculate|belt --batch FILE|-");
  line(options + cli::selectUsage());
  line(options + cli::selectBatchUsage());
  line(options + cli::driveUsage());
  line(options + "drive --batch FILE|- [--centre ...] [...]");
  line(program + cli::sheetUsage());
  line(program + "--help | --version");
  return text;
}

int usageError(std::string_view message) {
  std::fprintf(stderr, "%s: %.*s\n%s", kProgram, static_cast<int>(message.size()), message.data(),
               usage().c_str());
  return kUsage;
}

std::string takes(const cli::CommandInfo& info) {
  std::string text =
      std::string(info.name) + " takes " + std::to_string(info.fieldCount) + " values:";
  for (std::size_t i = 0; i < info.fieldCount; ++i) text += ' ' + std::string(info.fields[i]);
  return text;
}

// What CLI11 could not place, said the way a person looks for it: the word itself.
std::string parseErrorMessage(const CLI::App& app, const CLI::ParseError& error,
                              const std::map<const CLI::App*, std::string>& takes) {
  const std::vector<std::string> extras = app.remaining(true);
  for (const std::string& extra : extras) {
    if (!extra.starts_with('-') || extra.size() == 1 ||
        std::isdigit(static_cast<unsigned char>(extra[1])))
      continue;
    std::string message = "unknown option \"" + extra + '"';
    // As for getopt: "-" and a digit start a value; any other value after "--".
    if (!extra.starts_with("--")) message += " (a value that begins with \"-\" goes after \"--\")";
    return message;
  }
  if (app.get_subcommands().empty()) {
    return extras.empty() ? error.what() : "unknown command \"" + extras.front() + '"';
  }
  const auto command = takes.find(app.get_subcommands().front());
  if (std::string_view(error.what()).starts_with("values:") && command != takes.end())
    return command->second;
  return error.what();
}

// --help and --version, written as every record is: their loss is a failed run.
int show(const CLI::App& app, const CLI::ParseError& request) {
  std::ostringstream out, err;
  const int status = app.exit(request, out, err);
  std::fputs(out.str().c_str(), stdout);
  std::fflush(stdout);
  return outputWritten() ? status : unwritable();
}

}  // namespace

int main(int argc, char** argv) {
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  CLI::App app{
      "Readings of the QNTe418 performance chart, exactly as the qnte418grafik window shows them.",
      kProgram};
  app.set_version_flag("--version", std::string(kProgram) + ' ' + QNTE_VERSION);
  app.footer(
      usage() +
      "\nWith --batch, one CSV line of arguments per reading; one record per line comes out, "
      "in order.\n"
      "Exit status: 0 every reading made, 1 an input refused (named on standard error), 2 usage,\n"
      "3 the output cannot be written.\n"
      "See qnte418grafik-read(1).");
  app.require_subcommand(0, 1);  // none is reported below, with the usage
  app.fallthrough();
  std::string formatName = "text";
  app.add_option("--format", formatName,
                 "text (an aligned table), csv (with a header line) or json (one object a line)")
      ->check(CLI::IsMember({"text", "csv", "json"}));

  std::map<const CLI::App*, cli::Command> commands;
  std::vector<std::string> values;
  std::string batch;
  for (const cli::CommandInfo& info : cli::kCommands) {
    CLI::App* sub = app.add_subcommand(std::string(info.name), std::string(info.summary));
    commands[sub] = info.command;
    if (info.fieldCount == 0) continue;
    std::string names;
    for (std::size_t i = 0; i < info.fieldCount; ++i)
      names += (i ? " " : "") + std::string(info.fields[i]);
    // Exactly as many as the command takes, so that a "--" between them ends the options
    // and not the command.
    sub->add_option("values", values, names)->expected(static_cast<int>(info.fieldCount));
    sub->add_option("--batch", batch,
                    "one CSV line of " + names + " per reading, from FILE or - (standard input)")
        ->type_name("FILE");
  }

  cli::SelectCommand select(app);  // their options are parsed into them
  cli::DriveCommand drive(app);
  cli::SheetCommand sheet(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return show(app, e);  // --help, --version
    std::map<const CLI::App*, std::string> takesOf;
    for (const auto& [sub, command] : commands) takesOf[sub] = takes(cli::infoOf(command));
    takesOf[&drive.app()] = cli::driveTakes();
    return usageError(parseErrorMessage(app, e, takesOf));
  }
  if (app.get_subcommands().empty()) return usageError("a command is required");

  const CLI::App* chosen = app.get_subcommands().front();
  const cli::Format format = formatName == "csv"    ? cli::Format::Csv
                             : formatName == "json" ? cli::Format::Json
                                                    : cli::Format::Text;
  if (sheet.chosen(chosen)) return sheet.run(usageError);
  if (select.chosen(chosen) || drive.chosen(chosen)) {
    const int status =
        select.chosen(chosen) ? select.run(format, usageError) : drive.run(format, usageError);
    std::fflush(stdout);
    return outputWritten() ? status : unwritable();
  }
  const cli::Command command = commands.at(chosen);
  const cli::CommandInfo& info = cli::infoOf(command);
  const bool batched = command != cli::Command::Curves && chosen->count("--batch") > 0;

  const chart::ChartRaster& raster = embedded::chartRaster();
  int status = 0;
  if (command == cli::Command::Curves) {
    cli::CurveWriter writer(stdout, format);
    writer.header();
    for (int row = 0; row < chart::ChartRaster::kHeight && outputWritten(); ++row) {
      writer.write(chart::curveEndsInRow(raster, row));
    }
  } else {
    cli::ReadingWriter writer(stdout, format, cli::isCalculator(command), batched);
    if (batched) {
      if (!values.empty())
        return usageError(std::string(info.name) + ": give the values or --batch, not both");
      status = cli::answerBatch(batch, std::span(info.fields).first(info.fieldCount), writer,
                                [&](std::span<const std::string> fields) {
                                  return cli::readingFor(raster, command, fields);
                                });
    } else {
      if (values.size() != info.fieldCount) return usageError(takes(info));
      status = cli::answerCommandLine(writer, cli::readingFor(raster, command, values));
    }
  }
  std::fflush(stdout);
  return outputWritten() ? status : unwritable();
}
