// Reading and sending the image on the virtual bench: requests, waits, verdicts, messages, state.
#include <gtest/gtest.h>

#include <functional>

#include "core/ImageOperations.h"
#include "link/CancellableLine.h"
#include "link/LinkMessages.h"
#include "link/ParameterTransfer.h"
#include "support/RecordingHost.h"

namespace mx {
namespace {

using test::LinkBench;

std::string Written(LinkBench& bench, int port) {
  const auto& w = bench.bus.Find(LinkBench::PathOf(port))->written;
  return std::string(w.begin(), w.end());
}

// The requests on the wire, with the image bytes left out.
std::string RequestsOnly(const std::string& written) {
  std::string out;
  for (std::size_t at = written.find("<$"); at != std::string::npos;
       at = written.find("<$", at + 3))
    out += written.substr(at + 2, 1);
  return out;
}

TEST(TransferTest, AcknowledgeTimeoutFollowsTheIdentificationSpeed) {
  EXPECT_EQ(AcknowledgeTimeoutMs(1200), 29508u);
  EXPECT_EQ(AcknowledgeTimeoutMs(9600), 5438u);
  EXPECT_EQ(AcknowledgeTimeoutMs(19200), 3719u);
  EXPECT_EQ(AcknowledgeTimeoutMs(0), 5438u);  // a nonsense stored speed must not divide by zero
}

TEST(TransferTest, ReadAtTransferSpeedSkipsTheSwitchButStillEndsIt) {
  LinkBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 2, 9600, 'N', '8');
  bench.StorePlace(1, 9600, 'N', '8');
  ASSERT_TRUE(ReadParameters(bench.link));
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDTF");
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kReceived)});
  SetupDocument& document = bench.host.Document();
  EXPECT_EQ(document.Image(), device.Image());
  EXPECT_EQ(document.SavedImage(), device.Image());
  EXPECT_FALSE(document.HasUnsavedChanges());
  EXPECT_EQ(bench.host.Count("Status connected"), 1);
  EXPECT_EQ(bench.host.Count("Notice Reading parameter data from the Mesurix | "), 1);
  EXPECT_EQ(bench.Elapsed(), 0u);
}

TEST(TransferTest, ReadAtOtherSettingsSwitchesToTransferSpeed) {
  LinkBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 4800, 'E', '7');
  bench.StorePlace(1, 4800, 'E', '7');
  ASSERT_TRUE(ReadParameters(bench.link));
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDETF");
  EXPECT_EQ(bench.Elapsed(), 500u);
  EXPECT_EQ(bench.line.Settings(), (LineSettings{9600, Parity::None, 8, StopBits::One}));
  EXPECT_FALSE(device.InTransferMode());
}

TEST(TransferTest, ShortImageFailsAfterThreeHundredMillisecondsOfSilence) {
  LinkBench bench;
  bench.AddInterface(1, 0, 9600, 'N', '8', sim::Fault::Short);
  bench.StorePlace(1, 9600, 'N', '8');
  const ParameterImage before = bench.host.Document().Image();
  EXPECT_FALSE(ReadParameters(bench.link));
  EXPECT_EQ(bench.Elapsed(), 300u);
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kUnableToRead)});
  EXPECT_EQ(bench.host.Count("Status cleared"), 1);
  EXPECT_EQ(bench.state.linkSettings.portNumber, -1);
  EXPECT_EQ(bench.host.Document().Image().Bytes().size(), before.Bytes().size());
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDTF");
}

TEST(TransferTest, WrongChecksumIsRefusedAndTheImageKept) {
  LinkBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 9600, 'N', '8', sim::Fault::BadSum);
  bench.StorePlace(1, 9600, 'N', '8');
  EXPECT_FALSE(ReadParameters(bench.link));
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kInvalidChecksum)});
  EXPECT_NE(bench.host.Document().Image().Get(fld::checksum),
            device.Image().Get(fld::checksum) + 1);
}

