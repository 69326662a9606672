#include "link/PosixSerialLine.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace mx {
namespace {

bool BaudToSpeed(int baud, speed_t& speed) {
  switch (baud) {
    case 300:
      speed = B300;
      return true;
    case 600:
      speed = B600;
      return true;
    case 1200:
      speed = B1200;
      return true;
    case 2400:
      speed = B2400;
      return true;
    case 4800:
      speed = B4800;
      return true;
    case 9600:
      speed = B9600;
      return true;
    case 19200:
      speed = B19200;
      return true;
    case 38400:
      speed = B38400;
      return true;
    case 57600:
      speed = B57600;
      return true;
    case 115200:
      speed = B115200;
      return true;
    case 230400:
      speed = B230400;
      return true;
    default:
      return false;
  }
}

// The process holding a flock on the device node, from /proc/locks; -1 when none is listed.
long FlockHolder(const struct stat& node) {
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, advisory, mode, pid, id;
    fields >> number >> kind;
    if (kind == "->")
      fields >> kind;  // a waiter, same layout after the arrow
    fields >> advisory >> mode >> pid >> id;
    if (kind != "FLOCK")
      continue;
    unsigned major = 0, minor = 0;
    unsigned long long inode = 0;
    if (std::sscanf(id.c_str(), "%x:%x:%llu", &major, &minor, &inode) != 3)
      continue;
    if (makedev(major, minor) == node.st_dev && inode == node.st_ino)
      return std::atol(pid.c_str());
  }
  return -1;
}

// The pseudo-terminal number of a slave path ("/dev/pts/7": 7), -1 for any other device.
long PtyIndex(const std::string& resolved) {
  constexpr std::string_view kPts = "/dev/pts/";
  if (resolved.compare(0, kPts.size(), kPts) != 0)
    return -1;
  char* end = nullptr;
  const long index = std::strtol(resolved.c_str() + kPts.size(), &end, 10);
  return end && *end == '\0' ? index : -1;
}

// Whether descriptor `fd` of `fdDir`'s process, which leads to `target`, is the master of
// pseudo-terminal `ptyIndex` (its fdinfo names the slave's number).
bool IsMasterOf(const std::string& fdDir, const char* fd, const std::string& target,
                long ptyIndex) {
  if (ptyIndex < 0 || target.size() < 4 || target.compare(target.size() - 4, 4, "ptmx") != 0)
    return false;
  std::string infoPath = fdDir;
  infoPath.replace(infoPath.size() - 2, 2, "fdinfo/");
  std::ifstream info(infoPath + fd);
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("tty-index:", 0) == 0)
      return std::atol(line.c_str() + 10) == ptyIndex;
  }
  return false;
}

// Another process with the device open, for a busy port that has no lock of any kind; -1 when
// none. With `skipFarEnd`, one that holds the pseudo-terminal's master as well is the other end of
// the line, not a user of the port.
long OpenerOf(const std::string& resolved, bool skipFarEnd = false) {
  DIR* proc = opendir("/proc");
  if (!proc)
    return -1;
  long found = -1;
  const long self = getpid();
  const long ptyIndex = skipFarEnd ? PtyIndex(resolved) : -1;
  while (dirent* entry = readdir(proc)) {
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name, &end, 10);
    if (*end != '\0' || pid <= 0 || pid == self)
      continue;
    const std::string fdDir = std::string("/proc/") + entry->d_name + "/fd";
    DIR* fds = opendir(fdDir.c_str());
    if (!fds)
      continue;
    bool opener = false;
    bool farEnd = false;
    while (dirent* fdEntry = readdir(fds)) {
      char buffer[PATH_MAX];
      const std::string link = fdDir + "/" + fdEntry->d_name;
      const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer - 1);
      if (n <= 0)
        continue;
      const std::string target(buffer, static_cast<std::size_t>(n));
      opener = opener || target == resolved;
      farEnd = farEnd || IsMasterOf(fdDir, fdEntry->d_name, target, ptyIndex);
    }
    closedir(fds);
    if (opener && !farEnd) {
      found = pid;
      break;
    }
  }
  closedir(proc);
  return found;
}

