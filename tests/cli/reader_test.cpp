// qnte418grafik-read from outside: what it prints must be what the core on in-memory
// controls shows after the same action, line for line and in order.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "chart/curve_scan.h"
#include "chart/drive_selection.h"
#include "chart/warnings.h"
#include "cli/csv_line.h"
#include "cli/line_reader.h"
#include "layout/form4_layout.h"
#include "resources/embedded_belts.h"
#include "tests/support/core_harness.h"

extern char** environ;

namespace {

using chart::TextControl;
using nlohmann::json;
using testsupport::CoreHarness;

struct ReaderRun {
  int status = -1;
  std::string out;
  std::string err;
  std::size_t inputTaken = 0;  // bytes of the input written before the reader went
};

struct Child {
  pid_t pid = -1;
  int in = -1, out = -1, err = -1;  // its standard input, output and error, from this side
};

// Starts the reader with the arguments, its three standard streams on pipes. `outputLost`:
// nobody can read its standard output, so that every write to it fails.
Child spawnReader(const std::vector<std::string>& args, bool outputLost = false) {
  std::signal(SIGPIPE, SIG_IGN);  // a reader that stops early must not end the test
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
    return {};
  if (outputLost) {
    close(out[0]);
    out[0] = -1;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<std::string> argv{QNTE_READER};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  Child child;
  const int spawned =
      posix_spawn(&child.pid, QNTE_READER, &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  if (spawned != 0) child.pid = -1;
  child.in = in[1];
  child.out = out[0];
  child.err = err[0];
  return child;
}

int exitStatusOf(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the reader with the arguments, feeds it the input and collects both streams.
// `outputLost`: its standard output is a pipe that nobody reads, so every write fails.
ReaderRun runReader(const std::vector<std::string>& args, std::string_view input = {},
                    bool outputLost = false) {
  const Child child = spawnReader(args, outputLost);
  ReaderRun run;
  int toChild = child.in;
  if (input.empty()) {
    close(toChild);
    toChild = -1;
  }
  std::array<pollfd, 3> fds{
      {{child.out, POLLIN, 0}, {child.err, POLLIN, 0}, {toChild, POLLOUT, 0}}};
  std::size_t written = 0;
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    if (poll(fds.data(), fds.size(), 30'000) <= 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
      } else {
        (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
      }
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      const ssize_t put = write(fds[2].fd, input.data() + written, input.size() - written);
      if (put > 0) written += static_cast<std::size_t>(put);
      if (put <= 0 || written == input.size()) {
        close(fds[2].fd);
        fds[2].fd = -1;
      }
    }
  }
  if (fds[2].fd >= 0) close(fds[2].fd);
  if (child.pid > 0) run.status = exitStatusOf(child.pid);
  run.inputTaken = written;
  return run;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<json> jsonLines(const std::string& text) {
  std::vector<json> records;
  for (const std::string& line : linesOf(text))
    records.push_back(json::parse(line));  // throws if not JSON
  return records;
}

// A reading of the core, in the reader's field names.
json readingOf(const chart::Reading& r) {
  std::set<std::string> reasons;
  for (const std::string_view words : chart::wordsOf(r.reasons(), chart::WarningTexts))
    reasons.emplace(words);
  return {{"hscroll", r.hscroll},
          {"vscroll", r.vscroll},
          {"speed", r.speed},
          {"power", r.power},
          {"pressure", r.pressure},
          {"delivery", r.delivery},
          {"delivery_class", r.deliveryClass},
          {"speed_power_red", r.speedPowerRed()},
          {"pressure_red", r.pressureRed()},
          {"reasons", reasons}};
}

// The reading in a record of the reader's, its reasons as a set like readingOf's.
json readingPart(json record) {
  for (const char* key : {"line", "placed", "refused"}) record.erase(key);
  record["reasons"] = record["reasons"].get<std::set<std::string>>();
  return record;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

TEST(Reader, FreshWindowStartsAsTheLayoutTableLaysItOut) {
  const chart::MemoryControls controls;
  for (std::size_t i = 0; i < chart::kTextControlCount; ++i) {
    const std::string_view name = layout::kTextControls[i];
    EXPECT_EQ(controls.text(static_cast<TextControl>(i)), layout::findControl(name)->caption)
        << name;
  }
  const layout::ControlLayout* marker = layout::findControl("Shape2");
  EXPECT_EQ(controls.markerLeft(), marker->left);
  EXPECT_EQ(controls.markerTop(), marker->top);
  using enum chart::LineEnd;
  for (const chart::CrossHairLine line :
       {chart::CrossHairLine::Line1, chart::CrossHairLine::Line2}) {
    const layout::ControlLayout* entry = layout::findControl(layout::nameOf(line));
    for (const chart::LineEnd end : {X1, Y1, X2, Y2})
      EXPECT_EQ(controls.lineEnd(line, end), entry->lineEnds[chart::at(end)]) << entry->name;
  }
}

TEST(Reader, AtShowsWhatTheScrollBarsShow) {
  // The window's edge rows and columns, as scroll values; speed and power typed from them.
  const std::vector<std::pair<chart::ScrollValue, chart::ScrollValue>> positions{
      {300, 200}, {262, 200}, {369, 200}, {189, 200}, {119, 200}, {50, 200},
      {400, 200}, {301, 50},  {471, 80},  {301, 80},  {380, 121}, {368, 121},
      {1, 330},   {2, 330},   {2, 345},   {500, 345}, {2, 391},   {1, 391},
      {250, 0},   {0, 0},     {0, 1},     {500, 400}, {1, 1},     {430, 68}};
  std::vector<std::string> input;
  for (const auto& [h, v] : positions) {
    char line[64];
    std::snprintf(line, sizeof line, "%d,%.1f", 2000 + 10 * h, 5 + (400 - v) / 10.0);
    input.emplace_back(line);
  }
  const ReaderRun run = runReader({"--format", "json", "at", "--batch", "-"}, joined(input));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<json> records = jsonLines(run.out);
  ASSERT_EQ(records.size(), positions.size());
  for (std::size_t i = 0; i < positions.size(); ++i) {
    CoreHarness core;
    core.scrollTo(positions[i].first, positions[i].second);
    EXPECT_EQ(records[i]["line"], i + 1);
    EXPECT_EQ(readingPart(records[i]), readingOf(core.window.reading())) << "at " << input[i];
  }
}

TEST(Reader, AtRoundsAsTheCalculatorsRoundAndRefusesWhatLiesOffTheBars) {
  struct Case {
    const char* line;
    int h, v;  // -1: refused
  };
  const Case cases[] = {
      {"2005,25", 0, 200},     {"2015,25", 2, 200},      {"1995,25", 0, 200},
      {"1994.9,25", -1, -1},   {"7005,25", 500, 200},    {"7005.1,25", -1, -1},
      {"5000,4.95", 300, 400}, {"5000,4.94", -1, -1},    {"5000,45.05", 300, 0},
      {"5000,45.06", -1, -1},  {"5000,20.05", 300, 250}, {"5000,20.15", 300, 248},
  };
  std::string input;
  for (const Case& c : cases) input += std::string(c.line) + '\n';
  const ReaderRun run = runReader({"--format", "json", "at", "--batch", "-"}, input);
  EXPECT_EQ(run.status, 1);
  const std::vector<json> records = jsonLines(run.out);
  ASSERT_EQ(records.size(), std::size(cases));
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (cases[i].h < 0) {
      EXPECT_TRUE(records[i].contains("error")) << cases[i].line;
    } else {
      EXPECT_EQ(records[i]["hscroll"], cases[i].h) << cases[i].line;
      EXPECT_EQ(records[i]["vscroll"], cases[i].v) << cases[i].line;
    }
  }
}

struct CalculatorCase {
  std::vector<std::string> fields;
  bool placed;
  const char* refused;  // the words, "; "-joined
};

void expectCalculatorsMatch(const char* command, const std::vector<CalculatorCase>& cases) {
  std::string input;
  for (const CalculatorCase& c : cases) {
    for (std::size_t i = 0; i < c.fields.size(); ++i) input += (i ? "," : "") + c.fields[i];
    input += '\n';
  }
  const ReaderRun run = runReader({"--format", "json", command, "--batch", "-"}, input);
  const auto refusals =
      std::count_if(cases.begin(), cases.end(), [](const CalculatorCase& c) { return !c.placed; });
  ASSERT_EQ(run.status, refusals > 0 ? 1 : 0) << run.err;
  EXPECT_EQ(static_cast<std::ptrdiff_t>(linesOf(run.err).size()), refusals) << run.err;
  const std::vector<json> records = jsonLines(run.out);
  ASSERT_EQ(records.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const CalculatorCase& c = cases[i];
    CoreHarness core;
    if (c.fields.size() == 2) {
      core.controls.setText(TextControl::Text1, c.fields[0]);
      core.controls.setText(TextControl::Text2, c.fields[1]);
      core.logic.Command1_Click();
    } else {
      core.controls.setText(TextControl::Text3, c.fields[0]);
      core.controls.setText(TextControl::Text4, c.fields[1]);
      core.controls.setText(TextControl::Text5, c.fields[2]);
      core.logic.Command2_Click();
    }
    std::string refused;
    for (const std::string words : records[i]["refused"])
      refused += (refused.empty() ? "" : "; ") + words;
    EXPECT_EQ(readingPart(records[i]), readingOf(core.window.reading())) << command << ' ' << i + 1;
    EXPECT_EQ(records[i]["placed"], c.placed) << command << ' ' << i + 1;
    EXPECT_EQ(refused, c.refused) << command << ' ' << i + 1;
  }
}

TEST(Reader, CalculateIsTheFirstCalculatorOnAFreshWindow) {
  expectCalculatorsMatch(
      "calculate",
      {
          {{"20", "7"}, true, ""},
          {{"25", "5.5"}, true, ""},  // column 314.5, halves to even
          {{"12", "9.5"}, true, ""},  // column 5.5 goes to the odd neighbour
          {{"12", "7"}, true, ""},  // the absent 10 bar curve counts as column 0
          {{"4.95", "4"}, true, ""},
          {{"4.94", "13"}, false, "power below the chart (under 4.95 kW)"},
          {{"45", "7"}, false, "power on the parked row above the chart (45 kW)"},
          {{"45.1", "7"}, false, "power outside 0 to 45 kW"},
          {{"-1", "7"}, false, "power outside 0 to 45 kW"},
          {{"25", "3.99"}, false, "pressure outside 4 to 13 bar"},
          {{"25", "13.01"}, false, "pressure outside 4 to 13 bar"},
          {{"1e39", "7"},
           false,
           "power below the chart (under 4.95 kW)"},  // beyond single: reads as unread
          {{"50", "2"}, false, "power outside 0 to 45 kW; pressure outside 4 to 13 bar"},
      });
}

TEST(Reader, BeltIsTheSecondCalculatorOnAFreshWindow) {
  expectCalculatorsMatch(
      "belt",
      {
          {{"2950", "200", "100"}, true, ""},
          {{"1450", "250", "100"}, true, ""},
          {{"1450.9", "125.7", "60.9"}, true, ""},
          {{"3500", "200", "100"}, true, ""},
          {{"2004", "100", "100"}, true, ""},
          {{"3000", "250", "100"}, false, "air-end speed above the chart (over 7000 1/min)"},
          {{"1450", "100", "100"}, false, "air-end speed below the chart (under 1995 1/min)"},
          {{"1450", "200", "0.5"},
           false,
           "air-end pulley under 1 (diameters count in whole units)"},
          {{"3000", "500", "40"}, false, "air-end speed beyond 32767 1/min"},
          {{"32767.5", "200", "100"}, false, "motor speed not above 0 and up to 32767 1/min"},
          {{"1450", "500.5", "100"}, false, "motor pulley not above 0 and up to 500"},
          {{"1450", "200", "501"}, false, "air-end pulley not above 0 and up to 500"},
      });
}

TEST(Reader, BatchKeepsOrderAndNamesEveryRefusedLine) {
  const std::string manyDigits(10'000, '9');
  const std::string tinyFraction = "0." + std::string(9'998, '0') + "1";
  const std::vector<std::string> lines{
      "\xEF\xBB\xBF"
      "5000,25",
      "5000", "abc,25", manyDigits + ",25", "5000," + tinyFraction, "", "\"4500\", 30 ",
      "5000,25,1", "\"5000,25", "25 kW,5000", "4000,20\r",
      std::string(cli::LineReader::kMaxLine + 1, '1'),
      // The limit counts a line without its ending, CR LF or LF.
      "5000," + std::string(cli::LineReader::kMaxLine - 7, ' ') + "25\r",
      "5000," + std::string(cli::LineReader::kMaxLine - 6, ' ') + "25\r"};
  const std::set<std::size_t> refused{2, 3, 4, 5, 8, 9, 10, 12, 14};
  const std::size_t blank = 6;  // skipped: no record
  const ReaderRun run = runReader({"--format", "json", "at", "--batch", "-"}, joined(lines));
  EXPECT_EQ(run.status, 1);
  const std::vector<json> records = jsonLines(run.out);
  ASSERT_EQ(records.size(), lines.size() - 1);
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    if (n == blank) continue;
    const json& record = records[n < blank ? n - 1 : n - 2];
    EXPECT_EQ(record["line"], n);
    EXPECT_EQ(record.contains("error"), refused.contains(n)) << "line " << n;
    const bool named =
        run.err.find("standard input:" + std::to_string(n) + ":") != std::string::npos;
    EXPECT_EQ(named, refused.contains(n)) << "line " << n;
  }
  EXPECT_EQ(linesOf(run.err).size(), refused.size());
  // A field is quoted short however long it is.
  EXPECT_LT(run.err.size(), 2'000u);
}

TEST(Reader, ExitStatusAndMessages) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    const char* stdoutHas;
    const char* stderrHas;
    bool outputLost = false;
  };
  const std::string many = [] {
    std::string lines;
    for (int i = 0; i < 200'000; ++i) lines += "5000,25\n";
    return lines;
  }();
  const std::vector<std::string> csvAt{"--format", "csv", "at", "--batch", "-"};
  const Case cases[] = {
      {"reading", {"at", "5000", "25"}, "", 0, "5000", ""},
      {"help", {"--help"}, "", 0, "--batch", ""},
      {"help_of_a_command", {"at", "--help"}, "", 0, "SPEED POWER", ""},
      {"version", {"--version"}, "", 0, "qnte418grafik-read", ""},
      {"no_command", {}, "", 2, "", "a command is required"},
      {"too_few_values", {"at", "5000"}, "", 2, "", "at takes 2 values: SPEED POWER"},
      {"too_few_belt_values", {"belt", "1", "2"}, "", 2, "", "Usage:"},
      {"too_many_values", {"at", "1", "2", "3"}, "", 2, "", "Usage:"},
      {"unknown_command_named", {"fly", "5000", "25"}, "", 2, "", "unknown command \"fly\""},
      {"unknown_format", {"--format", "xml", "at", "5000", "25"}, "", 2, "", "Usage:"},
      {"unknown_option_named",
       {"at", "5000", "25", "--bogus"},
       "",
       2,
       "",
       "unknown option \"--bogus\""},
      {"values_and_batch", {"at", "5000", "25", "--batch", "-"}, "", 2, "", "Usage:"},
      {"curves_take_no_batch", {"curves", "--batch", "-"}, "", 2, "", "Usage:"},
      {"batch_of_a_directory_writes_no_header",
       {"--format", "csv", "at", "--batch", "/"},
       "",
       2,
       "",
       "cannot read /: Is a directory"},
      {"select_batch_of_a_directory_writes_no_header",
       {"--format", "csv", "select", "--batch", "/"},
       "",
       2,
       "",
       "cannot read /: Is a directory"},
      {"empty_batch_keeps_its_header",
       {"--format", "csv", "belt", "--batch", "/dev/null"},
       "",
       0,
       "line,hscroll",
       ""},
      {"batch_file_missing",
       {"at", "--batch", "/nonexistent/readings.csv"},
       "",
       2,
       "",
       "cannot open"},
      {"off_the_chart_range_of_the_scales",
       {"at", "9000", "25"},
       "",
       1,
       "",
       "command line: SPEED \"9000\" is off the chart: 1995 to 7005 1/min"},
      {"power_range_of_the_scales",
       {"at", "5000", "99"},
       "",
       1,
       "",
       "4.95 to 45.05 kW give VScroll1 400 to 0"},
      {"no_number", {"calculate", "abc", "7"}, "", 1, "", "is no number"},
      {"calculator_refusal_is_refused_input",
       {"calculate", "50", "7"},
       "",
       1,
       "not placed: power outside 0 to 45 kW",
       "command line: not placed: power outside 0 to 45 kW"},
      {"long_entry_apart_from_its_neighbour",
       {"calculate", "123456789", "7"},
       "",
       1,
       " 2010 123456789 ",
       ""},
      {"dash_alone_is_a_value", {"at", "-", "25"}, "", 1, "", "is no number"},
      {"negative_number_is_a_value",
       {"at", "-5", "25"},
       "",
       1,
       "",
       "SPEED \"-5\" is off the chart"},
      {"dash_dash_between_values", {"at", "5000", "--", "25"}, "", 0, "5000", ""},
      {"dash_dash_before_a_dash_value",
       {"at", "--", "-inf", "25"},
       "",
       1,
       "",
       "SPEED \"-inf\" is no number"},
      {"dash_word_is_an_unknown_option",
       {"at", "-inf", "25"},
       "",
       2,
       "",
       "unknown option \"-inf\""},
      {"decimal_comma_hint", {"at", "5000", "25,5"}, "", 1, "", "(\".\" is the decimal separator)"},
      {"header_and_blank_lines_skipped", csvAt, "speed,power\n\n \t\n5000,25\n", 0,
       "error\n4,300,200,5000,", ""},
      {"semicolons_header_and_crlf", csvAt, "\xEF\xBB\xBF\"SPEED\";Power\r\n5000;25\r\n", 0,
       "error\n2,300,200,", ""},
      {"semicolons_with_a_decimal_comma", csvAt, "5000;25,5\n", 1, "",
       "standard input:1: POWER \"25,5\" is no number (\".\" is the decimal separator)"},
      {"header_only_as_the_first_line", csvAt, "5000,25\nspeed,power\n", 1, "",
       "standard input:2: SPEED"},
      {"calculator_refusal_in_a_batch",
       {"calculate", "--batch", "-"},
       "20,7\n20,3\n",
       1,
       "not placed",
       "standard input:2: not placed: pressure outside 4 to 13 bar"},
      {"lost_version", {"--version"}, "", 3, "", "cannot write", true},
      {"lost_help", {"--help"}, "", 3, "", "cannot write", true},
      {"lost_reading", {"at", "5000", "25"}, "", 3, "", "cannot write", true},
      {"lost_curves", {"curves"}, "", 3, "", "cannot write", true},
      {"lost_batch_stops_reading", {"at", "--batch", "-"}, many, 3, "", "cannot write", true},
  };
  for (const Case& c : cases) {
    const ReaderRun run = runReader(c.args, c.input, c.outputLost);
    EXPECT_EQ(run.status, c.status) << c.name << '\n' << run.err;
    EXPECT_NE(run.out.find(c.stdoutHas), std::string::npos) << c.name << '\n' << run.out;
    EXPECT_NE(run.err.find(c.stderrHas), std::string::npos) << c.name << '\n' << run.err;
    if (c.status != 0 && c.input.empty() && *c.stdoutHas == '\0') {
      EXPECT_EQ(run.out.find("hscroll"), std::string::npos) << c.name;
    }
    if (c.outputLost) {
      EXPECT_EQ(linesOf(run.err).size(), 1u)
          << c.name << ": one message, at the first failed write\n"
          << run.err;
      EXPECT_LT(run.inputTaken, c.input.size() / 2 + 1)
          << c.name << ": read on after the output was lost";
    }
  }
}

TEST(Reader, EveryFormatHasOneRecordPerLineUnderItsHeader) {
  const std::string input = "5000,25\n9000,20\n6700,37.1\n";
  const ReaderRun csv = runReader({"--format", "csv", "at", "--batch", "-"}, input);
  const std::vector<std::string> rows = linesOf(csv.out);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0],
            "line,hscroll,vscroll,speed,power,pressure,delivery,delivery_class,speed_power_red,"
            "pressure_red,reasons,error");
  EXPECT_EQ(rows[1], "1,300,200,5000,25.0,5.9,4.8,@ 4 bar,false,false,,");
  EXPECT_EQ(rows[2].substr(0, 13), "2,,,,,,,,,,,\"");
  EXPECT_EQ(rows[3],
            "3,470,79,6700,37.1,4.0,6.5,@ 4 bar,true,true,beyond the last curve of this power,");
  const ReaderRun text = runReader({"at", "--batch", "-"}, input);
  const std::vector<std::string> table = linesOf(text.out);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[1].find("300"),
            table[0].find("hscroll") + 4);  // numbers right-aligned under their heads
  EXPECT_NE(table[2].find("error:"), std::string::npos);
}

TEST(Reader, CurvesAreTheRowScanOfEveryRow) {
  const ReaderRun run = runReader({"--format", "json", "curves"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<json> rows = jsonLines(run.out);
  ASSERT_EQ(rows.size(), 400u);
  const chart::ChartRaster& raster = testsupport::chartRaster();
  for (int y = 0; y < 400; ++y) {
    chart::ChartState slots;
    chart::ScanCurveRow(raster, static_cast<chart::ChartCoord>(y), slots);
    const json& row = rows[static_cast<std::size_t>(y)];
    EXPECT_EQ(row["row"], y);
    const std::pair<const char*, float> curves[] = {
        {"13", slots.CurveX13}, {"10", slots.CurveX10}, {"7", slots.CurveX7}, {"4", slots.CurveX4}};
    for (const auto& [name, x] : curves) {
      const json& speed = row[std::string("speed_") + name];
      const json& limit = row[std::string("limit_") + name];
      if (x == 0) {
        EXPECT_TRUE(speed.is_null() && limit.is_null()) << "row " << y << ", " << name << " bar";
        continue;
      }
      const chart::Colour colour = raster.pixel(x, static_cast<chart::ChartCoord>(y));
      EXPECT_EQ(speed, 10 * static_cast<int>(x) + 2010) << "row " << y << ", " << name << " bar";
      EXPECT_EQ(limit, colour == chart::colours::kMagenta || colour == chart::colours::kLightTeal)
          << "row " << y;
    }
  }
  EXPECT_EQ(rows[0]["power"], "44.9");
  EXPECT_EQ(rows[399]["power"], "5.0");
}

TEST(Reader, AnswersEachLineBeforeTheNextArrives) {
  const Child child = spawnReader({"--format", "csv", "calculate", "--batch", "-"});
  ASSERT_GT(child.pid, 0);
  close(child.err);
  std::string received;
  const auto awaitLines = [&](std::size_t count) {
    while (static_cast<std::size_t>(std::count(received.begin(), received.end(), '\n')) < count) {
      pollfd fd{child.out, POLLIN, 0};
      if (poll(&fd, 1, 30'000) <= 0) return false;
      char buffer[4096];
      const ssize_t got = read(child.out, buffer, sizeof buffer);
      if (got <= 0) return false;
      received.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
  };
  // The input stays open: an answer that waited for the end would never come.
  ASSERT_EQ(write(child.in, "20,7\n", 5), 5);
  EXPECT_TRUE(awaitLines(2)) << received;  // the header and the first reading
  ASSERT_EQ(write(child.in, "25,4\n", 5), 5);
  EXPECT_TRUE(awaitLines(3)) << received;
  close(child.in);
  EXPECT_EQ(exitStatusOf(child.pid), 0);
  close(child.out);
  EXPECT_NE(received.find("\n1,184,250,3840,20.0,7.0,"), std::string::npos) << received;
}

TEST(Reader, SelectPrintsTheCoresSelectionForEachDuty) {
  const std::vector<std::pair<double, double>> duties{
      {4.5, 8}, {2.45, 13}, {6.5, 4}, {3, 6}, {4, 10}};
  std::string input;
  for (const auto& [q, p] : duties) input += std::to_string(q) + ',' + std::to_string(p) + '\n';
  const ReaderRun run =
      runReader({"--format", "json", "select", "--batch", "-", "--motor", "1750,3550", "--series",
                 "R20", "--pulleys", "80-400", "--count", "3"},
                input);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<json> records = jsonLines(run.out);
  ASSERT_EQ(records.size(), duties.size());
  chart::DriveSelector selector(testsupport::chartRaster(), embedded::beltTables());
  for (std::size_t i = 0; i < duties.size(); ++i) {
    const chart::Selection s = selector.select({.delivery = duties[i].first,
                                                .pressure = duties[i].second,
                                                .motorSpeeds = {1750, 3550},
                                                .series = chart::PulleySeries::R20,
                                                .smallestPulley = 80,
                                                .largestPulley = 400,
                                                .count = 3});
    const json& record = records[i];
    EXPECT_EQ(record["delivery_speed"], s.deliverySpeed);
    EXPECT_EQ(readingPart(record["reading"]), readingOf(s.reading)) << i;
    std::size_t k = 0;
    for (const chart::MotorDrives& motor : s.motors) {
      for (const chart::DriveProposal& d : motor.drives) {
        ASSERT_LT(k, record["drives"].size());
        const json& drive = record["drives"][k++];
        EXPECT_EQ(drive["motor_speed"], d.motorSpeed);
        EXPECT_EQ(drive["motor_pulley"], d.motorPulley);
        EXPECT_EQ(drive["airend_pulley"], d.airEndPulley);
        EXPECT_NEAR(drive["belt_speed"].get<double>(), d.design.beltSpeed, 0.05);
        EXPECT_EQ(drive["reaches_delivery"], d.reachesDelivery);
        EXPECT_EQ(readingPart(drive["reading"]), readingOf(d.reading)) << i << ' ' << k;
      }
    }
    EXPECT_EQ(k, record["drives"].size());
  }
}

TEST(Reader, SelectRefusesBadDutiesAndBadUsage) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* stdoutHas;
    const char* stderrHas;
  };
  const Case cases[] = {
      {{"select", "4.5", "8"}, 0, "450/140", ""},
      {{"--help"}, 0, "select Q P", ""},
      {{"select", "--motor", "1750,3550", "--series", "R10", "--pulleys", "100-250", "--count", "1",
        "3", "7"},
       0,
       "3550",
       ""},
      {{"select", "7", "7"},
       1,
       "",
       "command line: delivery beyond the chart at 7000 1/min, short by 0.09 m3/min"},
      {{"select", "abc", "8"}, 1, "", "Q \"abc\" is no number"},
      {{"select", "0", "14"},
       1,
       "",
       "delivery not a finite number above 0 m3/min; pressure not from 4 to 13 bar"},
      {{"select", "4.5", "8", "--count", "0"}, 1, "", "count not from 1 to 100"},
      {{"select", "4.5"}, 2, "", "Usage:"},
      {{"select", "4.5", "8", "--batch", "-"}, 2, "", "Usage:"},
      {{"select", "4.5", "8", "--series", "R5"}, 2, "", "Usage:"},
      {{"select", "4.5", "8", "--pulleys", "63"}, 2, "", "Usage:"},
      {{"select", "4.5", "8", "--motor", "fast"}, 2, "", "Usage:"},
      {{"select", "--batch", "/nonexistent/duties.csv"}, 2, "", "cannot open"},
      // A list option takes one argument: a list without a speed never takes the duty, and a
      // second speed after a blank is a third value.
      {{"select", "--motor", ",", "4.5", "8"}, 2, "", "--motor: no motor speed"},
      {{"select", "4.5", "8", "--motor", "2950", "1450"}, 2, "", "select takes 2 values, not 3"},
      {{"select", "--motor", "2950", "--motor", "1450", "--count", "1", "4.5", "8"},
       0,
       "1450 450/140",
       ""},
      // A figure longer than its column keeps a blank before it.
      {{"select", "4.5", "4.123456", "--count", "1"}, 0, "   4.5 4.12346 speed", ""},
      // An empty value is a usage error, never a duty refused.
      {{"select", "4.5", "8", "--motor", ""}, 2, "", "--motor:"},
      {{"select", "4.5", "8", "--count", ""}, 2, "", "--count:"},
      {{"select", "4.5", "8", "--series", ""}, 2, "", "--series:"},
      {{"select", "4.5", "8", "--pulleys", ""}, 2, "", "--pulleys:"},
      {{"--format", "", "select", "4.5", "8"}, 2, "", "--format:"},
      // The belt drive's options: checked as they are parsed, refused as the core refuses them.
      {{"select", "4.5", "8", "--profiles", "SPA", "--count", "1"}, 0, "450/140 SPA", ""},
      {{"select", "4.5", "8", "--profiles", "SPX"}, 2, "", "--profiles: \"SPX\" is no belt"},
      {{"select", "4.5", "8", "--max-belts", ""}, 2, "", "--max-belts:"},
      {{"select", "4.5", "8", "--centre", "far"}, 2, "", "--centre: \"far\" is no number"},
      {{"select", "4.5", "8", "--service-factor", "0.5"}, 1, "", "service factor not from 1 to 3"},
      {{"select", "4.5", "8", "--max-belt-speed", "5"}, 1, "", "; belt speed above 5 m/s;"},
      {{"drive", "27", "1450", "450", "140"}, 0, "SPA         3   2120", ""},
      {{"drive", "132", "1485", "280", "500"}, 1, "SPB         7", "limits: more than 6 belts;"},
      {{"drive", "27", "2950", "500", "100"},
       1,
       "belt speed above 42 m/s",
       "command line: no belt drive within the limits: small pulley below the section's minimum"},
      {{"drive", "27", "1450", "450"}, 2, "", "drive takes 4 values"},
      {{"drive", "abc", "1450", "450", "140"}, 1, "", "POWER \"abc\" is no number"},
      {{"drive", "27", "1450", "450", "140", "--max-belts", "30"}, 1, "", "most belts not from 1"},
  };
  for (const Case& c : cases) {
    const ReaderRun run = runReader(c.args);
    std::string shown;
    for (const std::string& arg : c.args) shown += arg + ' ';
    EXPECT_EQ(run.status, c.status) << shown << run.err;
    EXPECT_NE(run.out.find(c.stdoutHas), std::string::npos) << shown << run.out;
    EXPECT_NE(run.err.find(c.stderrHas), std::string::npos) << shown << run.err;
    if (c.status != 0) {
      EXPECT_EQ(run.out.find("hscroll"), std::string::npos) << shown;
    }
    if (c.status == 2) {
      EXPECT_EQ(run.out, "") << shown;
    }
  }
}

// The belt maker's worked examples, designed by `drive` as the manual prints them (pp. 78-81).
TEST(Reader, DriveDesignsTheManualsWorkedExamples) {
  const ReaderRun run = runReader({"--format", "json", "drive", "--batch", "-", "--profiles",
                                   "SPB,SPC", "--max-belts", "10", "--centre", "1400"},
                                  "132,1485,280,500\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const json spb = jsonLines(run.out).at(0)["designs"][0];
  EXPECT_EQ(spb["profile"], "SPB");
  EXPECT_EQ(spb["belts"], 8);
  EXPECT_EQ(spb["datum_length"], 4000);
  EXPECT_NEAR(spb["centre_distance"].get<double>(), 1383.5, 1);
  EXPECT_EQ(spb["c1"], 1.0);
  EXPECT_EQ(spb["c3"], 1.02);
  EXPECT_EQ(spb["rated_power"], 21.86);
  EXPECT_NEAR(spb["shaft_load"].get<double>(), 9452, 9452 * 0.002);
  const ReaderRun cap =
      runReader({"--format", "json", "drive", "224", "1775", "400", "800", "--profiles", "SPC",
                 "--max-belts", "10", "--centre", "2200", "--service-factor", "1.6667"});
  ASSERT_EQ(cap.status, 0) << cap.err;
  const json spc = jsonLines(cap.out).at(0)["designs"][0];
  EXPECT_EQ(spc["belts"], 8);
  EXPECT_EQ(spc["datum_length"], 6300);
  EXPECT_NEAR(spc["centre_distance"].get<double>(), 2198.4, 0.6);
  EXPECT_NEAR(spc["wrap_angle"].get<double>(), 169.6, 0.05);
  EXPECT_EQ(spc["c1"], 0.99);
  EXPECT_NEAR(spc["shaft_load"].get<double>(), 18452, 18452 * 0.006);
}

TEST(Reader, SelectBatchInCsvKeepsItsColumnsOnRefusedLines) {
  const ReaderRun run = runReader({"--format", "csv", "select", "--batch", "-", "--count", "2"},
                                  "4.5,8\n7,7\n\n3,6,1\n");
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> rows = linesOf(run.out);
  ASSERT_EQ(
      rows.size(),
      1u + 5u +
          2u);  // header; the speed and two drives per motor; two refused lines, the blank skipped
  const auto columns = [](const std::string& row) {
    std::vector<std::string> fields;
    EXPECT_TRUE(cli::splitCsvLine(row, ',', fields)) << row;
    return fields.size();
  };
  for (const std::string& row : rows) EXPECT_EQ(columns(row), columns(rows[0])) << row;
  EXPECT_EQ(rows[1],
            "1,4.5,8,speed,4650,,,,,,,,,,,,,,,,,,265,180,4650,27.0,8.0,4.5,@ 7 bar,false,false,,");
  EXPECT_EQ(rows[6].substr(0, 34), "2,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\"");
  EXPECT_EQ(linesOf(run.err).size(), 2u);
}

}  // namespace
