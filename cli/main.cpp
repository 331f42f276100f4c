// qnte418grafik-read: the chart's readings for scripts and reports, from the same core and
// the same in-memory controls as every other front end. Exit status 0 when every reading
// was made, 1 when an input was refused, 2 for a usage error.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <system_error>
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

void reportRefused(std::string_view where, std::string_view message) {
  std::fprintf(stderr, "%s: %.*s: %.*s\n", kProgram, static_cast<int>(where.size()), where.data(),
               static_cast<int>(message.size()), message.data());
}

// Reads one CSV line of arguments per reading and writes one record per line, in order.
int runBatch(cli::Command command, const std::string& path, cli::ReadingWriter& writer) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::fprintf(stderr, "%s: cannot open %s: %s\n", kProgram, path.c_str(), std::strerror(errno));
    return kUsage;
  }
  const std::string name = standardInput ? "standard input" : path;
  const chart::ChartRaster& raster = embedded::chartRaster();
  int status = 0;
  try {
    cli::LineReader reader(fd, [] { std::fflush(stdout); });
    std::vector<std::string> fields;
    std::uint64_t number = 0;
    writer.header();
    while (auto line = reader.next()) {
      ++number;
      // Spreadsheets save "CSV UTF-8" with a byte order mark in front of the first line.
      if (number == 1 && line->text.starts_with("\xEF\xBB\xBF")) line->text.remove_prefix(3);
      cli::Outcome outcome;
      if (line->tooLong) {
        outcome.error = "line longer than " + std::to_string(cli::LineReader::kMaxLine) + " characters";
      } else if (line->text.find_first_not_of(" \t") == std::string_view::npos) {
        outcome.error = "empty line";
      } else if (!cli::splitCsvLine(line->text, fields)) {
        outcome.error = "a quoted field is not closed properly";
      } else {
        outcome = cli::readingFor(raster, command, fields);
      }
      if (!outcome.error.empty()) {
        reportRefused(name + ':' + std::to_string(number), outcome.error);
        status = kRefused;
      }
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
             "Exit status: 0 every reading made, 1 an input refused (named on standard error), 2 usage.\n"
             "See qnte418grafik-read(1).");
  app.require_subcommand(1);
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
    sub->add_option("values", values, names);
    sub->add_option("--batch", batch, "one CSV line of " + names + " per reading, from FILE or - (standard input)")
        ->type_name("FILE");
  }

  cli::SelectCommand select(app);  // its options are parsed into it

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
    return usageError(e.what());
  }

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
    for (int row = 0; row < chart::ChartRaster::kHeight; ++row) writer.write(chart::curveEndsInRow(raster, row));
  } else {
    cli::ReadingWriter writer(stdout, format, cli::isCalculator(command), batched);
    if (batched) {
      if (!values.empty()) return usageError(std::string(info.name) + ": give the values or --batch, not both");
      status = runBatch(command, batch, writer);
    } else {
      if (values.size() != info.fieldCount) {
        return usageError(std::string(info.name) + " takes " + std::to_string(info.fieldCount) + " values, not " +
                          std::to_string(values.size()));
      }
      const cli::Outcome outcome = cli::readingFor(embedded::chartRaster(), command, values);
      if (outcome.error.empty()) {
        writer.header();
        writer.write(1, outcome);
      } else {
        reportRefused("command line", outcome.error);
        status = kRefused;
      }
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: cannot write the readings: %s\n", kProgram, std::strerror(errno));
    return kRefused;
  }
  return status;
}