// Waited after the last byte's line time before the speed changes, so that a receiver that
// looks late (an adapter's FIFO, a simulator on a busy machine) still finds the byte's own speed.
// A scan waits far longer than this for each answer, so only a port's closing pays for it.
constexpr std::chrono::milliseconds kSpeedChangeMargin{50};

// Read and write errors that mean the device is no longer there.
bool DeviceGone(int error) {
  return error == EIO || error == ENXIO || error == ENODEV;
}

}  // namespace

std::string PosixSerialLine::DefaultLockDirectory() {
  const char* folder = std::getenv("MXSETUP_LOCK_DIR");
  return folder && *folder ? folder : "/run/lock";
}

PosixSerialLine::PosixSerialLine(std::string lockDirectory) : lock_(std::move(lockDirectory)) {}

PosixSerialLine::~PosixSerialLine() {
  Close();
}

LineError PosixSerialLine::OpenErrorKind(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:  // a device node without its hardware
      return LineError::NotFound;
    case EBUSY:
      return LineError::Busy;
    case EACCES:
    case EPERM:
    case EROFS:
      return LineError::PermissionDenied;
    case ENOTTY:
      return LineError::NotSerial;
    default:
      return LineError::Io;
  }
}

const LineResult& PosixSerialLine::Fail(LineError kind, int error) {
  return Fail(kind, std::strerror(error));
}

const LineResult& PosixSerialLine::Fail(LineError kind, std::string detail) {
  lastError_ = {kind, std::move(detail)};
  return lastError_;
}

void PosixSerialLine::FailModemCall() {
  // Pseudo-terminals, USB gadgets and network bridges have no modem lines: ENOTTY or EINVAL.
  const int error = errno;
  Fail(error == ENOTTY || error == EINVAL ? LineError::Unsupported : LineError::Io, error);
}

LineResult PosixSerialLine::Open(const std::string& path, const LineSettings& settings) {
  Close();
  char resolvedBuffer[PATH_MAX];
  if (!realpath(path.c_str(), resolvedBuffer)) {
    const int error = errno;
    return Fail(OpenErrorKind(error), error);
  }
  const std::string resolved = resolvedBuffer;

  // Other serial programs announce themselves with a lock file; ours is taken before the device
  // is touched, since even opening a port changes its modem lines under the program that holds it.
  if (LineResult locked = lock_.Take(resolved); !locked.ok())
    return Fail(locked.error, std::move(locked.detail));
  const int fd = OpenDevice(resolved);
  if (fd < 0) {
    lock_.Release();
    return lastError_;
  }
  fd_ = fd;
  lost_ = false;
  if (!Configure(settings)) {
    // A speed the driver refuses is no reason to give the device back: it keeps what it had, the
    // caller owns an open line, and an identification at that speed simply gets no answer.
  }
  // DTR and RTS up while the line is ours; devices without modem lines (ENOTTY) simply lack them.
  int raise = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd_, TIOCMBIS, &raise);
  lastError_ = {};
  return lastError_;
}

LineResult PosixSerialLine::HeldElsewhere(const std::string& path) {
  char resolved[PATH_MAX];
  if (!realpath(path.c_str(), resolved))
    return {};  // Open will say what is wrong with the path
  const long holder = OpenerOf(resolved, true);
  if (holder > 0)
    return {LineError::Busy, HolderText(holder)};
  return {};
}

int PosixSerialLine::OpenDevice(const std::string& resolved) {
  const int fd = open(resolved.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    const long holder = error == EBUSY ? OpenerOf(resolved) : -1;
    if (holder > 0)
      Fail(LineError::Busy, HolderText(holder));
    else if (error == EBUSY)
      Fail(LineError::Busy, kUnknownHolderText);
    else
      Fail(OpenErrorKind(error), error);
    return -1;
  }
  // TIOCEXCL alone does not stop root; flock does, through symbolic links too.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    struct stat node {};
    fstat(fd, &node);
    close(fd);
    long holder = FlockHolder(node);
    if (holder <= 0)
      holder = OpenerOf(resolved);
    Fail(LineError::Busy, holder > 0 ? HolderText(holder) : kUnknownHolderText);
    return -1;
  }
  // What the port was set to before, for Close to put back.
  if (tcgetattr(fd, &saved_) != 0) {
    close(fd);
    Fail(LineError::NotSerial, "not a serial device");
    return -1;
  }
  // Drivers without exclusive mode say so with ENOTTY or EINVAL; flock above already keeps others
  // out there. Any other failure is the device's.
  if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) {
    const int error = errno;
    close(fd);
    Fail(LineError::Io, error);
    return -1;
  }
  return fd;
}

