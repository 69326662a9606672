// Finding the interface on the virtual bench: probe, scan order and timing, identity, network.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "link/InterfaceDiscovery.h"
#include "link/LinkMessages.h"
#include "sim/PtyInterface.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"
#include "tests/support/PtyLink.h"

namespace mx {
namespace {

using test::LinkBench;

bool Requested(const sim::InterfaceSimulator& device, const std::string& letter) {
  const auto& r = device.Requests();
  return std::find(r.begin(), r.end(), letter) != r.end();
}

TEST(DiscoveryTest, ScanFindsTheInterfaceAtItsOwnSettingsAndStoresThePlace) {
  LinkBench bench;
  bench.AddPort(1);  // a port with nothing on it
  sim::InterfaceSimulator& device = bench.AddInterface(2, 3, 19200, 'O', '7');

  ASSERT_TRUE(RunFindCommand(bench.link));
  EXPECT_EQ(bench.IdentifyRequests(1), 15);
  EXPECT_EQ(bench.IdentifyRequests(2), 15);
  // Fifteen silent 300 ms waits on COM1, fourteen on COM2; the answers themselves take no time.
  EXPECT_EQ(bench.Elapsed(), 29u * 300);

  LinkSettings stored;
  LoadLinkSettings(bench.store, stored);
  EXPECT_EQ(stored, (LinkSettings{2, 19200, 79, 55, 49}));
  EXPECT_TRUE(bench.state.interfaceFound);
  EXPECT_EQ(bench.host.CurrentModel(), 3);
  EXPECT_EQ(bench.state.identityTexts[0], "COM2");
  EXPECT_EQ(bench.state.identityTexts[1], "19200-O-7-1");
  EXPECT_EQ(bench.state.identityTexts[2], device.Config().serialNumber);
  EXPECT_EQ(bench.state.identityTexts[4], "Simulated interface, bench 3");  // leading blanks gone
  EXPECT_EQ(bench.state.portPath, "vcom2");
  EXPECT_TRUE(bench.state.networkStatus.netStatusValid);
  EXPECT_TRUE(bench.host.messages.empty());

  // The Find command puts the found host line into the image and the interface's network settings.
  const ParameterImage& image = bench.host.Document().Image();
  EXPECT_EQ(image.Get(fld::hostBaud), 19200);
  EXPECT_EQ(image.Get(fld::hostParity), 'O');
  EXPECT_EQ(image.Get(fld::basePort), device.Image().Get(fld::basePort));
  const auto& calls = bench.host.calls;
  const auto at = [&](const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) - calls.begin();
  };
  EXPECT_LT(at("Status connected"), at("ModelSelect 3"));
  EXPECT_LT(at("ModelSelect 3"), at("CommitNetworkPage"));
  EXPECT_LT(at("CommitNetworkPage"), at("RefreshNetworkPage"));
  EXPECT_LT(at("RefreshNetworkPage"), at("CommitStatusPage"));
}

TEST(DiscoveryTest, ProgressCountsPortsAndPumpsBeforeEachRate) {
  LinkBench bench;
  bench.AddPort(1);
  bench.AddInterface(3, 0, 2400, 'N', '8');
  ASSERT_TRUE(FindInterface(bench.link));
  std::vector<std::string> progress;
  for (const auto& call : bench.host.calls) {
    if (call.rfind("Progress", 0) == 0 || call.rfind("Line", 0) == 0 ||
        call.rfind("Scanning", 0) == 0)
      progress.push_back(call);
  }
  const std::vector<std::string> expected = {"Scanning COM1",
                                             "Line0 Checking serial port COM1",
                                             "Line1 ",
                                             "Line1 Checking baud rate 9600",
                                             "Progress 0/100",
                                             "Line1 Checking baud rate 4800",
                                             "Progress 1/100",
                                             "Line1 Checking baud rate 2400",
                                             "Progress 2/100",
                                             "Line1 Checking baud rate 1200",
                                             "Progress 3/100",
                                             "Line1 Checking baud rate 19200",
                                             "Progress 4/100",
                                             "Scanning COM2",
                                             "Line0 Checking serial port COM2",
                                             "Line1 ",
                                             "Progress 5/100",  // COM2 does not exist
                                             "Scanning COM3",
                                             "Line0 Checking serial port COM3",
                                             "Line1 ",
                                             "Line1 Checking baud rate 9600",
                                             "Progress 10/100",
                                             "Line1 Checking baud rate 4800",
                                             "Progress 11/100",
                                             "Line1 Checking baud rate 2400",
                                             "Progress 12/100"};
  EXPECT_EQ(progress, expected);
  EXPECT_EQ(bench.host.pumps, 9);
  // COM1: 15 x 300; COM2: 100; COM3: two silent rates (6 x 300) and N-8 at 2400 answers.
  EXPECT_EQ(bench.Elapsed(), 4500u + 100 + 1800);
}

TEST(DiscoveryTest, ScanWithoutInterfaceTakesNinetySecondsAndSaysSo) {
  LinkBench bench;
  for (int port = 1; port <= 20; ++port)
    bench.AddPort(port);
  EXPECT_FALSE(FindInterface(bench.link));
  EXPECT_EQ(bench.Elapsed(), 90000u);
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kCannotFind)});
  EXPECT_EQ(bench.host.captions, std::vector<std::string>{"Mesurix Setup"});
  EXPECT_FALSE(bench.state.interfaceFound);
  EXPECT_EQ(bench.state.linkSettings.portNumber, -1);
  EXPECT_EQ(bench.host.calls.back(), "CloseProgress");
  EXPECT_TRUE(bench.store.Values().empty());  // a failed Find stores nothing
}

