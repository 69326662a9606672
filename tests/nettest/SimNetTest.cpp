// The simulated Network-model interface, and the terminal's connection layer against it.
#include <gtest/gtest.h>

#include <QTcpSocket>

#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/ConnectionController.h"
#include "nettest/LoopbackHelpers.h"
#include "sim/net/SimNetInterface.h"
#include "sim/net/SimNetOptions.h"
#include "sim/net/SimNetStreamer.h"

namespace mx::nettest {
namespace {

using test::FreePort;
using test::WaitFor;

QStringList Args(const char* line) {
  return QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
}

TEST(SimNetOptions, ParsesBothModesAndRejectsNonsense) {
  SimNetOptions o = ParseSimNetOptions(Args("--tcp-server 5000 --rate 50 --flood"));
  EXPECT_TRUE(o.error.isEmpty());
  EXPECT_EQ(o.mode, SimNetOptions::Mode::Server);
  EXPECT_EQ(o.port, 5000);
  EXPECT_EQ(o.rateHz, 50.0);
  EXPECT_TRUE(o.flood);
  EXPECT_EQ(o.host, QStringLiteral("127.0.0.1"));

  o = ParseSimNetOptions(Args("--tcp-client localhost:6001"));
  EXPECT_TRUE(o.error.isEmpty());
  EXPECT_EQ(o.mode, SimNetOptions::Mode::Client);
  EXPECT_EQ(o.host, QStringLiteral("localhost"));
  EXPECT_EQ(o.port, 6001);

  for (const char* bad : {"", "--tcp-server", "--tcp-server 0", "--tcp-server 70000",
                          "--tcp-client 6001", "--tcp-client :6001", "--tcp-server 1 --rate 0",
                          "--tcp-server 1 --tcp-client a:2", "--tcp-server 1 --what"}) {
    EXPECT_FALSE(ParseSimNetOptions(Args(bad)).error.isEmpty()) << bad;
  }
}

TEST(SimNetStreamer, ReadingsLookLikeAGage) {
  EXPECT_EQ(SimNetStreamer::Reading(0), QByteArray("+0012.345\r"));
  EXPECT_EQ(SimNetStreamer::Reading(20), QByteArray("+0012.365\r"));
  EXPECT_EQ(SimNetStreamer::Reading(39), QByteArray("+0012.346\r"));
  EXPECT_EQ(SimNetStreamer::Reading(40), SimNetStreamer::Reading(0));
}

TEST(SimNetInterface, ServerStreamsReadingsAndEchoes) {
  SimNetOptions options = ParseSimNetOptions(Args("--tcp-server 1 --rate 200"));
  options.port = 0;  // any free port
  SimNetInterface sim(options);
  ASSERT_TRUE(sim.Start());
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, sim.ServerPort());
  ASSERT_TRUE(client.waitForConnected(3000));
  client.write("<$S\r");
  QByteArray got;
  ASSERT_TRUE(WaitFor([&] {
    got += client.readAll();
    return got.count('\r') >= 6;
  }));
  EXPECT_TRUE(got.contains("<$S\r"));
  EXPECT_TRUE(got.contains("+0012.345\r+0012.346\r"));
}

TEST(SimNetInterface, ClientFindsAListeningTerminalAndComesBack) {
  CLinkTest_NetworkDoc doc;
  ConnectionController terminal(doc);
  terminal.SetListenAddress(QHostAddress::LocalHost);
  QByteArray received;
  QObject::connect(&terminal, &ConnectionController::dataReceived,
                   [&](const QByteArray& b) { received += b; });
  terminal.ResetForDocument();
  doc.Fields().port = FreePort();

  SimNetOptions options = ParseSimNetOptions(Args(
      QStringLiteral("--tcp-client 127.0.0.1:%1 --rate 100").arg(doc.Fields().port).toLatin1()));
  ASSERT_TRUE(options.error.isEmpty());
  SimNetInterface sim(options);
  sim.Start();  // nobody listens yet: it keeps trying
  test::Settle(50);
  terminal.SelectServerMode();
  terminal.RunAction();
  ASSERT_EQ(terminal.State(), ConnectionState::Listening);
  ASSERT_TRUE(WaitFor([&] { return terminal.State() == ConnectionState::Connected; }, 5000));
  ASSERT_TRUE(WaitFor([&] { return received.contains("+0012.347\r"); }));

  // The terminal closes; it listens again and the interface reconnects by itself.
  terminal.RunAction();
  EXPECT_EQ(terminal.State(), ConnectionState::Listening);
  ASSERT_TRUE(WaitFor([&] { return terminal.State() == ConnectionState::Connected; }, 5000));
}

TEST(SimNetInterface, FloodKeepsTheSocketBusy) {
  SimNetOptions options = ParseSimNetOptions(Args("--tcp-server 1 --flood"));
  options.port = 0;
  SimNetInterface sim(options);
  ASSERT_TRUE(sim.Start());
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, sim.ServerPort());
  ASSERT_TRUE(client.waitForConnected(3000));
  qint64 total = 0;
  QByteArray first;
  ASSERT_TRUE(WaitFor([&] {
    const QByteArray chunk = client.readAll();
    if (first.size() < 20)
      first += chunk;
    total += chunk.size();
    return total >= 2 * 1024 * 1024;
  }));
  EXPECT_TRUE(first.startsWith("+0012.345\r+0012.346\r"));
}

}  // namespace
}  // namespace mx::nettest
