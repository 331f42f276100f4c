#include "cli/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace cli {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::string_view withoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

LineReader::LineReader(int fd, std::function<void()> beforeWait)
    : fd_(fd), beforeWait_(std::move(beforeWait)), buffer_(kBufferSize, '\0') {}

bool LineReader::fill() {
  if (eof_) return false;
  if (beforeWait_) beforeWait_();
  while (true) {
    const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
    if (got > 0) {
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
      return true;
    }
    if (got == 0) {
      eof_ = true;
      return false;
    }
    if (errno != EINTR) throw std::system_error(errno, std::generic_category());
  }
}

std::optional<LineReader::Line> LineReader::next() {
  long_.clear();
  bool tooLong = false;
  bool any = false;
  while (true) {
    if (begin_ == end_ && !fill()) {
      if (!any) return std::nullopt;
      return Line{withoutCarriageReturn(long_), tooLong};  // the last line had no line break
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
    begin_ += length + (newline ? 1 : 0);
    if (newline && long_.empty() && !tooLong) return Line{withoutCarriageReturn({start, length}), false};
    if (long_.size() + length > kMaxLine) {
      tooLong = true;
    } else {
      long_.append(start, length);
    }
    if (newline) return Line{withoutCarriageReturn(long_), tooLong};
  }
}

}  // namespace cli
