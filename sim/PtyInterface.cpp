#include "sim/PtyInterface.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace mx::sim {
namespace {

uint64_t NowUs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

int SpeedToBaud(speed_t speed) {
  switch (speed) {
    case B300:
      return 300;
    case B600:
      return 600;
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    case B230400:
      return 230400;
    default:
      return 0;
  }
}

void MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0)
    return;
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &tio);
}

}  // namespace

namespace {
// A new reading is queued only while less than this is still waiting for the line, so a rate the
// line cannot carry thins the stream instead of growing the queue without end.
constexpr std::size_t kStreamBacklog = 64;
}  // namespace

PtyInterface::PtyInterface(InterfaceSimulator& simulator, bool paced, double streamHz)
    : simulator_(simulator),
      paced_(paced || streamHz > 0),
      pacedInput_(paced),
      schedule_(streamHz) {}

PtyInterface::~PtyInterface() {
  Remove();
}

bool PtyInterface::LockLink(const std::string& linkPath, std::string& error) {
  const std::size_t slash = linkPath.find_last_of('/');
  const std::string lockPath =
      slash == std::string::npos
          ? "." + linkPath + ".lock"
          : linkPath.substr(0, slash + 1) + "." + linkPath.substr(slash + 1) + ".lock";
  // The holder removes the file when it stops; one opened just before that is not the lock any
  // more, so the lock counts only while the name still leads to the locked file.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int fd =
        open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
      error = "cannot create " + lockPath + ": " + std::strerror(errno);
      return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      char pid[32] = {};
      const ssize_t n = pread(fd, pid, sizeof pid - 1, 0);
      close(fd);
      error = linkPath + " is served by another mxsim";
      if (n > 0 && std::atol(pid) > 0)
        error += " (process " + std::to_string(std::atol(pid)) + ")";
      return false;
    }
    struct stat held {};
    struct stat named {};
    if (fstat(fd, &held) == 0 && stat(lockPath.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
      const std::string pid = std::to_string(getpid()) + "\n";
      // The number is only for the message of a simulator that is refused.
      const bool noted = ftruncate(fd, 0) == 0 &&
                         pwrite(fd, pid.data(), pid.size(), 0) == static_cast<ssize_t>(pid.size());
      (void)noted;
      lockFd_ = fd;
      lockPath_ = lockPath;
      return true;
    }
    close(fd);
  }
  error = "cannot lock " + lockPath;
  return false;
}

bool PtyInterface::LockStillOurs() const {
  // The name may lead to another file by now (ours removed by hand, and the simulator started
  // since holds a new one): that one is not ours to remove.
  struct stat held {};
  struct stat named {};
  if (fstat(lockFd_, &held) != 0 || lstat(lockPath_.c_str(), &named) != 0 ||
      held.st_ino != named.st_ino || held.st_dev != named.st_dev)
    return false;
  char pid[32] = {};
  const ssize_t n = pread(lockFd_, pid, sizeof pid - 1, 0);
  return n > 0 && std::atol(pid) == static_cast<long>(getpid());
}

bool PtyInterface::Create(const std::string& linkPath, std::string& error) {
  if (!LockLink(linkPath, error))
    return false;
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
    error = std::string("openpty: ") + std::strerror(errno);
    return false;
  }
  slavePath_ = name;
  // Both sides raw: a cooked side would echo, translate CR and stop at XOFF (0x13).
  MakeRaw(master_);
  MakeRaw(slave_);
  // The simulator's speed is what the program expects at first; it sets its own anyway.
  termios tio{};
  if (tcgetattr(slave_, &tio) == 0) {
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(slave_, TCSANOW, &tio);
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);

  struct stat existing {};
  if (lstat(linkPath.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      error = linkPath + " exists and is not a symbolic link";
      return false;
    }
    unlink(linkPath.c_str());
  }
  if (symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
    error = "symlink " + linkPath + ": " + std::strerror(errno);
    return false;
  }
  linkPath_ = linkPath;
  return true;
}

int PtyInterface::CurrentBaud() const {
  termios tio{};
  if (tcgetattr(slave_, &tio) != 0)
    return 0;
  return SpeedToBaud(cfgetospeed(&tio));
}

void PtyInterface::Flush(uint64_t nowUs) {
  while (!output_.empty()) {
    std::size_t due = output_.size();
    uint64_t byteUs = 0;
    if (paced_) {
      // 10 bits a byte at the line's speed, on an absolute schedule so rounding never adds up.
      if (nextByteUs_ > nowUs)
        return;
      byteUs = uint64_t{10'000'000} / static_cast<uint64_t>(std::max(CurrentBaud(), 50));
      due = std::min<std::size_t>(due, (nowUs - nextByteUs_) / byteUs + 1);
    }
    uint8_t chunk[4096];
    const std::size_t n = std::min(due, sizeof chunk);
    std::copy_n(output_.begin(), n, chunk);
    const ssize_t written = write(master_, chunk, n);
    if (written <= 0)
      return;  // the pty buffer is full: try again when it drains
    output_.erase(output_.begin(), output_.begin() + written);
    nextByteUs_ += static_cast<uint64_t>(written) * byteUs;
    bytesSent_ += static_cast<uint64_t>(written);
    if (static_cast<std::size_t>(written) < n)
      return;
  }
}

