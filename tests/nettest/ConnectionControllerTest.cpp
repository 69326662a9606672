#include "nettest/ConnectionController.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/LoopbackHelpers.h"
#include "nettest/SocketErrorCode.h"

namespace mx::nettest {
namespace {

using test::FreePort;
using test::Settle;
using test::WaitFor;

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controller_.SetListenAddress(QHostAddress::LocalHost);
    QObject::connect(&controller_, &ConnectionController::messageRequested,
                     [this](const QString& m) { messages_ << m; });
    QObject::connect(&controller_, &ConnectionController::statusRequested,
                     [this](const QString& m) { status_ << m; });
    QObject::connect(&controller_, &ConnectionController::focusRequested,
                     [this](FocusTarget f) { focus_.push_back(f); });
    QObject::connect(&controller_, &ConnectionController::dataReceived,
                     [this](const QByteArray& b) { received_ += b; });
    controller_.ResetForDocument();
  }

  void ConnectTo(quint16 port) {
    controller_.StoreServerAddress(QStringLiteral("127.0.0.1"));
    doc_.Fields().port = port;
    controller_.SelectClientMode();
    controller_.RunAction();
  }

  void ListenOn(quint16 port) {
    doc_.Fields().port = port;
    controller_.SelectServerMode();
    controller_.RunAction();
  }

  CLinkTest_NetworkDoc doc_;
  ConnectionController controller_{doc_};
  QStringList messages_;
  QStringList status_;
  std::vector<FocusTarget> focus_;
  QByteArray received_;
};

TEST_F(ConnectionTest, ModesSetCaptionsButtonAndFields) {
  const ConnectionPanel& p = controller_.Panel();
  EXPECT_EQ(controller_.State(), ConnectionState::Inactive);
  EXPECT_EQ(p.clientCaption, QStringLiteral("Client:"));
  EXPECT_FALSE(p.actionEnabled);
  EXPECT_TRUE(p.actionText.isEmpty());
  EXPECT_TRUE(p.addressEnabled && p.portEnabled);

  controller_.StoreServerAddress(QStringLiteral("gage-3"));
  controller_.SelectServerMode();
  EXPECT_EQ(controller_.State(), ConnectionState::ServerIdle);
  EXPECT_EQ(p.clientCaption, QStringLiteral("Client  (remote device):"));
  EXPECT_EQ(p.serverCaption, QStringLiteral("Server  (local machine):"));
  EXPECT_EQ(p.actionText, QStringLiteral("Start Listening for Client"));
  EXPECT_FALSE(p.addressEnabled);
  EXPECT_TRUE(p.portEnabled && p.actionEnabled);
  EXPECT_TRUE(p.addressField.isEmpty());
  EXPECT_EQ(doc_.Fields().mode, kLtnModeServer);

  controller_.SelectClientMode();
  EXPECT_EQ(controller_.State(), ConnectionState::ClientIdle);
  EXPECT_EQ(p.clientCaption, QStringLiteral("Client  (local machine):"));
  EXPECT_EQ(p.serverCaption, QStringLiteral("Server  (remote device):"));
  EXPECT_EQ(p.actionText, QStringLiteral("Connect to Server"));
  EXPECT_EQ(p.addressField, QStringLiteral("gage-3"));  // the remembered address comes back
  EXPECT_TRUE(p.addressEnabled && p.portEnabled && p.actionEnabled);

  doc_.Fields().mode = kLtnModeClient;
  controller_.ResetForDocument();
  EXPECT_EQ(controller_.State(), ConnectionState::Inactive);
  EXPECT_EQ(doc_.Fields().mode, kLtnModeInactive);
}

TEST_F(ConnectionTest, ClientChecksAddressThenPort) {
  doc_.Fields().port = 0;
  controller_.SelectClientMode();
  controller_.RunAction();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_EQ(messages_[0], QStringLiteral("Missing server IP address or name"));
  EXPECT_EQ(focus_.back(), FocusTarget::AddressField);

  controller_.StoreServerAddress(QStringLiteral("127.0.0.1"));
  for (int port : {0, 65536, -1}) {
    doc_.Fields().port = port;
    controller_.RunAction();
    EXPECT_EQ(messages_.back(), QStringLiteral("Invalid port number\nValid range is 1 to 65535"));
    EXPECT_EQ(focus_.back(), FocusTarget::PortField);
    EXPECT_EQ(controller_.State(), ConnectionState::ClientIdle);
  }
  controller_.SelectServerMode();
  doc_.Fields().port = 65536;
  controller_.RunAction();
  EXPECT_EQ(messages_.back(), QStringLiteral("Invalid port number\nValid range is 1 to 65535"));
  EXPECT_EQ(controller_.State(), ConnectionState::ServerIdle);
}

