#include "cli/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace cli {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

// A line ending in CR LF ends, for the limit too, before the CR.
LineReader::Line finished(std::string_view line, bool tooLong) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return {line, tooLong || line.size() > LineReader::kMaxLine};
}

}  // namespace

LineReader::LineReader(int fd, std::function<bool()> beforeWait)
    : fd_(fd), beforeWait_(std::move(beforeWait)), buffer_(kBufferSize, '\0') {}

bool LineReader::fill() {
  if (eof_) return false;
  if (beforeWait_ && !beforeWait_()) {
    eof_ = stopped_ = true;
    return false;
  }
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
      if (!any || stopped_) return std::nullopt;
      return finished(long_, tooLong);  // the last line had no line break
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
    begin_ += length + (newline ? 1 : 0);
    if (newline && long_.empty() && !tooLong) return finished({start, length}, false);
    if (long_.size() + length > kMaxLine + 1) {  // room for a CR
      tooLong = true;
    } else {
      long_.append(start, length);
    }
    if (newline) return finished(long_, tooLong);
  }
}

}  // namespace cli
