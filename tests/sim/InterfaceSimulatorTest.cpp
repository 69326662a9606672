// The simulated interface's protocol: what it answers, at which settings, and how it takes an
// image.
#include <gtest/gtest.h>

#include "core/ImageOperations.h"
#include "sim/InterfaceSimulator.h"
#include "sim/ReadingSchedule.h"
#include "sim/SimulatorOptions.h"

namespace mx::sim {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}
std::string Text(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

InterfaceSimulator Make(ModelIndex model, int baud, char parity, char dataBits,
                        Fault fault = Fault::None) {
  SimulatorConfig config;
  config.model = model;
  config.fault = fault;
  config.image = DefaultSimulatorImage(model, baud, parity, dataBits);
  return InterfaceSimulator(config);
}

const LineView k4800E7{4800, 'E', '7', true};

TEST(InterfaceSimulatorTest, AnswersOnlyAtItsOwnSettings) {
  InterfaceSimulator sim = Make(2, 4800, 'E', '7');
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), k4800E7, 0)), "MX4-PLUS-00: 4800-E-7-1\r");
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), {4800, 'N', '8', true}, 0)), "");
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), {9600, 'E', '7', true}, 0)), "");
  // On a pseudo-terminal only the speed is seen: the reply comes whatever the framing.
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), {4800, 'N', '8', false}, 0)),
            "MX4-PLUS-00: 4800-E-7-1\r");
}

TEST(InterfaceSimulatorTest, RequestParserSkipsNoiseAndSplitRequests) {
  InterfaceSimulator sim = Make(1, 9600, 'N', '8');
  const LineView line{9600, 'N', '8', true};
  EXPECT_EQ(Text(sim.Receive(Bytes("xx<<$"), line, 0)), "");
  EXPECT_EQ(Text(sim.Receive(Bytes("S<$Q<$"), line, 0)), sim.Config().serialNumber + "\r");
  EXPECT_EQ(Text(sim.Receive(Bytes("V"), line, 0)), sim.Config().version + "\r");
  EXPECT_EQ(sim.Requests(), (std::vector<std::string>{"S", "V"}));
  const std::string network = Text(sim.Receive(Bytes("<$N"), line, 0));
  EXPECT_EQ(network.find("100  "), 0u);
  EXPECT_EQ(network.size(), 47u);  // port field ends at column 45, then CR
}

TEST(InterfaceSimulatorTest, PlusModelsIgnoreTheNetworkRequest) {
  InterfaceSimulator sim = Make(0, 9600, 'N', '8');
  EXPECT_EQ(Text(sim.Receive(Bytes("<$N"), {9600, 'N', '8', true}, 0)), "");
}

TEST(InterfaceSimulatorTest, TransferSpeedLastsUntilLeaveRequest) {
  InterfaceSimulator sim = Make(0, 19200, 'O', '7');
  sim.Receive(Bytes("<$E"), {19200, 'O', '7', true}, 0);
  EXPECT_TRUE(sim.InTransferMode());
  const LineView transfer{9600, 'N', '8', true};
  const std::vector<uint8_t> image = sim.Receive(Bytes("<$T"), transfer, 0);
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), sim.Image().Bytes().begin()));
  sim.Receive(Bytes("<$F"), transfer, 0);
  EXPECT_FALSE(sim.InTransferMode());
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), transfer, 0)), "");
}

TEST(InterfaceSimulatorTest, AcceptsAGoodImageAndResetsWithItsHostSettings) {
  InterfaceSimulator sim = Make(4, 9600, 'N', '8');
  const LineView line{9600, 'N', '8', true};
  ParameterImage image = DefaultSimulatorImage(4, 2400, 'O', '7');
  image.SetText(fld::description, "new");
  StoreChecksum(image);
  std::vector<uint8_t> request = Bytes("<$U");
  request.insert(request.end(), image.Bytes().begin(), image.Bytes().end());
  // Split anywhere, the image still counts.
  EXPECT_EQ(Text(sim.Receive({request.data(), 1000}, line, 10)), "");
  EXPECT_EQ(Text(sim.Receive({request.data() + 1000, request.size() - 1000}, line, 20)), "Pass\r");
  EXPECT_EQ(sim.Image(), image);
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), {2400, 'O', '7', true}, 30)),
            "MX5-PLUS-00: 2400-O-7-1\r");
}

