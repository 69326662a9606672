// What only the termios line does (the contract of every line is in SerialLineContractTest): lock
// files, exclusive opening through any name of the device (as root too), settings that reach the
// driver and are put back on close, a write wait that a Cancel ends, and the kinds of the
// operating system's errors.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include "link/CancellableLine.h"
#include "link/PosixSerialLine.h"
#include "support/RecordingHost.h"

namespace mx {
namespace {

class PosixSerialLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256];
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
    slavePath = name;
    char dir[] = "/tmp/mxlinkXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    lockDir = dir;
    linkPath = lockDir + "/ttyMX0";
    std::filesystem::create_symlink(slavePath, linkPath);
  }
  void TearDown() override {
    if (master >= 0)
      close(master);
    if (slave >= 0)
      close(slave);
    std::filesystem::remove_all(lockDir);
  }
  std::string LockFile() const { return lockDir + "/" + PortLock::FileName(slavePath); }

  int master = -1;
  int slave = -1;
  std::string slavePath, lockDir, linkPath;
};

TEST_F(PosixSerialLineTest, SecondOpenerIsToldWhichProcessHoldsTheDevice) {
  PosixSerialLine first(lockDir), second(lockDir);
  ASSERT_TRUE(first.Open(linkPath, LineSettings{}).ok());
  // Also through the device's own path: the lock is on the device, not on the name.
  for (const std::string& path : {linkPath, slavePath}) {
    const LineResult result = second.Open(path, LineSettings{});
    EXPECT_EQ(result.error, LineError::Busy);
    EXPECT_NE(result.detail.find("in use by process " + std::to_string(getpid())),
              std::string::npos)
        << result.detail;
  }
}

TEST_F(PosixSerialLineTest, WritesAndHonoursLockFiles) {
  {
    PosixSerialLine line(lockDir);
    ASSERT_TRUE(line.Open(linkPath, LineSettings{}).ok());
    std::ifstream lock(LockFile());
    long pid = 0;
    ASSERT_TRUE(lock >> pid);
    EXPECT_EQ(pid, getpid());
  }
  EXPECT_FALSE(std::filesystem::exists(LockFile()));

  // A live foreign holder (process 1 always exists) keeps us out; a dead one's file is cleared.
  std::ofstream(LockFile()) << "         1\n";
  PosixSerialLine line(lockDir);
  const LineResult busy = line.Open(linkPath, LineSettings{});
  EXPECT_EQ(busy.error, LineError::Busy);
  EXPECT_NE(busy.detail.find("in use by process 1"), std::string::npos);
  std::ofstream(LockFile(), std::ios::trunc) << "   4194304\n";  // above any pid_max
  EXPECT_TRUE(line.Open(linkPath, LineSettings{}).ok());
}

TEST_F(PosixSerialLineTest, SettingsReachTheDevice) {
  PosixSerialLine line(lockDir);
  LineSettings settings;
  settings.parity = Parity::Even;
  settings.dataBits = 7;
  ASSERT_TRUE(line.Open(linkPath, settings).ok());
  settings.baud = 19200;
  ASSERT_TRUE(line.Configure(settings));
  termios tio{};
  ASSERT_EQ(tcgetattr(slave, &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
}

TEST_F(PosixSerialLineTest, ClosePutsThePortsOwnSettingsBack) {
  termios before{};
  ASSERT_EQ(tcgetattr(slave, &before), 0);
  // A login terminal's: line editing, echo, 2400 baud.
  before.c_lflag |= ICANON | ECHO | ISIG;
  before.c_oflag |= OPOST | ONLCR;
  cfsetspeed(&before, B2400);
  ASSERT_EQ(tcsetattr(slave, TCSANOW, &before), 0);
  ASSERT_EQ(tcgetattr(slave, &before), 0);
  PosixSerialLine line(lockDir);
  ASSERT_TRUE(line.Open(linkPath, LineSettings{19200, Parity::Odd, 7, StopBits::Two}).ok());
  termios during{};
  ASSERT_EQ(tcgetattr(slave, &during), 0);
  ASSERT_NE(during.c_lflag, before.c_lflag);
  line.Close();
  termios after{};
  ASSERT_EQ(tcgetattr(slave, &after), 0);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}

// The device takes nothing (nobody reads the terminal's other end): a write that would wait for
// it for seconds ends at the command's Cancel.
TEST_F(PosixSerialLineTest, CancelEndsAWriteThatWaitsForTheDevice) {
  struct CancelledHost : test::RecordingHost {
    bool CancelRequested() const override { return true; }
  } host;
  PosixSerialLine line(lockDir);
  ASSERT_TRUE(line.Open(linkPath, LineSettings{230400}).ok());
  SteadyClock clock;
  CancellableSerialLine cancellable(line, clock, host);
  const std::vector<uint8_t> bytes(256 * 1024, 'x');  // far more than the terminal buffers
  EXPECT_LT(cancellable.Write(bytes.data(), bytes.size()), bytes.size());
  EXPECT_EQ(line.LastError().error, LineError::TimedOut);
  EXPECT_NE(line.LastError().detail.find("cancelled"), std::string::npos)
      << line.LastError().detail;
}

TEST(PosixSerialLineErrors, OpenFailuresHaveTheirKind) {
  const std::pair<int, LineError> cases[] = {
      {ENOENT, LineError::NotFound},
      {ENXIO, LineError::NotFound},
      {EBUSY, LineError::Busy},
      {EACCES, LineError::PermissionDenied},
      {EPERM, LineError::PermissionDenied},
      {ENOTTY, LineError::NotSerial},
      {EIO, LineError::Io},
  };
  for (const auto& [error, kind] : cases)
    EXPECT_EQ(PosixSerialLine::OpenErrorKind(error), kind) << std::strerror(error);
}

}  // namespace
}  // namespace mx