TEST_F(ConnectionTest, RefusedConnectShowsError103AndStaysReady) {
  ConnectTo(FreePort());
  EXPECT_TRUE(controller_.IsConnecting());
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Connecting...  (click to cancel)"));
  EXPECT_FALSE(controller_.Panel().addressEnabled);
  ASSERT_TRUE(WaitFor([&] { return !messages_.isEmpty(); }));
  EXPECT_EQ(messages_[0], QStringLiteral("Error Code 103\nCannot connect to the server:\n     "
                                         "The attempt to connect was rejected"));
  EXPECT_EQ(controller_.State(), ConnectionState::ClientIdle);
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Connect to Server"));
  EXPECT_TRUE(controller_.Panel().addressEnabled && controller_.Panel().portEnabled);
}

TEST_F(ConnectionTest, QtErrorsMapOntoTheConnectTable) {
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::HostNotFoundError, {}), 10022);
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::ConnectionRefusedError, {}), 10061);
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::AddressInUseError, {}), 10048);
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::SocketTimeoutError, {}), 10060);
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::NetworkError,
                                      QStringLiteral("Connection timed out")),
            10060);
  EXPECT_EQ(WinsockCodeForSocketError(QAbstractSocket::NetworkError,
                                      QStringLiteral("Network unreachable")),
            10051);
}

TEST_F(ConnectionTest, ClientConnectsSendsReceivesAndReturnsWhenPeerCloses) {
  QTcpServer peer;
  ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
  ConnectTo(peer.serverPort());
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::Connected; }));
  ASSERT_TRUE(WaitFor([&] { return peer.hasPendingConnections(); }));
  QTcpSocket* far = peer.nextPendingConnection();

  const ConnectionPanel& p = controller_.Panel();
  EXPECT_EQ(p.clientAddress, QStringLiteral("127.0.0.1"));
  EXPECT_EQ(p.clientPort, QString::number(far->peerPort()));
  EXPECT_EQ(p.serverAddress, QStringLiteral("127.0.0.1"));
  EXPECT_EQ(p.serverPort, QString::number(peer.serverPort()));
  EXPECT_EQ(p.actionText, QStringLiteral("Close Connection"));
  EXPECT_FALSE(p.addressEnabled || p.portEnabled);
  EXPECT_EQ(focus_.back(), FocusTarget::TrafficPane);

  doc_.Fields().crToCrLf = 1;
  for (const char b : {'A', '\r', 'B', '\n'})
    controller_.SendTypedByte(static_cast<uint8_t>(b));
  QByteArray got;
  ASSERT_TRUE(WaitFor([&] {
    got += far->readAll();
    return got.size() >= 5;
  }));
  EXPECT_EQ(got, QByteArray("A\r\nB\n"));

  QByteArray big(10000, 'x');
  big[0] = 0;
  big[9999] = static_cast<char>(255);
  far->write(big);
  ASSERT_TRUE(WaitFor([&] { return received_.size() == big.size(); }));
  EXPECT_EQ(received_, big);

  far->close();
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::ClientIdle; }));
  EXPECT_EQ(p.actionText, QStringLiteral("Connect to Server"));
  EXPECT_TRUE(p.clientAddress.isEmpty());
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ConnectionTest, ConnectCanBeCancelledWhileUnderWay) {
  QTcpServer peer;
  ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
  ConnectTo(peer.serverPort());
  ASSERT_TRUE(controller_.IsConnecting());
  controller_.RunAction();
  EXPECT_FALSE(controller_.IsConnecting());
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Connect to Server"));
  Settle();
  EXPECT_EQ(controller_.State(), ConnectionState::ClientIdle);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ConnectionTest, ServerListensAcceptsAndListensAgainAfterPeerCloses) {
  const quint16 port = FreePort();
  ListenOn(port);
  ASSERT_EQ(controller_.State(), ConnectionState::Listening);
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Stop Listening for Client"));
  EXPECT_FALSE(controller_.Panel().portEnabled || controller_.Panel().addressEnabled);

  QTcpSocket first;
  first.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::Connected; }));
  EXPECT_EQ(controller_.Panel().clientPort, QString::number(first.localPort()));
  EXPECT_EQ(controller_.Panel().serverPort, QString::number(port));
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Close Connection"));

  // A second client is turned away; the first keeps working.
  QTcpSocket second;
  second.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
  ASSERT_FALSE(status_.isEmpty());
  EXPECT_TRUE(status_.back().contains(QStringLiteral("refused")));
  first.write("+0012.345\r");
  ASSERT_TRUE(WaitFor([&] { return received_ == "+0012.345\r"; }));
  EXPECT_EQ(controller_.State(), ConnectionState::Connected);

  first.disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::Listening; }));
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Stop Listening for Client"));

  QTcpSocket third;
  third.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::Connected; }));
  EXPECT_TRUE(messages_.isEmpty());

  // Client mode while serving closes the connection and the listener.
  controller_.SelectClientMode();
  ASSERT_TRUE(WaitFor([&] { return third.state() == QAbstractSocket::UnconnectedState; }));
  QTcpSocket late;
  late.connectToHost(QHostAddress::LocalHost, port);
  EXPECT_FALSE(late.waitForConnected(1000));
}