TEST(TransferTest, DeviceThatGoesAwayEndsTheReadAtOnce) {
  LinkBench bench;
  bench.AddInterface(1, 0, 9600, 'N', '8');
  bench.StorePlace(1, 9600, 'N', '8');
  auto& port = *bench.bus.Find("vcom1");
  port.paced = true;
  port.lostAfterBytes = 200;  // identification and identity lines, then a little of the image
  EXPECT_FALSE(ReadParameters(bench.link));
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kUnableToRead)});
  EXPECT_LT(bench.Elapsed(), 300u);
}

TEST(TransferTest, ReceivedImageIsCorrectedBeforeItIsAccepted) {
  for (const uint8_t rs232 : {uint8_t{2}, uint8_t{3}}) {
    LinkBench bench;
    sim::SimulatorConfig config;
    config.image = sim::DefaultSimulatorImage(4, 9600, 'N', '8');
    config.model = 4;
    config.image.Set(fld::outputToRs232Port, rs232);
    config.image.Set(fld::networkOutput, uint8_t{0}, 0);
    config.image.Set(fld::gapTimeMs, uint16_t{19}, 2);
    config.image.Set(fld::gapTimeMs, uint16_t{20}, 3);
    StoreChecksum(config.image);
    sim::InterfaceSimulator device(config);
    bench.AddPort(1, &device);
    ASSERT_TRUE(ReadParameters(bench.link));
    const ParameterImage& image = bench.host.Document().Image();
    EXPECT_EQ(image.Get(fld::outputToRs232Port), rs232 == 2 ? 1 : 3);
    EXPECT_EQ(image.Get(fld::networkOutput, 0), rs232 == 2 ? 1 : 0);
    EXPECT_EQ(image.Get(fld::gapTimeMs, 2), 100);
    EXPECT_EQ(image.Get(fld::gapTimeMs, 3), 20);
  }
}

TEST(TransferTest, SendPassUpdatesTheLinkButNotTheStore) {
  LinkBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 4800, 'E', '7');
  bench.StorePlace(1, 4800, 'E', '7');
  ParameterImage& image = bench.host.Document().Image();
  image.Set(fld::hostBaud, uint16_t{19200});
  image.Set(fld::hostParity, 'N');
  image.Set(fld::hostDataBits, '8');
  image.SetText(fld::description, "line 2 gauge station");
  ASSERT_TRUE(SendParameters(bench.link));

  EXPECT_EQ(bench.host.messages,
            std::vector<std::string>{
                "Mesurix acknowledged successful transfer of parameters.\n\n"
                "Wait for Mesurix to reset before sending additional requests.     "});
  EXPECT_EQ(device.Image(), bench.host.Document().Image());
  EXPECT_EQ(device.Image().Text(fld::description), "line 2 gauge station");
  EXPECT_EQ(device.Resets(), 1);
  EXPECT_EQ(bench.state.linkSettings, (LinkSettings{1, 19200, 'N', '8', '1'}));
  EXPECT_EQ(bench.state.identityTexts[1], "19200-N-8-1");
  EXPECT_TRUE(bench.state.networkStatus.netStatusValid);
  LinkSettings stored;
  LoadLinkSettings(bench.store, stored);
  EXPECT_EQ(stored, (LinkSettings{1, 4800, 'E', '7', '1'}));
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDEU");  // no "<$F" after a Pass
  EXPECT_EQ(bench.Elapsed(), 500u);
}

TEST(TransferTest, RefusedImageShowsTheWholeVerdictLine) {
  LinkBench bench;
  bench.AddInterface(1, 0, 2400, 'N', '8', sim::Fault::Refuse);
  bench.StorePlace(1, 2400, 'N', '8');
  EXPECT_FALSE(SendParameters(bench.link));
  EXPECT_EQ(bench.host.messages,
            std::vector<std::string>{"Mesurix indicated parameter transfer failed.     \n\n"
                                     "Transfer Failed: parameters locked by the operator"});
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDEUF");
  EXPECT_EQ(bench.host.Count("Status cleared"), 1);
}

