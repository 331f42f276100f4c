#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Reads lines from a file descriptor one at a time, so that a batch of any length streams
// in constant memory. Before it waits for more input it calls `beforeWait`, so that a
// caller can flush what it has written: whoever feeds the lines one by one gets each answer
// before sending the next. When `beforeWait` returns false the reader reads no further.
class LineReader {
 public:
  // Lines longer than this, without their line break, are cut off; the rest of such a line
  // is read and dropped.
  static constexpr std::size_t kMaxLine = 1 << 20;

  struct Line {
    std::string_view text;  // without the line break; valid until the next call
    bool tooLong = false;
  };

  LineReader(int fd, std::function<bool()> beforeWait);

  // The next line; empty at the end of the input or when `beforeWait` said stop. Throws
  // std::system_error when reading fails.
  std::optional<Line> next();

 private:
  bool fill();

  int fd_;
  std::function<bool()> beforeWait_;
  std::string buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::string long_;  // a line that runs past the end of the buffer
  bool eof_ = false;
  bool stopped_ = false;  // a half-read line is then no line
};

}  // namespace cli
