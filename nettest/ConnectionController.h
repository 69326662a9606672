#pragma once
// The connection half of the terminal's window: the Client / Server / Inactive modes, the action
// button and its five states, and the sockets behind them. It owns no widgets; the window shows
// `Panel()` and carries out the requests this object signals (messages, focus, received data), so
// the whole state machine runs in tests without a display.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace mx::desktop {
class CaptureLog;
enum class CaptureDirection;
}  // namespace mx::desktop

namespace mx::nettest {

class CClientSocket;
class CListeningSocket;
class CLinkTest_NetworkDoc;

enum class ConnectionState {
  Inactive = 0,
  ServerIdle = 1,
  Listening = 2,
  ClientIdle = 3,
  Connected = 4,
};

// What the connection controls of the window show.
struct ConnectionPanel {
  QString clientCaption;
  QString serverCaption;
  QString clientAddress;
  QString clientPort;
  QString serverAddress;
  QString serverPort;
  QString addressField;
  QString actionText;
  bool actionEnabled = false;
  bool addressEnabled = true;
  bool portEnabled = true;
  QString stateText;  // for the status bar: "Ready", "Listening for a client on port 5000", ...
  bool operator==(const ConnectionPanel&) const = default;
};

enum class FocusTarget { AddressField, PortField, TrafficPane };

class ConnectionController : public QObject {
  Q_OBJECT
 public:
  explicit ConnectionController(CLinkTest_NetworkDoc& doc, QObject* parent = nullptr);
  ~ConnectionController() override;

  // Server mode listens on every local address; tests narrow it to loopback.
  void SetListenAddress(const QHostAddress& address) { listenAddress_ = address; }

  // After a document is loaded or created: Inactive mode, the document's address remembered.
  void ResetForDocument();

  void SelectClientMode();
  void SelectServerMode();
  void SelectInactiveMode();
  void RunAction();
  void SendTypedByte(uint8_t byte);
  // Every byte received and sent also goes to `log` (null: none).
  void SetCaptureLog(desktop::CaptureLog* log) { log_ = log; }

  // The address field lost the focus after an edit.
  void StoreServerAddress(const QString& address);

  ConnectionState State() const { return state_; }
  bool IsConnecting() const { return connecting_; }
  const ConnectionPanel& Panel() const { return panel_; }

 signals:
  void panelChanged();
  void messageRequested(const QString& text);
  void statusRequested(const QString& text);
  void focusRequested(mx::nettest::FocusTarget target);
  void dataReceived(const QByteArray& bytes);
  // A connection has just been made (as client) or taken (as server).
  void connectionOpened();

 private:
  void CloseSockets();
  void CloseConnection();
  void ClearEndpointTexts();
  void StartListening();
  void StartConnecting();
  void OnConnected();
  void OnConnectFailed(int winsockCode, bool resourceError);
  void OnConnectionWaiting();
  void TakeConnection(QTcpSocket* waiting);
  void TurnAwayWaiting();
  void ReturnToListening();
  void OnConnectionClosed();
  void OnReceiveFailed(int winsockCode);
  bool PortIsValid() const;
  void Changed();
  void Capture(desktop::CaptureDirection direction, const char* bytes, qint64 count);

  CLinkTest_NetworkDoc& doc_;
  QHostAddress listenAddress_{QHostAddress::Any};
  ConnectionState state_ = ConnectionState::Inactive;
  ConnectionPanel panel_;
  QString rememberedAddress_;
  QPointer<CClientSocket> connection_;
  QPointer<CListeningSocket> listener_;
  // How long a newcomer waits while another connection is open before it is turned away: the
  // newcomer may be the same client coming back before its old connection's close got here.
  QTimer secondClientWait_;
  bool connecting_ = false;
  desktop::CaptureLog* log_ = nullptr;
};

}  // namespace mx::nettest