bool PosixSerialLine::Configure(const LineSettings& settings) {
  if (fd_ < 0)
    return false;
  DrainBeforeChange();
  termios tio{};
  if (tcgetattr(fd_, &tio) != 0) {
    Fail(LineError::Io, errno);
    return false;
  }
  cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
  tio.c_cflag |= CLOCAL | CREAD | HUPCL;
  tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CMSPAR
  tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  switch (settings.dataBits) {
    case 5:
      tio.c_cflag |= CS5;
      break;
    case 6:
      tio.c_cflag |= CS6;
      break;
    case 7:
      tio.c_cflag |= CS7;
      break;
    default:
      tio.c_cflag |= CS8;
      break;
  }
  switch (settings.parity) {
    case Parity::Even:
      tio.c_cflag |= PARENB;
      break;
    case Parity::Odd:
      tio.c_cflag |= PARENB | PARODD;
      break;
#ifdef CMSPAR
    case Parity::Mark:
      tio.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case Parity::Space:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
#else
    // Without stick parity the platform cannot send mark or space; the line runs without parity.
    case Parity::Mark:
    case Parity::Space:
      break;
#endif
    case Parity::None:
      break;
  }
  // termios knows one or two stop bits; UARTs give 1.5 only with 5 data bits, where CSTOPB means
  // 1.5. At 6..8 data bits we send two: a receiver that wants 1.5 accepts the longer stop.
  if (settings.stopBits != StopBits::One)
    tio.c_cflag |= CSTOPB;
  speed_t speed = B9600;
  const bool known = IsLineBaud(settings.baud) && BaudToSpeed(settings.baud, speed);
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  baud_ = known ? settings.baud : 9600;
  bitsPerByte_ = 1 + std::clamp(settings.dataBits, 5, 8) + (settings.parity != Parity::None) +
                 (settings.stopBits != StopBits::One ? 2 : 1);
  // Pseudo-terminals accept parity and data bits and quietly keep 8N; that is not a failure.
  if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
    Fail(LineError::Io, errno);
    return false;
  }
  if (!known) {
    Fail(LineError::Unsupported, std::to_string(settings.baud) + " baud is not supported");
    return false;
  }
  return true;
}

std::size_t PosixSerialLine::Read(uint8_t* buffer, std::size_t max) {
  if (fd_ < 0 || max == 0)
    return 0;
  const ssize_t n = read(fd_, buffer, max);
  if (n > 0)
    return static_cast<std::size_t>(n);
  if (n < 0 && DeviceGone(errno)) {
    lost_ = true;
    Fail(LineError::DeviceGone, errno);
  }
  return 0;
}

std::size_t PosixSerialLine::Write(const uint8_t* bytes, std::size_t count) {
  if (fd_ < 0)
    return 0;
  // The driver takes the bytes at line speed; allow twice the line time plus a second before
  // deciding that the device no longer drains (a stalled pseudo-terminal peer, flow-controlled
  // UART).
  const long long limitMs =
      static_cast<long long>(count) * 20000 / (baud_ > 0 ? baud_ : 9600) + 1000;
  long long waitedMs = 0;
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = write(fd_, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && errno != EAGAIN) {
      lost_ = true;
      Fail(DeviceGone(errno) ? LineError::DeviceGone : LineError::Io, errno);
      break;
    }
    const bool cancelled = writeCancel_ && writeCancel_();
    if (waitedMs >= limitMs || cancelled) {
      Fail(LineError::TimedOut, std::string(cancelled ? "cancelled while the device took no bytes, "
                                                      : "the device stopped taking bytes ") +
                                    "after " + std::to_string(done) + " of " +
                                    std::to_string(count));
      break;
    }
    pollfd p{fd_, POLLOUT, 0};
    poll(&p, 1, 50);
    waitedMs += 50;
  }
  if (done > 0)
    NoteWritten(done);
  return done;
}

std::size_t PosixSerialLine::BytesQueued() {
  if (fd_ < 0)
    return 0;
  int queued = 0;
  if (ioctl(fd_, FIONREAD, &queued) != 0 || queued < 0)
    return 0;
  return static_cast<std::size_t>(queued);
}