// An interface scripted byte by byte: identification and identity replies, then `verdict`.
void ScriptPlusInterface(LinkBench& bench, const std::string& verdict) {
  bench.AddPort(1);
  bench.StorePlace(1, 9600, 'N', '8');
  const uint64_t t = bench.clock.Now64();
  const char* replies[] = {"MX3-PLUS-00: 9600-N-8-1\r", "SN 1\r", "V 1\r", "D 1\r"};
  for (uint64_t i = 0; i < 4; ++i) {
    const std::string r = replies[i];
    bench.bus.Inject("vcom1", std::vector<uint8_t>(r.begin(), r.end()), t + 1 + i);
  }
  if (!verdict.empty())
    bench.bus.Inject("vcom1", std::vector<uint8_t>(verdict.begin(), verdict.end()), t + 5);
}

TEST(TransferTest, VerdictInOtherLetterCaseIsNoAnswer) {
  LinkBench bench;
  ScriptPlusInterface(bench, "PASS\r");
  EXPECT_FALSE(SendParameters(bench.link));
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kNoResponse)});
  EXPECT_EQ(RequestsOnly(Written(bench, 1)), "BSVDU");  // no switch, so no "<$F"
}

TEST(TransferTest, SilentVerdictWaitsTheAcknowledgeTimeoutExactly) {
  LinkBench bench;
  ScriptPlusInterface(bench, "");
  EXPECT_FALSE(SendParameters(bench.link));
  EXPECT_EQ(bench.Elapsed(), 4u + 5438);
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kNoResponse)});
}

TEST(TransferTest, NetworkSettingsOfTheInterfaceWinUnlessEdited) {
  for (const bool edited : {false, true}) {
    LinkBench bench;
    sim::SimulatorConfig config;
    config.model = 5;
    config.image = sim::DefaultSimulatorImage(5, 9600, 'N', '8');
    const uint8_t address[] = {10, 20, 30, 40};
    for (int i = 0; i < 4; ++i)
      config.image.Set(fld::ipAddress, address[i], i);
    config.image.Set(fld::basePort, uint16_t{4321});
    config.image.Set(fld::serverMode, uint8_t{1});
    config.image.Set(fld::networkEnabled, uint8_t{1});
    StoreChecksum(config.image);
    sim::InterfaceSimulator device(config);
    bench.AddPort(1, &device);
    SetupDocument& document = bench.host.Document();
    document.Image().Set(fld::ipAddress, uint8_t{192}, 0);
    document.Image().Set(fld::basePort, uint16_t{3001});
    document.Image().Set(fld::serverMode, uint8_t{0});
    document.SetNetworkSettingsEdited(edited);

    ASSERT_TRUE(SendParameters(bench.link));
    EXPECT_EQ(device.Image().Get(fld::ipAddress, 0), edited ? 192 : 10);
    EXPECT_EQ(device.Image().Get(fld::basePort), edited ? 3001 : 4321);
    EXPECT_EQ(device.Image().Get(fld::serverMode), edited ? 0 : 1);
    EXPECT_EQ(document.Image().Get(fld::basePort), edited ? 3001 : 4321);
    EXPECT_FALSE(document.NetworkSettingsEdited());
    EXPECT_EQ(bench.host.Count("CommitNetworkPage"), edited ? 0 : 1);
  }
}

TEST(TransferTest, UnreadableNetworkSettingsStopTheSend) {
  LinkBench bench;
  sim::SimulatorConfig config;
  config.model = 7;
  config.image = sim::DefaultSimulatorImage(7, 1200, 'O', '7');
  config.networkLine = "100  1 0 300   0   0   1";
  sim::InterfaceSimulator device(config);
  bench.AddPort(1, &device);
  EXPECT_FALSE(SendParameters(bench.link));
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kNetworkUnreadable)});
  EXPECT_EQ(RequestsOnly(Written(bench, 1)).substr(RequestsOnly(Written(bench, 1)).size() - 3),
            "ENF");
  EXPECT_EQ(device.Resets(), 0);
}

