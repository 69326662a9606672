// The SerialLine contract, run over the termios line on a pseudo-terminal and over the in-process
// line of the simulated bus, so the fake every other test relies on cannot drift from the real one.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "link/Clock.h"
#include "link/PosixSerialLine.h"
#include "sim/VirtualSerialLine.h"
#include "support/RigNames.h"
#include "support/TempDir.h"

namespace mx {
namespace {

using Bytes = std::vector<uint8_t>;

// A pseudo-terminal: the line opens the slave, the test plays the device on the master.
class PtyRig {
 public:
  static constexpr const char* kName = "Posix";
  PtyRig() {
    char name[256];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
      std::abort();
    termios tio{};
    tcgetattr(master_, &tio);
    cfmakeraw(&tio);
    tcsetattr(master_, TCSANOW, &tio);
    path_ = name;
  }
  ~PtyRig() { Unplug(); }

  std::unique_ptr<SerialLine> NewLine() {
    return std::make_unique<PosixSerialLine>(locks_.path().string());
  }
  const std::string& Path() const { return path_; }
  std::string MissingPath() const { return locks_.File("ttyNone"); }
  Clock& LineClock() { return clock_; }
  void WithoutModemLines() {}  // a pseudo-terminal has none

  void DeviceSends(const Bytes& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  Bytes DeviceReceives(std::size_t count) {
    Bytes got;
    while (got.size() < count) {
      uint8_t buffer[512];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0)
        break;
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
  // The device goes away: both ends of the terminal close, as when a simulator exits.
  void Unplug() {
    for (int* fd : {&master_, &slave_}) {
      if (*fd >= 0)
        close(*fd);
      *fd = -1;
    }
  }

 private:
  test::TempDir locks_;
  SteadyClock clock_;
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// A port of the simulated bus; the test plays the device through the bus.
class VirtualRig {
 public:
  static constexpr const char* kName = "Virtual";
  VirtualRig() { bus_.Add(kPath); }

  std::unique_ptr<SerialLine> NewLine() { return std::make_unique<sim::VirtualSerialLine>(bus_); }
  std::string Path() const { return kPath; }
  std::string MissingPath() const { return "vcomNone"; }
  Clock& LineClock() { return clock_; }
  void WithoutModemLines() { bus_.Find(kPath)->modemLines = false; }

  void DeviceSends(const Bytes& bytes) { bus_.Inject(kPath, bytes, clock_.Now64()); }
  Bytes DeviceReceives(std::size_t count) {
    const auto& written = bus_.Find(kPath)->written;
    Bytes got(written.begin(), written.end());
    got.resize(std::min(count, got.size()));
    return got;
  }
  void Unplug() { bus_.Unplug(kPath); }

 private:
  static constexpr const char* kPath = "vcom1";
  VirtualClock clock_{1000};
  sim::VirtualPortBus bus_{clock_};
};

template <typename Rig>
class SerialLineContract : public ::testing::Test {
 protected:
  Rig rig;
  std::unique_ptr<SerialLine> line = rig.NewLine();

  void Open() {
    ASSERT_TRUE(line->Open(rig.Path(), LineSettings{}).ok()) << line->LastError().detail;
  }
  Bytes ReadAll(std::size_t count) {
    Bytes got;
    while (got.size() < count && line->WaitReadable(1000) == WaitResult::Readable) {
      uint8_t buffer[512];
      const std::size_t n = line->Read(buffer, sizeof buffer);
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
};

using Rigs = ::testing::Types<PtyRig, VirtualRig>;
TYPED_TEST_SUITE(SerialLineContract, Rigs, test::RigNames);

TYPED_TEST(SerialLineContract, AllByteValuesPassBothWays) {
  this->Open();
  Bytes all(256);
  for (std::size_t i = 0; i < all.size(); ++i)
    all[i] = static_cast<uint8_t>(i);
  ASSERT_EQ(this->line->Write(all.data(), all.size()), all.size());
  EXPECT_EQ(this->rig.DeviceReceives(all.size()), all);

  this->rig.DeviceSends(all);
  EXPECT_EQ(this->ReadAll(all.size()), all);
  EXPECT_EQ(this->line->BytesQueued(), 0u);
}

TYPED_TEST(SerialLineContract, QueuedInputIsCountedAndPurged) {
  this->Open();
  EXPECT_EQ(this->line->WaitReadable(20), WaitResult::TimedOut);
  this->rig.DeviceSends({'M', 'X', '\r'});
  ASSERT_EQ(this->line->WaitReadable(1000), WaitResult::Readable);
  // A pseudo-terminal may hand the bytes over in pieces; all three are there soon.
  for (int i = 0; i < 50 && this->line->BytesQueued() < 3; ++i)
    this->line->WaitReadable(10);
  EXPECT_EQ(this->line->BytesQueued(), 3u);
  this->line->PurgeInput();
  EXPECT_EQ(this->line->BytesQueued(), 0u);
  uint8_t byte = 0;
  EXPECT_EQ(this->line->Read(&byte, 1), 0u);
}

TYPED_TEST(SerialLineContract, OpenIsExclusiveUntilClosed) {
  this->Open();
  auto other = this->rig.NewLine();
  const LineResult busy = other->Open(this->rig.Path(), LineSettings{});
  EXPECT_EQ(busy.error, LineError::Busy);
  EXPECT_NE(busy.detail.find("in use by"), std::string::npos) << busy.detail;
  EXPECT_FALSE(other->IsOpen());
  EXPECT_EQ(other->LastError().error, LineError::Busy);

  // Opening again on the same line gives up the old opening first.
  this->Open();
  this->line->Close();
  EXPECT_TRUE(other->Open(this->rig.Path(), LineSettings{}).ok());
  EXPECT_EQ(other->LastError().error, LineError::None);
}

TYPED_TEST(SerialLineContract, MissingDeviceIsNotFound) {
  const LineResult result = this->line->Open(this->rig.MissingPath(), LineSettings{});
  EXPECT_EQ(result.error, LineError::NotFound);
  EXPECT_FALSE(result.detail.empty());
  EXPECT_FALSE(this->line->IsOpen());
}

TYPED_TEST(SerialLineContract, ClosedLineDoesNothing) {
  uint8_t byte = 'x';
  uint32_t bits = 0;
  EXPECT_EQ(this->line->Read(&byte, 1), 0u);
  EXPECT_EQ(this->line->Write(&byte, 1), 0u);
  EXPECT_EQ(this->line->BytesQueued(), 0u);
  EXPECT_EQ(this->line->WaitReadable(10), WaitResult::LineLost);
  EXPECT_FALSE(this->line->Configure(LineSettings{}));
  EXPECT_FALSE(this->line->GetModemStatus(bits));
  EXPECT_FALSE(this->line->SetModemLine(ModemLine::Dtr, true));
}

TYPED_TEST(SerialLineContract, UnsupportedSpeedIsRefusedAndTheLineStaysUsable) {
  this->Open();
  LineSettings settings;
  settings.baud = 14400;
  EXPECT_FALSE(this->line->Configure(settings));
  EXPECT_EQ(this->line->LastError().error, LineError::Unsupported);
  settings.baud = 19200;
  EXPECT_TRUE(this->line->Configure(settings));
  const uint8_t byte = 'B';
  EXPECT_EQ(this->line->Write(&byte, 1), 1u);
  EXPECT_EQ(this->rig.DeviceReceives(1), Bytes{'B'});
}

TYPED_TEST(SerialLineContract, DeviceWithoutModemLinesStillWorks) {
  this->rig.WithoutModemLines();
  this->Open();
  uint32_t bits = 0;
  EXPECT_FALSE(this->line->GetModemStatus(bits));
  EXPECT_EQ(this->line->LastError().error, LineError::Unsupported);
  EXPECT_FALSE(this->line->SetModemLine(ModemLine::Rts, true));
  const uint8_t byte = 'B';
  EXPECT_EQ(this->line->Write(&byte, 1), 1u);
  EXPECT_EQ(this->rig.DeviceReceives(1), Bytes{'B'});
}

TYPED_TEST(SerialLineContract, DeviceThatGoesAwayEndsWaitsAndWrites) {
  this->Open();
  this->rig.Unplug();
  Clock& clock = this->rig.LineClock();
  const uint32_t start = clock.NowMs();
  EXPECT_EQ(this->line->WaitReadable(5000), WaitResult::LineLost);
  EXPECT_LT(clock.NowMs() - start, 1000u);
  const uint8_t byte = 'x';
  EXPECT_EQ(this->line->Write(&byte, 1), 0u);  // a short write, with its reason
  EXPECT_EQ(this->line->LastError().error, LineError::DeviceGone);
  EXPECT_TRUE(this->line->IsOpen());  // until the owner closes it
}

TEST(LineFailureText, PermissionFailuresSayHowToMendThem) {
  EXPECT_EQ(LineFailureText({LineError::PermissionDenied, "Permission denied"}),
            "Permission denied: add your user to the group dialout (sudo usermod -aG dialout "
            "$USER) and log in again");
  EXPECT_EQ(LineFailureText({LineError::Busy, "in use by process 1 (init)"}),
            "in use by process 1 (init)");
}

}  // namespace
}  // namespace mx
