// The Status tab's connection lines as the link state makes them.
#include <gtest/gtest.h>

#include "link/ConnectionStatus.h"

namespace mx {
namespace {

TEST(ConnectionStatusTest, NetworkLineFollowsModelAndStatus) {
  NetworkStatus net;
  EXPECT_EQ(NetworkStatusLine(net, 4), "Network communications not supported");
  EXPECT_EQ(NetworkStatusLine(net, 5), "Network disabled");
  net.netEnabled = 1;
  EXPECT_EQ(NetworkStatusLine(net, 5), "Could not read current network configuration");
  net = NetworkStatus{{192, 168, 1, 20}, 3001, 1, 1, true};
  EXPECT_EQ(NetworkStatusLine(net, 7), "Server  @  192.168.1.20      Port  3001");
  net.netServerMode = 0;
  EXPECT_EQ(NetworkStatusLine(net, 1), "Client  @  192.168.1.20      Port  3001");
}

TEST(ConnectionStatusTest, ForgettingClearsTextsAndPlace) {
  LinkState state;
  state.identityTexts = {"COM1", "9600-N-8-1", "SN", "V", "D"};
  state.linkSettings = LinkSettings{1, 9600, 'N', '8', '1'};
  state.portPath = "/dev/ttyS0";
  EXPECT_EQ(ComposeConnectionStatus(state, 0).serial, "COM1  @  9600-N-8-1");
  ForgetConnection(state);
  for (const auto& text : state.identityTexts)
    EXPECT_TRUE(text.empty());
  EXPECT_EQ(state.linkSettings.portNumber, -1);
  EXPECT_EQ(state.linkSettings.baudRate, 9600);  // the rest of the place stays
  EXPECT_TRUE(state.portPath.empty());
}

}  // namespace
}  // namespace mx
