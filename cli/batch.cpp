#include "cli/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/csv_line.h"
#include "cli/line_reader.h"

namespace cli {
namespace {

// The error of the first failed write to standard output; 0 while every write succeeded.
int writeError = 0;

bool sameInAnyCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

bool isHeader(std::span<const std::string_view> names, const std::vector<std::string>& fields) {
  return std::ranges::equal(names, fields, sameInAnyCase);
}

}  // namespace

bool outputWritten() {
  if (writeError == 0 && std::ferror(stdout)) writeError = errno != 0 ? errno : EIO;
  return writeError == 0;
}

int unwritable() {
  std::fprintf(stderr, "%s: cannot write the readings: %s\n", kProgram, std::strerror(writeError));
  return kUnwritable;
}

void reportRefused(std::string_view where, std::string_view message) {
  std::fprintf(stderr, "%s: %.*s: %.*s\n", kProgram, static_cast<int>(where.size()), where.data(),
               static_cast<int>(message.size()), message.data());
}

int runBatch(const std::string& path, std::span<const std::string_view> names,
             const std::function<void()>& start, const BatchAnswer& answer) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::fprintf(stderr, "%s: cannot open %s: %s\n", kProgram, path.c_str(), std::strerror(errno));
    return kUsage;
  }
  const std::string name = standardInput ? "standard input" : path;
  int status = 0;
  try {
    LineReader reader(fd, [] { return std::fflush(stdout) == 0; });
    // Nothing is written before the input is known to be readable: a directory gets its
    // message alone.
    std::optional<LineReader::Line> line = reader.next();
    start();
    std::vector<std::string> fields;
    std::uint64_t number = 0;
    bool first = true;
    for (; line && outputWritten(); line = reader.next()) {
      ++number;
      std::string_view text = line->text;
      // Spreadsheets save "CSV UTF-8" with a byte order mark in front of the first line.
      if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
      if (!line->tooLong && text.find_first_not_of(" \t") == std::string_view::npos) continue;
      const bool firstLine = std::exchange(first, false);
      std::string error;
      if (line->tooLong) {
        error = "line longer than " + std::to_string(LineReader::kMaxLine) + " characters";
      } else if (!splitCsvLine(text, fieldSeparator(text), fields)) {
        error = "a quoted field is not closed properly";
      } else if (firstLine && isHeader(names, fields)) {
        continue;
      }
      const std::string refusal =
          answer(number, error.empty() ? fields : std::span<const std::string>(), error);
      if (!refusal.empty()) {
        reportRefused(name + ':' + std::to_string(number), refusal);
        status = kRefused;
      }
    }
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "%s: cannot read %s: %s\n", kProgram, name.c_str(),
                 e.code().message().c_str());
    status = kUsage;
  }
  if (!standardInput) ::close(fd);
  return status;
}

}  // namespace cli
