// qnte418grafik-read: the chart's readings for scripts and reports, from the same core and
// the same in-memory controls as every other front end. Exit status 0 when every reading
// was made, 1 when an input was refused, 2 for a usage error, 3 when the output cannot be
// written.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "chart/curve_ends.h"
#include "cli/commands.h"
#include "cli/csv_line.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/select_command.h"
#include "resources/embedded_chart.h"

namespace {

constexpr const char* kProgram = "qnte418grafik-read";
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kUnwritable = 3;

// The error of the first failed write to standard output; 0 while every write succeeded.
int writeError = 0;

// Checked after every record, so that the first failed write ends the run: nothing after it
// could be written either.
bool outputWritten() {
  if (writeError == 0 && std::ferror(stdout)) writeError = errno != 0 ? errno : EIO;
  return writeError == 0;
}

int unwritable() {
  std::fprintf(stderr, "%s: cannot write the readings: %s\n", kProgram, std::strerror(writeError));
  return kUnwritable;
}

std::string usage() {
  std::string text;
  const std::string program = std::string(kProgram) + ' ';
  const std::string options = program + "[--format text|csv|json] ";
  const auto line = [&](const std::string& words) { text += (text.empty() ? "Usage: " : "       ") + words + '\n'; };
  for (const cli::CommandInfo& info : cli::kCommands) {
    std::string words = options + std::string(info.name);
    for (std::size_t i = 0; i < info.fieldCount; ++i) words += ' ' + std::string(info.fields[i]);
    line(words);
  }
  line(options + "at|calculate|belt --batch FILE|-");
  line(options + std::string(cli::kSelectUsage));
  line(options + std::string(cli::kSelectBatchUsage));
  line(program + "--help | --version");
  return text;
}

int usageError(std::string_view message) {
  std::fprintf(stderr, "%s: %.*s\n%s", kProgram, static_cast<int>(message.size()), message.data(), usage().c_str());
  return kUsage;
}

std::string takes(const cli::CommandInfo& info) {
  std::string text = std::string(info.name) + " takes " + std::to_string(info.fieldCount) + " values:";
  for (std::size_t i = 0; i < info.fieldCount; ++i) text += ' ' + std::string(info.fields[i]);
  return text;
}

// What CLI11 could not place, said the way a person looks for it: the word itself.
std::string parseErrorMessage(const CLI::App& app, const CLI::ParseError& error,
                              const std::map<const CLI::App*, cli::Command>& commands) {
  const std::vector<std::string> extras = app.remaining(true);
  for (const std::string& extra : extras) {
    if (!extra.starts_with('-') || extra.size() == 1 || std::isdigit(static_cast<unsigned char>(extra[1]))) continue;
    std::string message = "unknown option \"" + extra + '"';
    // As for getopt: "-" and a digit start a value; any other value after "--".
    if (!extra.starts_with("--")) message += " (a value that begins with \"-\" goes after \"--\")";
    return message;
  }
  if (app.get_subcommands().empty()) {
    return extras.empty() ? error.what() : "unknown command \"" + extras.front() + '"';
  }
  if (std::string_view(error.what()).starts_with("values:")) {
    return takes(cli::infoOf(commands.at(app.get_subcommands().front())));
  }
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

// A reading refused, or a calculator that would not place the cross-hair; a batch goes on.
int reportRefused(std::string_view where, const cli::Outcome& outcome) {
  const std::string message =
      outcome.error.empty() ? "not placed: " + chart::refusalText(outcome.refusals) : outcome.error;
  std::fprintf(stderr, "%s: %.*s: %s\n", kProgram, static_cast<int>(where.size()), where.data(), message.c_str());
  return kRefused;
}

bool refused(const cli::Outcome& outcome) { return !outcome.error.empty() || outcome.refusals != 0; }

bool sameInAnyCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

// A spreadsheet's header row: the argument names of the command, in any case.
bool isHeader(const cli::CommandInfo& info, const std::vector<std::string>& fields) {
  if (fields.size() != info.fieldCount) return false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!sameInAnyCase(info.fields[i], fields[i])) return false;
  }
  return true;
}

