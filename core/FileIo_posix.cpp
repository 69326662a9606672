// Whole-file reads and crash-safe writes on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/ConfigFile.h"

namespace mx {

namespace {

std::string ErrnoText(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::size_t limit) {
  bytes.clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return {false, ErrnoText("Cannot open", path)};
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) {
    return {false, "Cannot open " + path + ": it is a folder"};
  }
  uint8_t buffer[16384];
  while (bytes.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t n = ::read(fd.get(), buffer, want);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return {false, ErrnoText("Cannot read", path)};
    }
    if (n == 0)
      break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return {true, {}};
}

FileResult WriteFileAtomically(const std::string& requested, std::span<const uint8_t> bytes) {
  // Saving through a symbolic link replaces the file it points to, not the link.
  std::string path = requested;
  if (char resolved[PATH_MAX]; ::realpath(requested.c_str(), resolved) != nullptr)
    path = resolved;

  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = folder + (slash == std::string::npos ? "/" : "") + "." + name + ".XXXXXX";

  Fd fd(::mkstemp(temp.data()));
  if (fd.get() < 0)
    return {false, ErrnoText("Cannot create a file in", folder)};

  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  mode_t mode = 0;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd.get(), mode);

  const bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  const int saved = errno;
  if (!written || ::close(fd.release()) != 0) {
    const int err = written ? errno : saved;
    ::unlink(temp.c_str());
    errno = err;
    return {false, ErrnoText("Cannot write", requested)};
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    errno = err;
    return {false, ErrnoText("Cannot replace", requested)};
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  if (Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.get() >= 0) {
    ::fsync(dir.get());
  }
  return {true, {}};
}

}  // namespace mx