TEST(TransferTest, NothingFoundEndsBothCommandsWithTheScanMessage) {
  LinkBench bench;
  bench.AddPort(1);
  EXPECT_FALSE(ReadParameters(bench.link));
  EXPECT_FALSE(SendParameters(bench.link));
  EXPECT_EQ(bench.host.messages, (std::vector<std::string>{std::string(msg::kCannotFind),
                                                           std::string(msg::kCannotFind)}));
}

// Cancel from outside the scan window (mxtool's signals), at a moment of virtual time or a while
// after a notice opens.
class CancellingHost : public test::RecordingHost {
 public:
  explicit CancellingHost(const VirtualClock& clock) : clock_(clock) {}
  uint64_t cancelAt = UINT64_MAX;
  std::string_view cancelAfterNotice;
  uint32_t noticeDelayMs = 0;
  std::function<void()> onNotice;

  bool CancelRequested() const override { return clock_.Now64() >= cancelAt; }
  void OpenNotice(std::string_view first, std::string_view second) override {
    RecordingHost::OpenNotice(first, second);
    if (first == cancelAfterNotice) {
      cancelAt = clock_.Now64() + noticeDelayMs;
      if (onNotice)
        onNotice();
    }
  }

 private:
  const VirtualClock& clock_;
};

TEST(TransferTest, CancelStopsWithinASliceAndPutsTheInterfaceBack) {
  struct Case {
    const char* what;
    bool send;
    std::string_view notice;  // empty: cancel `delayMs` after the start
    uint32_t delayMs;
    const char* requests;
    bool imageMoved;  // the document holds the interface's image, or the interface the document's
  };
  const Case cases[] = {
      {"read before the interface answered", false, {}, 0, "B", false},
      {"read during the speed switch", false, {}, 100, "BSVDEF", false},
      {"read during the image", false, msg::kReading, 1500, "BSVDETF", false},
      {"send during the speed switch", true, {}, 100, "BSVDEF", false},
      // Once sent, the image is the interface's: only the wait for its verdict is cut short.
      {"send while the verdict is awaited", true, msg::kSending, 1000, "BSVDEUF", true},
  };
  for (const Case& c : cases) {
    LinkBench bench;
    sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 1200, 'N', '8');
    bench.StorePlace(1, 1200, 'N', '8');
    sim::VirtualPort& port = *bench.bus.Find("vcom1");
    CancellingHost host(bench.clock);
    host.cancelAt = c.notice.empty() ? bench.clock.Now64() + c.delayMs : UINT64_MAX;
    host.cancelAfterNotice = c.notice;
    host.noticeDelayMs = c.delayMs;
    host.onNotice = [&] {
      port.paced = !c.send;                    // the image takes 3.4 s
      port.replyDelayMs = c.send ? 60000 : 0;  // an interface slow to give its verdict
    };
    CancellableClock clock(bench.clock, host);
    CancellableSerialLine line(bench.line, bench.clock, host);
    DeviceLink link{host, bench.state, bench.store, line, clock, bench.ports};

    EXPECT_FALSE(c.send ? SendParameters(link) : ReadParameters(link)) << c.what;
    EXPECT_LE(bench.clock.Now64() - host.cancelAt, kCancelSliceMs) << c.what;
    EXPECT_EQ(RequestsOnly(Written(bench, 1)), c.requests) << c.what;
    EXPECT_FALSE(device.InTransferMode()) << c.what;
    EXPECT_EQ(host.Count("OpenProgress"), 0) << c.what << ": a cancelled probe starts no scan";
    EXPECT_EQ(host.Document().Image() == device.Image(), c.imageMoved) << c.what;
    EXPECT_EQ(host.Count("ImageSent"), c.send && c.imageMoved ? 1 : 0) << c.what;
  }
}

}  // namespace
}  // namespace mx
