#include "sheet/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace sheet {
namespace {

// Writes every byte to `fd`, as many calls as it takes; remembers the first error.
struct FdSink {
  int fd;
  int error = 0;

  bool operator()(std::string_view bytes) {
    while (!bytes.empty() && error == 0) {
      const ssize_t put = ::write(fd, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        error = put < 0 ? errno : EIO;
        break;
      }
      bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return error == 0;
  }
};

std::string failure(const std::string& path, int error) {
  return "cannot write " + (path == "-" ? std::string("standard output") : path) + ": " +
         std::strerror(error);
}

// Produces into `fd`; the error of the first failed write, or 0.
int produceInto(int fd, const std::function<bool(const Sink&)>& produce) {
  FdSink out{fd};
  const Sink sink = [&out](std::string_view bytes) { return out(bytes); };
  const bool made = produce(sink);
  if (out.error != 0) return out.error;
  return made ? 0 : EIO;
}

}  // namespace

std::string writeSafely(const std::string& path, const std::function<bool(const Sink&)>& produce) {
  if (path == "-") {
    const int error = produceInto(STDOUT_FILENO, produce);
    return error == 0 ? std::string() : failure(path, error);
  }
  // A link is followed to the file it names, which is then replaced, not the link.
  std::string target = path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return failure(path, errno);
    int error = produceInto(fd, produce);
    if (::close(fd) != 0 && error == 0) error = errno;
    return error == 0 ? std::string() : failure(path, error);
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + '.' + name + ".XXXXXX";
  std::vector<char> pattern(temporary.begin(), temporary.end());
  pattern.push_back('\0');
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return failure(path, errno);
  temporary = pattern.data();
  // The mode the file would have been created with, or the one it had.
  mode_t mode = 0666;
  if (exists) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
  if (error == 0) error = produceInto(fd, produce);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return failure(path, error);
  }
  return {};
}

}  // namespace sheet
