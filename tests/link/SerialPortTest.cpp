// SerialPort's rules on a virtual line: setting maps, silence time-outs to the millisecond, limits.
#include <gtest/gtest.h>

#include "link/ForwardingSerialLine.h"
#include "link/SerialPort.h"
#include "sim/VirtualSerialLine.h"

namespace mx {
namespace {

class SerialPortTest : public ::testing::Test {
 protected:
  SerialPortTest() {
    bus.Add("vcom1");
    bus.Add("vcom2");
    ports.Set(1, "vcom1");
    ports.Set(2, "vcom2");
  }
  void Inject(const std::string& bytes, uint64_t atMs) {
    bus.Inject("vcom1", std::vector<uint8_t>(bytes.begin(), bytes.end()), atMs);
  }

  VirtualClock clock{5000};
  sim::VirtualPortBus bus{clock};
  sim::VirtualSerialLine line{bus};
  PortMap ports;
  SerialPort port{line, clock, ports};
};

TEST_F(SerialPortTest, OpenAndSetLineSettingsMapSettings) {
  ASSERT_TRUE(port.Open(1, 14400, 'X', '7', '0'));
  EXPECT_EQ(line.Settings().baud, 9600);
  EXPECT_EQ(line.Settings().parity, Parity::None);
  EXPECT_EQ(line.Settings().dataBits, 7);
  EXPECT_EQ(line.Settings().stopBits, StopBits::OnePointFive);

  ASSERT_TRUE(port.Open(1, 115200, 'M', '8', '2'));
  EXPECT_EQ(line.Settings().baud, 115200);
  EXPECT_EQ(line.Settings().parity, Parity::Mark);
  EXPECT_EQ(line.Settings().stopBits, StopBits::Two);

  port.SetLineSettings(38400, 'S', '7');  // no stick parity and nothing above 19200 here
  EXPECT_EQ(line.Settings().baud, 9600);
  EXPECT_EQ(line.Settings().parity, Parity::None);
  EXPECT_EQ(line.Settings().stopBits, StopBits::Two);  // kept
  port.SetLineSettings(19200, 'O', '7');
  EXPECT_EQ(line.Settings().baud, 19200);
  EXPECT_EQ(line.Settings().parity, Parity::Odd);
}

TEST_F(SerialPortTest, OpenFailsForUnmappedAndBusyPorts) {
  EXPECT_FALSE(port.Open(3, 9600, 'N', '8', '1'));
  EXPECT_EQ(port.LastOpenError().error, LineError::NotFound);
  EXPECT_EQ(port.LastOpenError().detail, "no such port");
  bus.Find("vcom2")->busy = true;
  EXPECT_FALSE(port.Open(2, 9600, 'N', '8', '1'));
  EXPECT_EQ(port.LastOpenError().error, LineError::Busy);
  EXPECT_FALSE(port.IsOpen());
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  EXPECT_TRUE(port.LastOpenError().ok());
}

TEST_F(SerialPortTest, ReopeningClosesTheOldLineFirst) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  ASSERT_TRUE(port.Open(1, 4800, 'N', '8', '1'));  // would be "busy" had the old one stayed open
  EXPECT_EQ(bus.Find("vcom1")->opens, 2);
  port.Close();
  EXPECT_FALSE(bus.Find("vcom1")->busy);
}

TEST_F(SerialPortTest, ReadLineStopsAtTheLimitAndConsumesOneMore) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  const std::string forty = "0123456789abcdefghijABCDEFGHIJklmnopqrst";
  Inject(forty, 5000);
  char buffer[31];
  EXPECT_EQ(port.ReadLine(buffer, 30, 300, '\r'), 30);
  EXPECT_EQ(std::string(buffer), forty.substr(0, 30));
  EXPECT_EQ(port.BytesAvailable(), 9u);
  EXPECT_EQ(clock.Now64(), 5000u);  // no waiting while bytes are there
}

TEST_F(SerialPortTest, ReadLineWithTerminatorFirstReturnsEmpty) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  Inject("\rrest", 5000);
  char buffer[31] = "xxxx";
  EXPECT_EQ(port.ReadLine(buffer, 30, 300, '\r'), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(port.BytesAvailable(), 4u);
}

