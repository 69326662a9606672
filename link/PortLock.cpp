#include "link/PortLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

namespace mx {
namespace {

// A lock file holds a number, perhaps a program and a user name; anything larger is not one.
constexpr off_t kMaxLockFileSize = 128;
// A lock file without a number may be one that another program has created and not yet written.
constexpr long kFreshLockMs = 1000;
// Rounds of create, look, remove before the device counts as held: another program's takeover in
// the middle of ours is over within microseconds, a lock file being written within a moment.
constexpr int kAttempts = 50;
constexpr useconds_t kRetryPauseUs = 2000;

std::string ProcessName(long pid) {
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

bool ProcessAlive(long pid) {
  return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

bool SameFile(const std::string& path, int fd) {
  struct stat named {};
  struct stat held {};
  return lstat(path.c_str(), &named) == 0 && fstat(fd, &held) == 0 && named.st_ino == held.st_ino &&
         named.st_dev == held.st_dev;
}

long AgeMs(const struct stat& file) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (now.tv_sec - file.st_mtim.tv_sec) * 1000 + (now.tv_nsec - file.st_mtim.tv_nsec) / 1000000;
}

// The number in a lock file: ten ASCII columns (blanks, digits, a newline), or else four bytes of
// a binary int; -1 when it holds neither.
long ParsePid(const char* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size && text[i] == ' ')
    ++i;
  long pid = 0;
  std::size_t digits = 0;
  for (; i < size && text[i] >= '0' && text[i] <= '9' && digits < 10; ++i, ++digits)
    pid = pid * 10 + (text[i] - '0');
  if (digits > 0 && (i == size || text[i] == '\n' || text[i] == ' '))
    return pid > 0 ? pid : -1;
  if (size == sizeof(int32_t)) {
    int32_t binary = 0;
    std::memcpy(&binary, text, sizeof binary);
    return binary > 0 ? binary : -1;
  }
  return -1;
}

// What sits under a lock file's name.
struct Holder {
  enum Kind {
    None,      // nothing (any more)
    Process,   // a live process: `pid`
    Unknown,   // something that is no lock file
    Settling,  // a lock file being written, or being taken over by another program
    Stale,     // its process is gone; `fd` holds the flock that lets us remove it
  };
  Kind kind = None;
  long pid = -1;
  int fd = -1;
};

Holder Inspect(const std::string& path) {
  // Never follows a link and never waits: a FIFO opens at once and is then refused.
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return {errno == ENOENT ? Holder::None : Holder::Unknown};
  struct stat file {};
  if (fstat(fd, &file) != 0 || !S_ISREG(file.st_mode) || file.st_size > kMaxLockFileSize) {
    close(fd);
    return {Holder::Unknown};
  }
  char text[kMaxLockFileSize] = {};
  const ssize_t n = pread(fd, text, sizeof text, 0);
  const long pid = n > 0 ? ParsePid(text, static_cast<std::size_t>(n)) : -1;
  if (pid > 0 && ProcessAlive(pid)) {
    close(fd);
    return {Holder::Process, pid};
  }
  const long age = AgeMs(file);
  if ((pid <= 0 && age < kFreshLockMs && age > -kFreshLockMs) ||
      flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return {Holder::Settling};
  }
  return {Holder::Stale, pid, fd};
}

}  // namespace

std::string HolderText(long pid) {
  std::string text = "in use by process " + std::to_string(pid);
  const std::string name = ProcessName(pid);
  if (!name.empty())
    text += " (" + name + ")";
  return text;
}

std::string PortLock::FileName(const std::string& resolvedPath) {
  std::string name = resolvedPath;
  if (name.rfind("/dev/", 0) == 0)
    name = name.substr(5);
  for (char& c : name) {
    if (c == '/')
      c = '_';
  }
  return "LCK.." + name;
}

LineResult PortLock::Take(const std::string& resolvedPath) {
  Release();
  const std::string path = directory_ + "/" + FileName(resolvedPath);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const Created created = Create(path);
    if (created == Created::Ours)
      return {};
    // Where we cannot write a lock file of our own, another program's still counts.
    const bool canWrite = created == Created::Exists;
    const Holder holder = Inspect(path);
    switch (holder.kind) {
      case Holder::None:
        if (!canWrite)
          return {};
        break;  // removed meanwhile: create again
      case Holder::Process:
        return {LineError::Busy, HolderText(holder.pid)};
      case Holder::Unknown:
        return {LineError::Busy,
                std::string(kUnknownHolderText) + " (" + path + " is not a lock file)"};
      case Holder::Settling:
        usleep(kRetryPauseUs);
        break;
      case Holder::Stale: {
        // Only while the name still leads to the file judged stale: a new lock in its place is
        // someone's live one.
        const bool removed = canWrite && SameFile(path, holder.fd) && unlink(path.c_str()) == 0;
        const int error = errno;
        close(holder.fd);
        // Its process is gone, and the device's own lock still keeps a second opener out; so
        // another user's stale file in the sticky lock folder is no reason to refuse.
        if (!removed && (!canWrite || error == EPERM || error == EACCES || error == EROFS))
          return {};
        break;
      }
    }
  }
  return {LineError::Busy, kUnknownHolderText};
}

PortLock::Created PortLock::Create(const std::string& path) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%10ld\n", static_cast<long>(getpid()));
  // The file gets its name only when it is complete and locked, so nobody ever reads it empty.
  std::string temp;
  int fd = -1;
#ifdef O_TMPFILE
  fd = open(directory_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
#endif
  if (fd < 0) {
    // Not every file system has unnamed files: a named one beside it, linked under the lock's name.
    temp = directory_ + "/LTMP." + std::to_string(getpid()) + ".XXXXXX";
    fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
      return Created::NoFile;
  }
  fchmod(fd, 0644);  // others must read the number, whatever our umask
  int linked = -1;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      write(fd, text, static_cast<std::size_t>(length)) == length) {
    if (temp.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd);
      linked = linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
    } else {
      linked = link(temp.c_str(), path.c_str());
    }
  }
  const int error = errno;
  if (!temp.empty())
    unlink(temp.c_str());
  // The name must lead to our file now; if not, someone took the place and we look again.
  if (linked != 0 || !SameFile(path, fd)) {
    close(fd);
    return linked == 0 || error == EEXIST ? Created::Exists : Created::NoFile;
  }
  fd_ = fd;
  path_ = path;
  return Created::Ours;
}

void PortLock::Release() {
  if (fd_ < 0)
    return;
  // Never a file that has taken our file's place.
  if (SameFile(path_, fd_))
    unlink(path_.c_str());
  close(fd_);
  fd_ = -1;
  path_.clear();
}

}  // namespace mx
