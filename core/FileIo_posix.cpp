// Whole-file reads and crash-safe writes on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/FileIo.h"

namespace mx {

namespace {

// Links followed before giving up, as the kernel does (ELOOP).
constexpr int kMaxLinkHops = 40;
// The random part of a temporary name: ".NAME." and six letters or digits, as mkstemp makes them.
constexpr std::size_t kTempSuffixLength = 6;

std::string ErrnoText(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = fd;
  }
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

// Reads until the end or `limit` bytes, whatever the descriptor is (file, pipe, terminal).
bool ReadAll(int fd, std::vector<uint8_t>& bytes, std::size_t limit) {
  uint8_t buffer[16384];
  while (bytes.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    if (n == 0)
      break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return true;
}

// Where a save really goes once the symbolic links it may follow are followed.
struct SaveTarget {
  std::string path;    // the name that is replaced or created
  std::string folder;  // its folder, "." for a bare name
  std::string name;    // its last component
  bool exists = false;
  struct stat st {};  // of the existing file
  std::string error;  // set when the save must not go ahead
};

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  const std::size_t slash = path.find_last_of('/');
  folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// The kernel's protected_symlinks rule: in a sticky folder that everyone may write into, a link
// is followed only when it belongs to the follower or to the folder's owner. Anyone could have
// planted any other link there, aimed at a file only we may write.
bool MayFollowLink(const struct stat& folder, const struct stat& link) {
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

// A path taken apart into the folders it walks through. The folders named so far are real ones (no
// links), so ".." can be taken back by dropping the last of them.
struct WalkedPath {
  bool absolute = false;
  std::vector<std::string> parts;

  std::string Text() const {
    std::string text = absolute ? "/" : "";
    for (const std::string& part : parts)
      text += (text.empty() || text.back() == '/' ? "" : "/") + part;
    return text.empty() ? "." : text;
  }
  std::string With(const std::string& part) const {
    return parts.empty() && !absolute ? part : Text() + (parts.empty() ? "" : "/") + part;
  }
  void Up() {
    if (!parts.empty() && parts.back() != "..")
      parts.pop_back();
    else if (!absolute)
      parts.push_back("..");
  }
};

// Puts the components of `path` in front of those still to be walked.
void PushComponents(const std::string& path, std::vector<std::string>& pending) {
  std::vector<std::string> parts;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    if (slash > start)
      parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  pending.insert(pending.end(), parts.rbegin(), parts.rend());  // `pending` is walked from its back
}

// Follows every symbolic link on `requested`, folders included, as the kernel would, but applies
// the protected-links rule itself to each of them: the kernel applies it only where the system
// turns it on, and a save that resolves the last link itself would bypass it anyway. On success
// `resolved` leads to the same file through real folders only; a missing part ends the walk and is
// left for the caller's open or create to report.
bool FollowLinks(const std::string& requested, std::string& resolved, std::string& error) {
  WalkedPath walked;
  walked.absolute = !requested.empty() && requested.front() == '/';
  std::vector<std::string> pending;
  PushComponents(requested, pending);
  for (int hops = 0; !pending.empty();) {
    const std::string part = pending.back();
    pending.pop_back();
    if (part == ".")
      continue;
    if (part == "..") {
      walked.Up();
      continue;
    }
    const std::string path = walked.With(part);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno != ENOENT && errno != ENOTDIR) {
        error = std::strerror(errno);
        return false;
      }
      walked.parts.push_back(part);
      for (auto rest = pending.rbegin(); rest != pending.rend(); ++rest)
        walked.parts.push_back(*rest);
      break;
    }
    if (!S_ISLNK(st.st_mode)) {
      walked.parts.push_back(part);
      continue;
    }
    struct stat folder {};
    if (++hops > kMaxLinkHops || ::stat(walked.Text().c_str(), &folder) != 0) {
      error = std::strerror(hops > kMaxLinkHops ? ELOOP : errno);
      return false;
    }
    if (!MayFollowLink(folder, st)) {
      error = "the symbolic link " + path + " belongs to another user of the shared folder " +
              walked.Text();
      return false;
    }
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n <= 0) {
      error = std::strerror(n < 0 ? errno : ENOENT);
      return false;
    }
    link.resize(static_cast<std::size_t>(n));
    if (link.front() == '/')
      walked = WalkedPath{true, {}};
    PushComponents(link, pending);
  }
  resolved = walked.Text();
  return true;
}

// Saving through a symbolic link replaces the file it points to (the link stays), as writing
// through it would.
SaveTarget ResolveSaveTarget(const std::string& requested) {
  SaveTarget target;
  auto refuse = [&](const std::string& why) {
    target.error = "Cannot save " + requested + ": " + why;
    return target;
  };
  // "name/" asks for a folder, whatever the name turns out to be.
  if (requested.empty() || requested.back() == '/')
    return refuse("it is a folder");
  std::string why;
  if (!FollowLinks(requested, target.path, why))
    return refuse(why);
  SplitPath(target.path, target.folder, target.name);
  struct stat st {};
  if (::lstat(target.path.c_str(), &st) != 0) {
    if (errno != ENOENT)
      return refuse(std::strerror(errno));
    return target;  // a new file (a missing folder is reported when the save creates it)
  }
  if (S_ISDIR(st.st_mode))
    return refuse("it is a folder");
  // A device, pipe or socket would be replaced by a plain file (as root, even /dev/null).
  if (!S_ISREG(st.st_mode))
    return refuse("it is not a regular file");
  target.exists = true;
  target.st = st;
  return target;
}

bool IsTempName(const std::string& entry, const std::string& prefix) {
  return entry.size() == prefix.size() + kTempSuffixLength &&
         entry.compare(0, prefix.size(), prefix) == 0 &&
         std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

std::string TempPrefix(const SaveTarget& target) {
  return "." + target.name + ".";
}

std::string InFolder(const SaveTarget& target, const std::string& name) {
  return target.folder + "/" + name;
}

// A save holds a lock on its temporary file for as long as it runs; a named temporary file that
// nobody holds was left by a save that was killed between naming and renaming it. Those of earlier
// saves of the same target go, so leftovers never pile up.
void RemoveStaleTemporaries(const SaveTarget& target) {
  DIR* dir = ::opendir(target.folder.c_str());
  if (!dir)
    return;
  const int dirFd = ::dirfd(dir);
  const std::string prefix = TempPrefix(target);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTempName(name, prefix))
      continue;
    // Only a plain file is opened: opening a device can have effects of its own, and a FIFO
    // would wait. The name must still lead to the opened file when it is removed.
    struct stat named {};
    if (::fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode))
      continue;
    Fd fd(::openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat held {};
    if (fd.get() < 0 || ::fstat(fd.get(), &held) != 0 || held.st_ino != named.st_ino ||
        held.st_dev != named.st_dev)
      continue;
    const bool ours =
        held.st_uid == ::geteuid() || (target.exists && held.st_uid == target.st.st_uid);
    if (!ours || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
      continue;
    if (::fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
      ::unlinkat(dirFd, name.c_str(), 0);
    }
  }
  ::closedir(dir);
}

std::string RandomTempName(const SaveTarget& target) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string name = TempPrefix(target);
  for (std::size_t i = 0; i < kTempSuffixLength; ++i)
    name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// A new file in the target's folder, locked for the whole save. Preferably unnamed (O_TMPFILE),
// so a save killed while writing leaves nothing behind; `path` stays empty until it is named.
struct TempFile {
  Fd fd;
  std::string path;
  bool unnamed = false;
};

bool CreateTemp(const SaveTarget& target, TempFile& temp, bool allowUnnamed) {
#ifdef O_TMPFILE
  if (allowUnnamed) {
    temp.fd.Reset(::open(target.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (temp.fd.get() >= 0) {
      temp.unnamed = true;
      ::flock(temp.fd.get(), LOCK_EX);
      return true;
    }
    // Not every file system has unnamed files; those fall back to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      return false;
  }
#endif
  (void)allowUnnamed;
  std::string path = InFolder(target, TempPrefix(target) + "XXXXXX");
  temp.fd.Reset(::mkostemp(path.data(), O_CLOEXEC));
  if (temp.fd.get() < 0)
    return false;
  temp.path = path;
  temp.unnamed = false;
  ::flock(temp.fd.get(), LOCK_EX);
  return true;
}

// Gives a complete unnamed file its temporary name beside the target.
bool NameTemp(const SaveTarget& target, TempFile& temp) {
  const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = InFolder(target, RandomTempName(target));
    int linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
    if (linked != 0 && errno == ENOENT)  // no /proc: the direct way needs privileges
      linked = ::linkat(temp.fd.get(), "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
    if (linked == 0) {
      temp.path = path;
      return true;
    }
    if (errno != EEXIST)
      return false;
  }
  return false;
}

// The replaced file's owner, group and permissions go to the new one, so that saving as root never
// hands another user's file to root; a new file gets what the umask allows, as any new file would.
// The temporary file starts private (0600) and is only ever widened to that: the other way round,
// a 0600 file's new contents were readable by anyone who opened it in between. Set-user-ID and
// set-group-ID bits are never carried over: the new contents did not earn them.
void TakeOverOwnership(const SaveTarget& target, int fd) {
  if (!target.exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    return;
  }
  if (::fchown(fd, target.st.st_uid, target.st.st_gid) != 0) {
    // A group of ours, at least; failing that the file stays ours, as any unprivileged save is.
    [[maybe_unused]] const int groupKept = ::fchown(fd, static_cast<uid_t>(-1), target.st.st_gid);
  }
  ::fchmod(fd, target.st.st_mode & 0777);
}

void RemoveTemp(const TempFile& temp) {
  if (!temp.path.empty())
    ::unlink(temp.path.c_str());
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
  if (!ReadAll(fd.get(), bytes, limit))
    return {false, ErrnoText("Cannot read", path)};
  return {true, {}};
}

FileResult ReadStandardInput(std::vector<uint8_t>& bytes, std::size_t limit) {
  bytes.clear();
  if (!ReadAll(STDIN_FILENO, bytes, limit))
    return {false, std::string("Cannot read standard input: ") + std::strerror(errno)};
  return {true, {}};
}

FileResult CheckSaveTarget(const std::string& requested) {
  const SaveTarget target = ResolveSaveTarget(requested);
  if (!target.error.empty())
    return {false, target.error};
  TempFile temp;
  if (!CreateTemp(target, temp, true))
    return {false, ErrnoText("Cannot create a file in", target.folder)};
  RemoveTemp(temp);
  return {true, {}};
}

FileResult WriteFileAtomically(const std::string& requested, std::span<const uint8_t> bytes) {
  const SaveTarget target = ResolveSaveTarget(requested);
  if (!target.error.empty())
    return {false, target.error};
  RemoveStaleTemporaries(target);

  TempFile temp;
  bool allowUnnamed = true;
  for (;;) {
    if (!CreateTemp(target, temp, allowUnnamed))
      return {false, ErrnoText("Cannot create a file in", target.folder)};
    TakeOverOwnership(target, temp.fd.get());
    const bool written = WriteAll(temp.fd.get(), bytes) && ::fsync(temp.fd.get()) == 0;
    if (!written) {
      const int err = errno;
      RemoveTemp(temp);
      errno = err;
      return {false, ErrnoText("Cannot write", requested)};
    }
    if (!temp.unnamed || NameTemp(target, temp))
      break;
    // The unnamed file cannot be given a name here (no /proc, no privilege): write a named one.
    allowUnnamed = false;
  }
  // The lock stays until the rename: it is what tells a concurrent save this file is in use.
  if (::rename(temp.path.c_str(), target.path.c_str()) != 0) {
    const int err = errno;
    RemoveTemp(temp);
    errno = err;
    return {false, ErrnoText("Cannot replace", requested)};
  }
  temp.fd.Reset();  // its contents reached the disk at fsync, so closing cannot lose them
  // Make the rename itself durable; a failure here leaves a complete file either way.
  if (Fd dir(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.get() >= 0) {
    ::fsync(dir.get());
  }
  return {true, {}};
}

FileResult OpenForAppend(const std::string& requested, int& fd) {
  fd = -1;
  const SaveTarget target = ResolveSaveTarget(requested);
  if (!target.error.empty())
    return {false, target.error};
  // The path has no links left: one that turns up now was planted since and is not followed. A
  // FIFO swapped in would block an open without O_NONBLOCK until someone reads it.
  Fd opened(::open(target.path.c_str(),
                   O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                   0666));
  if (opened.get() < 0)
    return {false, "Cannot save " + requested + ": " + std::strerror(errno)};
  struct stat st {};
  if (::fstat(opened.get(), &st) != 0 || !S_ISREG(st.st_mode))
    return {false, "Cannot save " + requested + ": it is not a regular file"};
  ::fcntl(opened.get(), F_SETFL, ::fcntl(opened.get(), F_GETFL) & ~O_NONBLOCK);
  fd = opened.release();
  return {true, {}};
}

}  // namespace mx
