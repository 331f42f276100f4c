#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace cli {

// The program's name, as its messages begin.
inline constexpr char kProgram[] = "qnte418grafik-read";

// Exit statuses, as the manual gives them.
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;
inline constexpr int kUnwritable = 3;

// True while every write to standard output has succeeded; remembers the first failure.
bool outputWritten();
// Says that the output cannot be written; returns kUnwritable.
int unwritable();
// Names a refused input on standard error, where it came from first.
void reportRefused(std::string_view where, std::string_view message);

// Answers one line of a batch: its number in the file and its fields, or the reason its fields
// could not be read. Writes the line's record and returns why the line was refused, or "".
using BatchAnswer = std::function<std::string(
    std::uint64_t number, std::span<const std::string> fields, std::string_view error)>;

// Reads a batch of CSV lines from FILE or "-" and answers each in order, as spreadsheets write
// them: a byte order mark, blank lines and a first line of the argument `names` are skipped.
// `start` writes the header once the input has been read from. Stops reading at the first record
// that cannot be written. Returns the exit status.
int runBatch(const std::string& path, std::span<const std::string_view> names,
             const std::function<void()>& start, const BatchAnswer& answer);

// A batch answered by a writer's records: `answer` turns a line's fields into an outcome, and
// a line whose fields could not be read gets an outcome with its error alone. An outcome says
// why it was refused with refusal(), and has no record where its `error` is set.
template <typename Writer, typename Answer>
int answerBatch(const std::string& path, std::span<const std::string_view> names, Writer& writer,
                const Answer& answer) {
  using Outcome = std::invoke_result_t<const Answer&, std::span<const std::string>>;
  return runBatch(
      path, names, [&] { writer.header(); },
      [&](std::uint64_t number, std::span<const std::string> fields, std::string_view error) {
        Outcome outcome;
        if (error.empty()) {
          outcome = answer(fields);
        } else {
          outcome.error = error;
        }
        writer.write(number, outcome);
        return outcome.refusal();
      });
}

// The values of the command line answered by a writer's record; a refusal is named on
// standard error. Returns the exit status.
template <typename Writer, typename Outcome>
int answerCommandLine(Writer& writer, const Outcome& outcome) {
  int status = 0;
  if (const std::string refusal = outcome.refusal(); !refusal.empty()) {
    reportRefused("command line", refusal);
    status = kRefused;
  }
  if (outcome.error.empty()) {
    writer.header();
    writer.write(1, outcome);
  }
  return status;
}

}  // namespace cli