TEST(InterfaceSimulatorTest, RefusesBadChecksumsAndStaleHalfImages) {
  InterfaceSimulator sim = Make(0, 9600, 'N', '8');
  const LineView line{9600, 'N', '8', true};
  ParameterImage image = sim.Image();
  image.Set(fld::checksum, image.Get(fld::checksum) ^ 1u);
  std::vector<uint8_t> request = Bytes("<$U");
  request.insert(request.end(), image.Bytes().begin(), image.Bytes().end());
  EXPECT_EQ(Text(sim.Receive(request, line, 0)), "Transfer Failed: checksum error\r");

  // Half an image, then silence: the interface gives up and hears requests again.
  sim.Receive({request.data(), 500}, line, 100);
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), line, 1200)), "MX3-PLUS-00: 9600-N-8-1\r");
  EXPECT_EQ(sim.Resets(), 0);
}

TEST(InterfaceSimulatorTest, FaultsChangeWhatComesBack) {
  const LineView line{9600, 'N', '8', true};
  InterfaceSimulator silent = Make(0, 9600, 'N', '8', Fault::Silent);
  EXPECT_TRUE(silent.Receive(Bytes("<$B<$S<$T"), line, 0).empty());
  InterfaceSimulator garbled = Make(0, 9600, 'N', '8', Fault::Garbled);
  const std::string reply = Text(garbled.Receive(Bytes("<$B"), line, 0));
  EXPECT_EQ(reply.size(), 24u);
  EXPECT_NE(reply, "MX3-PLUS-00: 9600-N-8-1\r");
  InterfaceSimulator shortImage = Make(0, 9600, 'N', '8', Fault::Short);
  EXPECT_EQ(shortImage.Receive(Bytes("<$T"), line, 0).size(), kImageSize - 1);
  InterfaceSimulator badSum = Make(0, 9600, 'N', '8', Fault::BadSum);
  const std::vector<uint8_t> sent = badSum.Receive(Bytes("<$T"), line, 0);
  ParameterImage received;
  std::copy(sent.begin(), sent.end(), received.Bytes().begin());
  EXPECT_FALSE(ChecksumMatches(received));
}

// Lines of a reply, without their CRs; fails the test on a reply that does not end in CR.
std::vector<std::string> Lines(const std::vector<uint8_t>& reply) {
  std::vector<std::string> lines;
  std::string text = Text(reply);
  EXPECT_TRUE(text.empty() || text.back() == '\r') << text;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\r', at);
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

TEST(InterfaceSimulatorTest, AnswersTheTestWindowsButtons) {
  InterfaceSimulator plus = Make(0, 9600, 'N', '8');
  const LineView line{9600, 'N', '8', true};
  const auto copyright = Lines(plus.Receive(Bytes("<*"), line, 0));
  ASSERT_EQ(copyright.size(), 1u);
  EXPECT_NE(copyright[0].find("Copyright"), std::string::npos);

  // The command list names every request the interface answers, the network one only on
  // Network models.
  const auto commands = Lines(plus.Receive(Bytes("<H"), line, 0));
  for (const std::string request : {"<*", "<H", "<R*", "<T*", "<$B", "<$S", "<$V", "<$T", "<$U"}) {
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [&](const std::string& l) {
      return l.find(request) != std::string::npos;
    })) << request;
  }
  const auto hasNetwork = [](const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& l) { return l.rfind("<$N", 0) == 0; });
  };
  EXPECT_FALSE(hasNetwork(commands));
  InterfaceSimulator network = Make(7, 9600, 'N', '8');
  EXPECT_TRUE(hasNetwork(Lines(network.Receive(Bytes("<H"), line, 0))));

  // One line per channel of the model, split requests and noise notwithstanding.
  ParameterImage image = DefaultSimulatorImage(4, 9600, 'N', '8');
  image.Set(fld::gageType, int8_t{6}, 1);
  image.Set(fld::gageType, int8_t{3}, 2);
  SimulatorConfig config;
  config.model = 4;
  config.image = image;
  InterfaceSimulator five(config);
  EXPECT_TRUE(five.Receive(Bytes("x<R"), line, 0).empty());
  EXPECT_EQ(Lines(five.Receive(Bytes("*"), line, 0)),
            (std::vector<std::string>{"A " + InterfaceSimulator::Reading(0, 0), "B disabled",
                                      "C " + InterfaceSimulator::Reading(2, 0),
                                      "D " + InterfaceSimulator::Reading(3, 0),
                                      "E " + InterfaceSimulator::Reading(4, 0)}));
  EXPECT_EQ(Lines(five.Receive(Bytes("<T*"), line, 0)),
            (std::vector<std::string>{"A Auto select", "B Disable channel", "C Mitutoyo",
                                      "D Auto select", "E RS232"}));
  EXPECT_EQ(Lines(plus.Receive(Bytes("<T*"), line, 0)).size(), 2u);
  EXPECT_TRUE(five.Receive(Bytes("<R+<T<*"), line, 0).size() > 0);  // only "<*" counts
  EXPECT_EQ(five.Requests(), (std::vector<std::string>{"R*", "T*", "*"}));
  // Like every request, none is heard at other settings than the interface's own.
  EXPECT_TRUE(five.Receive(Bytes("<H<*"), {19200, 'N', '8', true}, 0).empty());
}

