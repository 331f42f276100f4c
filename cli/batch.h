#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

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

}  // namespace cli
