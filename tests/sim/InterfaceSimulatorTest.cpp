// The simulated interface's protocol: what it answers, at which settings, and how it takes an
// image.
#include <gtest/gtest.h>

#include "core/ImageOperations.h"
#include "sim/InterfaceSimulator.h"
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

TEST(SimulatorOptionsTest, ParsesTheCommandLine) {
  SimulatorOptions options;
  std::string error;
  ASSERT_TRUE(ParseSimulatorOptions(
      {"--link", "/tmp/x", "--model", "Mesurix6 Network", "--line", "19200-O-7-1", "--fault",
       "refuse", "--pace", "--network", "101", "--serial", "S1"},
      options, error))
      << error;
  EXPECT_EQ(options.linkPath, "/tmp/x");
  EXPECT_EQ(options.config.model, 7);
  EXPECT_EQ(options.config.image.Get(fld::hostBaud), 19200);
  EXPECT_EQ(options.config.image.Get(fld::hostParity), 'O');
  EXPECT_EQ(options.config.fault, Fault::Refuse);
  EXPECT_TRUE(options.paced);
  EXPECT_EQ(options.config.networkLine, "101");
  EXPECT_TRUE(ChecksumMatches(options.config.image));

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--model", "0"},
                                              {"--link", "x", "--line", "9600-N-7-1"},
                                              {"--link", "x", "--line", "14400-N-8-1"},
                                              {"--link", "x", "--fault", "loud"},
                                              {"--link", "x", "--model", "MX9"},
                                              {"--link"},
                                              {"--link", "x", "--image", "/nonexistent"}}) {
    SimulatorOptions ignored;
    EXPECT_FALSE(ParseSimulatorOptions(bad, ignored, error)) << bad.back();
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace mx::sim