TEST_F(SerialPortTest, SilenceTimeoutRestartsAtEveryByte) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  for (uint64_t i = 1; i <= 4; ++i)
    Inject("x", 5000 + 250 * i);
  uint8_t buffer[4];
  EXPECT_EQ(port.ReadCount(buffer, 4, 300), 4);
  EXPECT_EQ(clock.Now64(), 6000u);

  // A gap of exactly the time-out ends the read, even with a byte arriving at that millisecond.
  Inject("a", 6299);
  Inject("b", 6599);
  EXPECT_EQ(port.ReadCount(buffer, 4, 300), 1);
  EXPECT_EQ(clock.Now64(), 6599u);
}

// A thread that a busy machine wakes late: every wait that sees a byte returns 400 ms after it.
class LateWakingLine : public ForwardingSerialLine {
 public:
  LateWakingLine(SerialLine& inner, VirtualClock& clock)
      : ForwardingSerialLine(inner), clock_(clock) {}
  WaitResult WaitReadable(uint32_t timeoutMs) override {
    const WaitResult result = inner_.WaitReadable(timeoutMs);
    if (result == WaitResult::Readable)
      clock_.SleepMs(400);
    return result;
  }

 private:
  VirtualClock& clock_;
};

TEST_F(SerialPortTest, ALateWakeUpIsNoSilence) {
  LateWakingLine late{line, clock};
  SerialPort latePort{late, clock, ports};
  ASSERT_TRUE(latePort.Open(1, 9600, 'N', '8', '1'));
  Inject("ab", 5100);
  uint8_t buffer[2];
  EXPECT_EQ(latePort.ReadCount(buffer, 2, 300), 2);
}

TEST_F(SerialPortTest, SilenceEndsLineAfterTimeoutFromLastByte) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  Inject("MX", 5100);
  EXPECT_EQ(port.ReadLine(30, 300), "MX");
  EXPECT_EQ(clock.Now64(), 5400u);
  EXPECT_EQ(port.ReadLine(30, 500), "");
  EXPECT_EQ(clock.Now64(), 5900u);
}

TEST(SerialPortWrapTest, TimeoutsSurviveTheTickWrap) {
  VirtualClock clock{0xFFFFFF00ull};  // 256 ms before the 32-bit counter wraps
  sim::VirtualPortBus bus{clock};
  sim::VirtualSerialLine line{bus};
  PortMap ports;
  ports.Set(1, "vcom1");
  bus.Add("vcom1");
  SerialPort port(line, clock, ports);
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  bus.Inject("vcom1", {'A'}, 0xFFFFFF00ull + 200);
  bus.Inject("vcom1", {'B'}, 0xFFFFFF00ull + 450);  // after the wrap
  uint8_t buffer[3];
  EXPECT_EQ(port.ReadCount(buffer, 3, 300), 2);
  EXPECT_EQ(clock.Now64(), 0xFFFFFF00ull + 750);
  EXPECT_LT(clock.NowMs(), 1000u);
}

TEST_F(SerialPortTest, DrainAndWaitWaitsOnlyWhenOpen) {
  port.DrainAndWait(500);
  EXPECT_EQ(clock.Now64(), 5000u);
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  Inject("old", 5000);
  port.DrainAndWait(500);
  EXPECT_EQ(clock.Now64(), 5500u);
  EXPECT_EQ(port.BytesAvailable(), 0u);
}

TEST_F(SerialPortTest, ClosedPortRefusesModemCalls) {
  uint32_t bits = 0xdead;
  EXPECT_FALSE(port.GetModemStatus(bits));
  EXPECT_EQ(bits, 0xdeadu);
  EXPECT_FALSE(port.SetModemLine(kSetRts));
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  EXPECT_TRUE(port.SetModemLine(kClearDtr));
  EXPECT_FALSE(port.SetModemLine(7));
}

TEST_F(SerialPortTest, WritesGoOutWholeAndNegativeCountsNot) {
  ASSERT_TRUE(port.Open(1, 9600, 'N', '8', '1'));
  port.WriteText("<$B");
  const uint8_t bytes[] = {0, 13, 255};
  EXPECT_FALSE(port.WriteBytes(bytes, -1));
  EXPECT_TRUE(port.WriteBytes(bytes, 3));
  const auto& written = bus.Find("vcom1")->written;
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()),
            (std::vector<uint8_t>{'<', '$', 'B', 0, 13, 255}));
  bus.Unplug("vcom1");
  EXPECT_FALSE(port.WriteBytes(bytes, 3));  // a short write is reported
}

}  // namespace
}  // namespace mx