TEST(DiscoveryTest, MissingAndBusyPortsCostAHundredMillisecondsEach) {
  LinkBench bench;
  bench.AddPort(4).busy = true;
  EXPECT_FALSE(FindInterface(bench.link));
  EXPECT_EQ(bench.Elapsed(), 20u * 100);
  const auto& calls = bench.host.calls;
  EXPECT_NE(std::find(calls.begin(), calls.end(), "Progress 95/100"), calls.end());
  // The busy port is the likeliest reason for the failure; ports that do not exist are not.
  EXPECT_EQ(bench.state.portsInUse,
            (std::vector<PortInUse>{{4, "in use by process 4242 (othercomm)"}}));
}

TEST(DiscoveryTest, CancelClosesTheProgressAndReportsNothingFound) {
  LinkBench bench;
  for (int port = 1; port <= 20; ++port)
    bench.AddPort(port);
  bench.host.cancelAtPump = 6;  // the second rate of COM2
  EXPECT_FALSE(FindInterface(bench.link));
  EXPECT_EQ(bench.Elapsed(), 4500u + 900);
  EXPECT_EQ(bench.IdentifyRequests(2), 3);
  EXPECT_EQ(bench.IdentifyRequests(3), 0);
  EXPECT_EQ(bench.host.messages, std::vector<std::string>{std::string(msg::kCannotFind)});
  EXPECT_EQ(bench.host.Count("CloseProgress"), 1);
}

TEST(DiscoveryTest, StoredPlaceIsProbedOnceAndAnnounced) {
  LinkBench bench;
  bench.AddInterface(5, 4, 4800, 'E', '7');
  bench.StorePlace(5, 4800, 'E', '7');
  ASSERT_TRUE(FindInterface(bench.link));
  EXPECT_EQ(bench.IdentifyRequests(5), 1);
  EXPECT_EQ(bench.host.Count("OpenProgress"), 0);
  EXPECT_EQ(bench.host.Count("Notice Mesurix located on current serial port. | COM5:4800-E-7-1"),
            1);
  EXPECT_EQ(bench.Elapsed(), 2000u);  // the notice stays two seconds
  EXPECT_EQ(bench.host.CurrentModel(), 4);
}

TEST(DiscoveryTest, AnEmptyLineBeforeTheIdentificationIsNoSilence) {
  // A streaming interface purged in the middle of a reading still sends that reading's end.
  LinkBench bench;
  bench.AddInterface(5, 4, 4800, 'E', '7');
  bench.bus.Find("vcom5")->replyDelayMs = 20;
  bench.bus.Inject("vcom5", {'\r'}, bench.clock.Now64() + 1);
  bench.StorePlace(5, 4800, 'E', '7');
  ASSERT_TRUE(FindInterface(bench.link));
  EXPECT_EQ(bench.IdentifyRequests(5), 1);
}

TEST(DiscoveryTest, SilentStoredPlaceCostsOneTimeoutThenScans) {
  LinkBench bench;
  bench.AddPort(1);
  bench.AddInterface(2, 0, 9600, 'N', '8');
  bench.StorePlace(1, 9600, 'N', '8');
  ASSERT_TRUE(FindInterface(bench.link));
  EXPECT_EQ(bench.IdentifyRequests(1), 16);
  EXPECT_EQ(bench.Elapsed(), 300u + 4500);
  LinkSettings stored;
  LoadLinkSettings(bench.store, stored);
  EXPECT_EQ(stored.portNumber, 2);
}