TEST(InterfaceSimulatorTest, ReadingsWanderAndStreamOneLineAtATime) {
  EXPECT_EQ(InterfaceSimulator::Reading(0, 0), "+0012.345");
  EXPECT_EQ(InterfaceSimulator::Reading(0, 20), "+0012.365");
  EXPECT_EQ(InterfaceSimulator::Reading(0, 40), "+0012.345");
  EXPECT_EQ(InterfaceSimulator::Reading(1, 5), "-0003.205");
  InterfaceSimulator sim = Make(0, 9600, 'N', '8');
  EXPECT_EQ(Text(sim.NextStreamReading()), "+0012.345\r");
  EXPECT_EQ(Text(sim.NextStreamReading()), "+0012.346\r");
}

TEST(ReadingScheduleTest, KeepsAnAbsoluteRateAndSkipsLongStalls) {
  ReadingSchedule idle(0);
  EXPECT_EQ(idle.Due(5'000'000), 0u);
  ReadingSchedule tenHz(10);
  EXPECT_EQ(tenHz.Due(1'000'000), 1u);  // the first reading at once
  EXPECT_EQ(tenHz.Due(1'099'999), 0u);
  EXPECT_EQ(tenHz.Due(1'100'000), 1u);
  EXPECT_EQ(tenHz.Due(1'450'000), 3u);  // a late wake-up catches up: 1.2, 1.3, 1.4
  EXPECT_EQ(tenHz.NextUs(), 1'500'000u);
  EXPECT_EQ(tenHz.Due(9'000'000), 1u);  // stopped for seconds: resumes, no flood
  EXPECT_EQ(tenHz.NextUs(), 9'100'000u);
}

TEST(SimulatorOptionsTest, FastLinesAndStreaming) {
  SimulatorOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimulatorOptions({"--link", "x", "--line", "115200-N-8-1", "--stream", "50"},
                                    options, error))
      << error;
  EXPECT_EQ(options.streamHz, 50);
  InterfaceSimulator sim(options.config);
  EXPECT_EQ(sim.OwnLine().baud, 115200);
  EXPECT_TRUE(ChecksumMatches(sim.Image()));
  EXPECT_EQ(Text(sim.Receive(Bytes("<$B"), {115200, 'N', '8', true}, 0)),
            "MX3-PLUS-00: 115200-N-8-1\r");
  for (const char* bad : {"0", "-5", "fast", "20000"}) {
    SimulatorOptions ignored;
    EXPECT_FALSE(ParseSimulatorOptions({"--link", "x", "--stream", bad}, ignored, error)) << bad;
  }
}

TEST(SimulatorOptionsTest, ParsesTheCommandLine) {
  SimulatorOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimulatorOptions(
      {"--link", "/tmp/x", "--model", "Mesurix6 Network", "--line", "19200-O-7-1", "--fault",
       "refuse", "--pace", "--network", "101", "--serial", "S1", "--firmware", "F2"},
      options, error))
      << error;
  EXPECT_EQ(options.linkPath, "/tmp/x");
  EXPECT_EQ(options.config.model, 7);
  EXPECT_EQ(options.config.image.Get(fld::hostBaud), 19200);
  EXPECT_EQ(options.config.image.Get(fld::hostParity), 'O');
  EXPECT_EQ(options.config.fault, Fault::Refuse);
  EXPECT_TRUE(options.paced);
  EXPECT_EQ(options.config.networkLine, "101");
  EXPECT_EQ(options.config.version, "F2");
  EXPECT_TRUE(ChecksumMatches(options.config.image));

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--model", "0"},
                                              {"--link", "x", "--line", "9600-N-7-1"},
                                              {"--link", "x", "--line", "14400-N-8-1"},
                                              {"--link", "x", "--fault", "loud"},
                                              {"--link", "x", "--model", "MX9"},
                                              {"--link", "x", "--version", "F2"},
                                              {"--link"},
                                              {"--link", "x", "--image", "/nonexistent"}}) {
    SimulatorOptions ignored;
    EXPECT_FALSE(ParseSimulatorOptions(bad, ignored, error)) << bad.back();
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace mx::sim