void PosixSerialLine::PurgeInput() {
  if (fd_ >= 0)
    tcflush(fd_, TCIFLUSH);
}

void PosixSerialLine::PurgeOutput() {
  if (fd_ >= 0)
    tcflush(fd_, TCOFLUSH);
}

WaitResult PosixSerialLine::WaitReadable(uint32_t timeoutMs) {
  if (fd_ < 0 || lost_)
    return WaitResult::LineLost;
  pollfd p{fd_, POLLIN, 0};
  const int timeout =
      timeoutMs > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(timeoutMs);
  const int n = poll(&p, 1, timeout);
  if (n <= 0)
    return WaitResult::TimedOut;  // EINTR counts as an early wake-up
  // A hung-up tty stays "readable" for ever while read() gives 0; without this the caller would
  // spin until its time-out. Bytes still queued are delivered first.
  if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) && BytesQueued() == 0) {
    lost_ = true;
    return WaitResult::LineLost;
  }
  return WaitResult::Readable;
}

bool PosixSerialLine::GetModemStatus(uint32_t& bits) {
  if (fd_ < 0)
    return false;
  int status = 0;
  if (ioctl(fd_, TIOCMGET, &status) != 0) {
    FailModemCall();
    return false;
  }
  bits = 0;
  if (status & TIOCM_CTS)
    bits |= kModemCts;
  if (status & TIOCM_DSR)
    bits |= kModemDsr;
  if (status & TIOCM_RNG)
    bits |= kModemRing;
  if (status & TIOCM_CAR)
    bits |= kModemDcd;
  return true;
}

bool PosixSerialLine::SetModemLine(ModemLine line, bool raised) {
  if (fd_ < 0)
    return false;
  int bit = line == ModemLine::Rts ? TIOCM_RTS : TIOCM_DTR;
  if (ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &bit) != 0) {
    FailModemCall();
    return false;
  }
  return true;
}

void PosixSerialLine::Close() {
  if (fd_ < 0)
    return;
  RestoreSettings();
  // On a pseudo-terminal the exclusive flag outlives close(); clear it so the next opener gets in.
  ioctl(fd_, TIOCNXCL);
  flock(fd_, LOCK_UN);
  close(fd_);
  fd_ = -1;
  lineFreeAt_ = {};
  lock_.Release();
}

void PosixSerialLine::RestoreSettings() {
  if (lost_)
    return;
  // Bytes still on their way ("<$F" after a transfer) go out at the speed they were written for.
  DrainBeforeChange();
  tcsetattr(fd_, TCSADRAIN, &saved_);
}

void PosixSerialLine::NoteWritten(std::size_t count) {
  // Earlier bytes are tcdrain's to wait for; these may still sit in an adapter's FIFO after it.
  const auto lineTime = std::chrono::microseconds(static_cast<long long>(count) * bitsPerByte_ *
                                                  1'000'000 / (baud_ > 0 ? baud_ : 9600));
  lineFreeAt_ = std::chrono::steady_clock::now() + lineTime;
}

void PosixSerialLine::DrainBeforeChange() {
  if (lineFreeAt_ == std::chrono::steady_clock::time_point{})
    return;
  // A device that stopped taking bytes (the same rule as Write) loses them rather than hanging
  // the change: tcdrain alone would wait for ever on a stalled peer.
  int pending = 0;
  long long waitedMs = 0;
  long long limitMs = -1;
  while (ioctl(fd_, TIOCOUTQ, &pending) == 0 && pending > 0) {
    if (limitMs < 0)
      limitMs = static_cast<long long>(pending) * 20000 / baud_ + 1000;
    if (waitedMs >= limitMs) {
      tcflush(fd_, TCOFLUSH);
      break;
    }
    poll(nullptr, 0, 10);
    waitedMs += 10;
  }
  tcdrain(fd_);
  const auto freeAt = lineFreeAt_ + kSpeedChangeMargin;
  lineFreeAt_ = {};
  for (auto now = std::chrono::steady_clock::now(); now < freeAt;
       now = std::chrono::steady_clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(freeAt - now);
    poll(nullptr, 0, static_cast<int>(left.count()));
  }
}

}  // namespace mx