// Reads one CSV line of arguments per reading and writes one record per line, in order,
// until the input ends or a record cannot be written.
int runBatch(cli::Command command, const std::string& path, cli::ReadingWriter& writer) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::fprintf(stderr, "%s: cannot open %s: %s\n", kProgram, path.c_str(), std::strerror(errno));
    return kUsage;
  }
  const std::string name = standardInput ? "standard input" : path;
  const cli::CommandInfo& info = cli::infoOf(command);
  const chart::ChartRaster& raster = embedded::chartRaster();
  int status = 0;
  try {
    cli::LineReader reader(fd, [] { return std::fflush(stdout) == 0; });
    std::vector<std::string> fields;
    std::uint64_t number = 0;
    bool first = true;
    writer.header();
    while (outputWritten()) {
      const auto line = reader.next();
      if (!line) break;
      ++number;
      std::string_view text = line->text;
      // Spreadsheets save "CSV UTF-8" with a byte order mark in front of the first line.
      if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
      if (!line->tooLong && text.find_first_not_of(" \t") == std::string_view::npos) continue;
      const bool firstLine = std::exchange(first, false);
      cli::Outcome outcome;
      if (line->tooLong) {
        outcome.error = "line longer than " + std::to_string(cli::LineReader::kMaxLine) + " characters";
      } else if (!cli::splitCsvLine(text, cli::fieldSeparator(text), fields)) {
        outcome.error = "a quoted field is not closed properly";
      } else if (firstLine && isHeader(info, fields)) {
        continue;
      } else {
        outcome = cli::readingFor(raster, command, fields);
      }
      if (refused(outcome)) status = reportRefused(name + ':' + std::to_string(number), outcome);
      writer.write(number, outcome);
    }
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "%s: cannot read %s: %s\n", kProgram, name.c_str(), e.code().message().c_str());
    status = kUsage;
  }
  if (!standardInput) ::close(fd);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  CLI::App app{"Readings of the QNTe418 performance chart, exactly as the qnte418grafik window shows them.",
               kProgram};
  app.set_version_flag("--version", std::string(kProgram) + ' ' + QNTE_VERSION);
  app.footer(usage() +
             "\nWith --batch, one CSV line of arguments per reading; one record per line comes out, in order.\n"
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
    for (std::size_t i = 0; i < info.fieldCount; ++i) names += (i ? " " : "") + std::string(info.fields[i]);
    // Exactly as many as the command takes, so that a "--" between them ends the options
    // and not the command.
    sub->add_option("values", values, names)->expected(static_cast<int>(info.fieldCount));
    sub->add_option("--batch", batch, "one CSV line of " + names + " per reading, from FILE or - (standard input)")
        ->type_name("FILE");
  }

  cli::SelectCommand select(app);  // its options are parsed into it

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return show(app, e);  // --help, --version
    return usageError(parseErrorMessage(app, e, commands));
  }
  if (app.get_subcommands().empty()) return usageError("a command is required");

  const CLI::App* chosen = app.get_subcommands().front();
  const cli::Format format = formatName == "csv"    ? cli::Format::Csv
                             : formatName == "json" ? cli::Format::Json
                                                    : cli::Format::Text;
  if (select.chosen(chosen)) return select.run(format, {usageError, reportRefused});
  const cli::Command command = commands.at(chosen);
  const cli::CommandInfo& info = cli::infoOf(command);
  const bool batched = command != cli::Command::Curves && chosen->count("--batch") > 0;

  int status = 0;
  if (command == cli::Command::Curves) {
    cli::CurveWriter writer(stdout, format);
    writer.header();
    const chart::ChartRaster& raster = embedded::chartRaster();
    for (int row = 0; row < chart::ChartRaster::kHeight && outputWritten(); ++row) {
      writer.write(chart::curveEndsInRow(raster, row));
    }
  } else {
    cli::ReadingWriter writer(stdout, format, cli::isCalculator(command), batched);
    if (batched) {
      if (!values.empty()) return usageError(std::string(info.name) + ": give the values or --batch, not both");
      status = runBatch(command, batch, writer);
    } else {
      if (values.size() != info.fieldCount) return usageError(takes(info));
      const cli::Outcome outcome = cli::readingFor(embedded::chartRaster(), command, values);
      if (refused(outcome)) status = reportRefused("command line", outcome);
      if (outcome.error.empty()) {
        writer.header();
        writer.write(1, outcome);
      }
    }
  }
  std::fflush(stdout);
  return outputWritten() ? status : unwritable();
}
