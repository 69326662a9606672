// The termios line on pseudo-terminals: exclusive opening (as root too), lock files, raw bytes,
// devices without modem lines and a device that goes away.
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

#include "link/PosixSerialLine.h"
#include "link/SerialPort.h"

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
  std::string LockFile() const { return lockDir + "/" + PosixSerialLine::LockFileName(slavePath); }

  int master = -1;
  int slave = -1;
  std::string slavePath, lockDir, linkPath;
};

TEST_F(PosixSerialLineTest, AllByteValuesPassBothWays) {
  PosixSerialLine line(lockDir);
  ASSERT_TRUE(line.Open(linkPath, LineSettings{}).ok());
  std::vector<uint8_t> all(256);
  for (int i = 0; i < 256; ++i)
    all[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i);
  ASSERT_EQ(line.Write(all.data(), all.size()), 256u);
  std::vector<uint8_t> got;
  while (got.size() < 256) {
    uint8_t buffer[256];
    const ssize_t n = read(master, buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    got.insert(got.end(), buffer, buffer + n);
  }
  EXPECT_EQ(got, all);

  ASSERT_EQ(write(master, all.data(), all.size()), 256);
  got.clear();
  while (got.size() < 256) {
    ASSERT_EQ(line.WaitReadable(1000), WaitResult::Readable);
    uint8_t buffer[256];
    const std::size_t n = line.Read(buffer, sizeof buffer);
    got.insert(got.end(), buffer, buffer + n);
  }
  EXPECT_EQ(got, all);
  EXPECT_EQ(line.BytesQueued(), 0u);
}

TEST_F(PosixSerialLineTest, SecondOpenerFailsAndNamesTheHolder) {
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
  first.Close();
  EXPECT_TRUE(second.Open(linkPath, LineSettings{}).ok());
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

TEST_F(PosixSerialLineTest, PseudoTerminalsOpenWithoutModemLines) {
  PosixSerialLine line(lockDir);
  LineSettings settings;
  settings.parity = Parity::Even;
  settings.dataBits = 7;
  ASSERT_TRUE(line.Open(linkPath, settings).ok());
  uint32_t bits = 0;
  EXPECT_FALSE(line.GetModemStatus(bits));
  EXPECT_EQ(line.LastError().error, LineError::Unsupported);
  EXPECT_FALSE(line.SetModemLine(ModemLine::Rts, true));
  settings.baud = 19200;
  line.Configure(settings);
  termios tio{};
  ASSERT_EQ(tcgetattr(slave, &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
}

TEST_F(PosixSerialLineTest, MissingDeviceSaysWhy) {
  PosixSerialLine line(lockDir);
  const LineResult result = line.Open(lockDir + "/nothing", LineSettings{});
  EXPECT_EQ(result.error, LineError::NotFound);
  EXPECT_FALSE(result.detail.empty());
  EXPECT_FALSE(line.IsOpen());
}

TEST_F(PosixSerialLineTest, ReadsEndAtOnceWhenTheDeviceGoesAway) {
  PosixSerialLine line(lockDir);
  SteadyClock clock;
  PortMap ports;
  ports.Set(1, linkPath);
  SerialPort port(line, clock, ports);
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  ASSERT_EQ(write(master, "MX", 2), 2);
  close(master);
  master = -1;
  close(slave);  // the simulator's own hold on the slave goes too
  slave = -1;
  const uint32_t start = clock.NowMs();
  port.ReadLine(30, 5000);
  EXPECT_LT(clock.NowMs() - start, 2000u);
  EXPECT_TRUE(port.LineLost());
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