// A client that connects, sends one line and closes, a thousand times without a pause: every line
// must arrive, and every connection must be taken.
TEST_F(ConnectionTest, ServerTakesAThousandQuickReconnectsInARow) {
  constexpr int kCycles = 1000;
  const quint16 port = FreePort();
  ListenOn(port);
  ASSERT_EQ(controller_.State(), ConnectionState::Listening);
  int opened = 0;
  QObject::connect(&controller_, &ConnectionController::connectionOpened, [&] { ++opened; });

  std::atomic<int> refused = 0;
  std::thread client([&] {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < kCycles; ++i) {
      const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
      const std::string line = "cycle " + std::to_string(i) + "\r";
      if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
          ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
        ++refused;
      ::close(fd);
    }
  });
  // The event loop runs freely here (a polling wait would add its sleeps to every cycle).
  QEventLoop loop;
  QObject::connect(&controller_, &ConnectionController::dataReceived, &loop, [&] {
    if (received_.count('\r') >= kCycles)
      loop.quit();
  });
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  QElapsedTimer clock;
  clock.start();
  loop.exec();
  client.join();
  EXPECT_EQ(received_.count('\r'), kCycles) << "lines arrived in " << clock.elapsed() << " ms";
  EXPECT_EQ(refused, 0);
  for (int i = 0; i < kCycles; i += 97)
    EXPECT_TRUE(received_.contains("cycle " + QByteArray::number(i) + '\r')) << i;
  EXPECT_EQ(opened, kCycles);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ConnectionTest, StopListeningFreesThePort) {
  const quint16 port = FreePort();
  ListenOn(port);
  ASSERT_EQ(controller_.State(), ConnectionState::Listening);
  controller_.RunAction();
  EXPECT_EQ(controller_.State(), ConnectionState::ServerIdle);
  EXPECT_EQ(controller_.Panel().actionText, QStringLiteral("Start Listening for Client"));
  EXPECT_TRUE(controller_.Panel().portEnabled);
  Settle(20);
  QTcpServer other;
  EXPECT_TRUE(other.listen(QHostAddress::LocalHost, port));
}

TEST_F(ConnectionTest, PortInUseShowsError202) {
  QTcpServer squatter;
  ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, 0));
  ListenOn(squatter.serverPort());
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_EQ(messages_[0],
            QStringLiteral("Error Code 202\nCannot create the listening socket:\n     "
                           "An attempt has been made to listen on an address in use"));
  EXPECT_EQ(controller_.State(), ConnectionState::ServerIdle);
}

TEST_F(ConnectionTest, ClosingAServedConnectionListensAgain) {
  const quint16 port = FreePort();
  ListenOn(port);
  QTcpSocket peer;
  peer.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return controller_.State() == ConnectionState::Connected; }));
  controller_.RunAction();  // "Close Connection"
  EXPECT_EQ(controller_.State(), ConnectionState::Listening);
  ASSERT_TRUE(WaitFor([&] { return peer.state() == QAbstractSocket::UnconnectedState; }));
  controller_.SendTypedByte('x');  // no connection: nothing happens, nothing breaks
  EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
}  // namespace mx::nettest