void PtyInterface::Stream(uint64_t nowUs) {
  for (uint64_t due = schedule_.Due(nowUs); due > 0; --due) {
    if (output_.size() >= kStreamBacklog) {
      ++readingsSkipped_;
      continue;
    }
    if (output_.empty())
      nextByteUs_ = std::max(nextByteUs_, nowUs);
    const std::vector<uint8_t> reading = simulator_.NextStreamReading();
    output_.insert(output_.end(), reading.begin(), reading.end());
  }
}

void PtyInterface::ServeOnce(int waitMs) {
  uint64_t now = NowUs();
  int timeout = waitMs;
  if (schedule_.Active()) {
    Stream(now);
    const uint64_t next = schedule_.NextUs();
    timeout = std::min<int>(timeout, next > now ? static_cast<int>((next - now + 999) / 1000) : 0);
  }
  // The program's bytes are read as soon as they come, so each is judged by the speed it was
  // written at; a paced line hands them to the interface at that speed, so that a 3301-byte image
  // takes the 3.4 s at 9600 baud that a real interface needs before it answers.
  if (pacedInput_ && !input_.empty())
    timeout = std::min<int>(timeout,
                            nextInUs_ > now ? static_cast<int>((nextInUs_ - now + 999) / 1000) : 0);
  short events = POLLIN;
  if (!output_.empty()) {
    if (paced_ && nextByteUs_ > now) {
      timeout = std::min<int>(timeout, static_cast<int>((nextByteUs_ - now + 999) / 1000));
    } else {
      events |= POLLOUT;
    }
  }
  pollfd p{master_, events, 0};
  // A signal (Ctrl+C, SIGTERM) ends the wait and the round, so nothing more goes out once the
  // caller has seen its stop flag: the byte count printed on exit is what the line received.
  if (poll(&p, 1, timeout) < 0 && errno == EINTR)
    return;
  now = NowUs();
  if (p.revents & POLLIN)
    ReadInput(now);
  DeliverInput(now);
  Flush(NowUs());
}

void PtyInterface::ReadInput(uint64_t nowUs) {
  // The master sees when a byte is read, never when it was written, and a program may change the
  // speed right after writing: the byte is read at once, while the line still has the speed it
  // was written at, and only its handing over waits for the pace.
  if (input_.empty())
    nextInUs_ = std::max(nextInUs_, nowUs);
  const int baud = CurrentBaud();
  uint8_t buffer[4096];
  for (ssize_t n; (n = read(master_, buffer, sizeof buffer)) > 0;) {
    for (ssize_t i = 0; i < n; ++i)
      input_.push_back({buffer[i], baud});
  }
}

void PtyInterface::DeliverInput(uint64_t nowUs) {
  while (!input_.empty() && (!pacedInput_ || nextInUs_ <= nowUs)) {
    const int baud = input_.front().baud;
    std::vector<uint8_t> bytes;
    while (!input_.empty() && input_.front().baud == baud && (!pacedInput_ || nextInUs_ <= nowUs)) {
      bytes.push_back(input_.front().byte);
      input_.pop_front();
      nextInUs_ += uint64_t{10'000'000} / static_cast<uint64_t>(std::max(baud, 50));
    }
    const LineView view{baud, 'N', '8', false};
    const std::vector<uint8_t> reply =
        simulator_.Receive(bytes, view, static_cast<uint32_t>(nowUs / 1000));
    if (!reply.empty() && output_.empty())
      nextByteUs_ = nowUs;
    output_.insert(output_.end(), reply.begin(), reply.end());
  }
}

void PtyInterface::Serve(const volatile std::sig_atomic_t& stop) {
  while (!stop)
    ServeOnce(100);
}

void PtyInterface::Remove() {
  if (!linkPath_.empty()) {
    char target[PATH_MAX] = {};
    const ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath_)
      unlink(linkPath_.c_str());
    linkPath_.clear();
  }
  if (lockFd_ >= 0) {
    if (LockStillOurs())
      unlink(lockPath_.c_str());
    close(lockFd_);
    lockFd_ = -1;
  }
  if (master_ >= 0)
    close(master_);
  if (slave_ >= 0)
    close(slave_);
  master_ = slave_ = -1;
}

}  // namespace mx::sim