TEST(DiscoveryTest, OnePortCommandsTouchNoOtherPort) {
  // The stored place is on another port: it is not probed, and the scan covers COM3 alone.
  LinkBench bench;
  bench.AddInterface(1, 0, 9600, 'N', '8');
  bench.AddInterface(3, 2, 2400, 'E', '7');
  bench.StorePlace(1, 9600, 'N', '8');
  bench.link.onlyPort = 3;
  SerialPort port(bench.line, bench.clock, bench.ports);
  ASSERT_TRUE(LocateInterface(bench.link, port));
  EXPECT_EQ(bench.IdentifyRequests(1), 0);
  EXPECT_EQ(bench.IdentifyRequests(3), 8);
  EXPECT_EQ(bench.state.identityTexts[0], "COM3");
  EXPECT_EQ(bench.host.Count("Progress 2/5"), 1);  // the bar measures the one port
  EXPECT_EQ(bench.host.Count("Line0 Checking serial port COM3"), 1);
  EXPECT_EQ(bench.host.Count("Line0 Checking serial port COM1"), 0);

  // The stored place on that port is probed first, once.
  LinkBench stored;
  stored.AddInterface(3, 2, 2400, 'E', '7');
  stored.StorePlace(3, 2400, 'E', '7');
  stored.link.onlyPort = 3;
  SerialPort again(stored.line, stored.clock, stored.ports);
  ASSERT_TRUE(LocateInterface(stored.link, again));
  EXPECT_EQ(stored.IdentifyRequests(3), 1);
  EXPECT_EQ(stored.host.Count("OpenProgress"), 0);
}

TEST(DiscoveryTest, IncompleteStoreGoesStraightToTheScan) {
  LinkBench bench;
  bench.AddInterface(1, 0, 9600, 'N', '8');
  bench.StorePlace(1, 9600, 'N', '8');
  bench.store.Remove("Settings", "StopBits");
  ASSERT_TRUE(FindInterface(bench.link));
  EXPECT_EQ(bench.host.Count("OpenProgress"), 1);
  EXPECT_EQ(bench.IdentifyRequests(1), 1);
}

TEST(DiscoveryTest, PlusModelsAreNeverAskedForNetworkSettings) {
  LinkBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 6, 9600, 'N', '8');
  ASSERT_TRUE(FindInterface(bench.link));
  EXPECT_TRUE(Requested(device, "D"));
  const auto& written = bench.bus.Find("vcom1")->written;
  EXPECT_EQ(std::string(written.begin(), written.end()).find("<$N"), std::string::npos);
}

TEST(DiscoveryTest, WrongNetworkStatusCodeKeepsFieldsButNotTheImage) {
  LinkBench bench;
  sim::SimulatorConfig config;
  config.model = 1;
  config.image = sim::DefaultSimulatorImage(1, 9600, 'N', '8');
  config.networkLine = "101  1 0  10   1   2   3 255.255.255.  0  4001";
  sim::InterfaceSimulator device(config);
  bench.AddPort(1, &device);
  const uint16_t portBefore = bench.host.Document().Image().Get(fld::basePort);
  ASSERT_TRUE(FindInterface(bench.link));
  const NetworkStatus& net = bench.state.networkStatus;
  EXPECT_FALSE(net.netStatusValid);
  EXPECT_EQ(net.netAddress, (std::array<int, 4>{10, 1, 2, 3}));
  EXPECT_EQ(net.netPort, 4001);
  EXPECT_EQ(bench.host.Count("CommitNetworkPage"), 0);
  EXPECT_EQ(bench.host.Document().Image().Get(fld::basePort), portBefore);
}

TEST(DiscoveryTest, GarbledIdentificationIsIgnored) {
  LinkBench bench;
  bench.AddInterface(1, 0, 9600, 'N', '8', sim::Fault::Garbled);
  EXPECT_FALSE(FindInterface(bench.link));
  EXPECT_EQ(bench.IdentifyRequests(1), 15);  // no retry of the combination that answered
}

TEST(DiscoveryTest, FindsAnInterfaceThatStreamsReadingsAtEveryRateTheScanTries) {
  for (const int baud : {9600, 4800, 2400, 1200, 19200}) {
    test::TempDir dir;
    sim::SimulatorConfig config;
    config.image = sim::DefaultSimulatorImage(0, baud, 'N', '8');
    sim::InterfaceSimulator simulator(config);
    sim::PtyInterface pty(simulator, true, 50);  // at the line's speed, 50 readings a second
    std::string error;
    ASSERT_TRUE(pty.Create(dir.File("ttyMX1"), error)) << error;
    volatile std::sig_atomic_t stop = 0;
    std::thread serving([&] { pty.Serve(stop); });

    test::PtyLink parts(dir);
    DeviceLink link = parts.Link();
    link.onlyPort = 1;
    const bool found = FindInterface(link);
    stop = 1;
    serving.join();
    EXPECT_TRUE(found) << baud;
    EXPECT_EQ(parts.state.linkSettings, (LinkSettings{1, baud, 'N', '8', '1'})) << baud;
  }
}

}  // namespace
}  // namespace mx
