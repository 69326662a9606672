#include "nettest/ConnectionController.h"

#include <QTcpSocket>
#include <new>

#include "desktop/CaptureLog.h"
#include "desktop/TextConversion.h"
#include "nettest/CClientSocket.h"
#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/CListeningSocket.h"
#include "nettest/NetTestTexts.h"
#include "nettest/SocketErrorText.h"

namespace mx::nettest {
namespace {
// Written into the document's mode so the next mode selection runs even if the mode is unchanged.
constexpr int kForceModeChange = -1;
constexpr int kSecondClientWaitMs = 250;
}  // namespace

ConnectionController::ConnectionController(CLinkTest_NetworkDoc& doc, QObject* parent)
    : QObject(parent), doc_(doc) {
  panel_.clientCaption = desktop::FromUtf8(text::kCaptionClient);
  panel_.serverCaption = desktop::FromUtf8(text::kCaptionServer);
  connect(this, &ConnectionController::dataReceived, this, [this](const QByteArray& bytes) {
    Capture(desktop::CaptureDirection::Received, bytes.constData(), bytes.size());
  });
  secondClientWait_.setSingleShot(true);
  secondClientWait_.setInterval(kSecondClientWaitMs);
  connect(&secondClientWait_, &QTimer::timeout, this, &ConnectionController::TurnAwayWaiting);
}

ConnectionController::~ConnectionController() {
  CloseSockets();
}

void ConnectionController::Changed() {
  switch (state_) {
    case ConnectionState::Listening:
      panel_.stateText =
          desktop::FromUtf8(text::kStateListening) + QString::number(doc_.Fields().port);
      break;
    case ConnectionState::Connected: {
      // The far end: the server in Client mode, the client in Server mode.
      const bool server = doc_.Fields().mode == kLtnModeServer;
      panel_.stateText = desktop::FromUtf8(server ? text::kStateConnectedToClient
                                                  : text::kStateConnectedToServer) +
                         (server ? panel_.clientAddress + QLatin1Char(':') + panel_.clientPort
                                 : panel_.serverAddress + QLatin1Char(':') + panel_.serverPort);
      break;
    }
    default:
      panel_.stateText = desktop::FromUtf8(text::kStateReady);
      break;
  }
  emit panelChanged();
}

void ConnectionController::ResetForDocument() {
  rememberedAddress_ = desktop::FromLatin1(doc_.Fields().serverAddress);
  doc_.Fields().mode = kForceModeChange;
  SelectInactiveMode();
}

void ConnectionController::StoreServerAddress(const QString& address) {
  rememberedAddress_ = address;
  doc_.Fields().serverAddress = desktop::ToLatin1(address);
  panel_.addressField = address;
}

void ConnectionController::ClearEndpointTexts() {
  panel_.clientAddress.clear();
  panel_.clientPort.clear();
  panel_.serverAddress.clear();
  panel_.serverPort.clear();
}

void ConnectionController::CloseConnection() {
  connecting_ = false;
  if (connection_) {
    connection_->Close();
    connection_->deleteLater();
    connection_ = nullptr;
  }
}

void ConnectionController::CloseSockets() {
  CloseConnection();
  secondClientWait_.stop();
  if (listener_) {
    listener_->Close();
    listener_->deleteLater();
    listener_ = nullptr;
  }
}

void ConnectionController::SelectClientMode() {
  if (doc_.Fields().mode == kLtnModeClient)
    return;
  doc_.Fields().mode = kLtnModeClient;
  CloseSockets();
  panel_.clientCaption = desktop::FromUtf8(text::kCaptionClientLocal);
  panel_.serverCaption = desktop::FromUtf8(text::kCaptionServerRemote);
  panel_.actionText = desktop::FromUtf8(text::kActionConnect);
  state_ = ConnectionState::ClientIdle;
  ClearEndpointTexts();
  panel_.addressField = rememberedAddress_;
  panel_.addressEnabled = panel_.portEnabled = panel_.actionEnabled = true;
  Changed();
}

void ConnectionController::SelectServerMode() {
  if (doc_.Fields().mode == kLtnModeServer)
    return;
  doc_.Fields().mode = kLtnModeServer;
  CloseSockets();
  panel_.clientCaption = desktop::FromUtf8(text::kCaptionClientRemote);
  panel_.serverCaption = desktop::FromUtf8(text::kCaptionServerLocal);
  ClearEndpointTexts();
  panel_.addressField.clear();
  panel_.addressEnabled = false;
  if (state_ == ConnectionState::Connected) {
    // A connection just ended: go straight back to waiting for the next one.
    state_ = ConnectionState::ServerIdle;
    panel_.actionText = desktop::FromUtf8(text::kActionStartListening);
    panel_.portEnabled = panel_.actionEnabled = true;
    Changed();
    RunAction();
    return;
  }
  panel_.actionText = desktop::FromUtf8(text::kActionStartListening);
  state_ = ConnectionState::ServerIdle;
  panel_.portEnabled = panel_.actionEnabled = true;
  Changed();
}

void ConnectionController::SelectInactiveMode() {
  if (doc_.Fields().mode == kLtnModeInactive)
    return;
  doc_.Fields().mode = kLtnModeInactive;
  CloseSockets();
  panel_.clientCaption = desktop::FromUtf8(text::kCaptionClient);
  panel_.serverCaption = desktop::FromUtf8(text::kCaptionServer);
  ClearEndpointTexts();
  panel_.addressField = rememberedAddress_;
  panel_.addressEnabled = panel_.portEnabled = true;
  panel_.actionEnabled = false;
  panel_.actionText.clear();
  state_ = ConnectionState::Inactive;
  Changed();
}

void ConnectionController::RunAction() {
  switch (state_) {
    case ConnectionState::Inactive:
      return;
    case ConnectionState::ServerIdle:
      StartListening();
      return;
    case ConnectionState::Listening:
      CloseSockets();
      doc_.Fields().mode = kForceModeChange;
      SelectServerMode();
      return;
    case ConnectionState::ClientIdle:
      if (connecting_) {
        // The button reads "cancel" while a connect is under way.
        CloseConnection();
        doc_.Fields().mode = kForceModeChange;
        SelectClientMode();
        emit statusRequested(QString());
        return;
      }
      StartConnecting();
      return;
    case ConnectionState::Connected: {
      if (doc_.Fields().mode == kLtnModeServer && listener_) {
        // The listening socket stays open: a client that reconnects at once finds it listening,
        // and one that already waits is taken now.
        CloseConnection();
        ReturnToListening();
        OnConnectionWaiting();
        return;
      }
      CloseSockets();
      const int mode = doc_.Fields().mode;
      doc_.Fields().mode = kForceModeChange;
      if (mode == kLtnModeServer) {
        SelectServerMode();  // state is still Connected, so this listens again at once
      } else {
        SelectClientMode();
      }
      return;
    }
  }
}

bool ConnectionController::PortIsValid() const {
  return doc_.Fields().port >= 1 && doc_.Fields().port <= 65535;
}

void ConnectionController::StartListening() {
  CloseSockets();
  if (!PortIsValid()) {
    emit messageRequested(desktop::FromUtf8(text::kInvalidPort));
    emit focusRequested(FocusTarget::PortField);
    return;
  }
  auto* listener = new CListeningSocket(this);
  const auto result = listener->Listen(listenAddress_, static_cast<quint16>(doc_.Fields().port));
  if (!result.ok) {
    listener->deleteLater();
    const bool bindFailed = result.failedStep == SocketOperation::Create;
    emit messageRequested(
        desktop::FromUtf8(bindFailed ? text::kError202 : text::kError201) +
        desktop::FromUtf8(SocketErrorText(result.failedStep, result.winsockCode)));
    return;
  }
  listener_ = listener;
  connect(listener, &CListeningSocket::connectionWaiting, this,
          &ConnectionController::OnConnectionWaiting);
  connect(listener, &CListeningSocket::acceptFailed, this,
          [this] { emit messageRequested(desktop::FromUtf8(text::kAcceptFailed)); });
  ReturnToListening();
  emit focusRequested(FocusTarget::TrafficPane);
}

void ConnectionController::ReturnToListening() {
  ClearEndpointTexts();
  panel_.actionText = desktop::FromUtf8(text::kActionStopListening);
  panel_.actionEnabled = true;
  panel_.portEnabled = false;
  state_ = ConnectionState::Listening;
  Changed();
}

void ConnectionController::StartConnecting() {
  if (doc_.Fields().serverAddress.empty()) {
    emit messageRequested(desktop::FromUtf8(text::kMissingServerAddress));
    emit focusRequested(FocusTarget::AddressField);
    return;
  }
  if (!PortIsValid()) {
    emit messageRequested(desktop::FromUtf8(text::kInvalidPort));
    emit focusRequested(FocusTarget::PortField);
    return;
  }
  CloseConnection();
  auto* socket = new (std::nothrow) CClientSocket(this);
  if (socket == nullptr) {
    emit messageRequested(desktop::FromUtf8(text::kError101));
    return;
  }
  connection_ = socket;
  connect(socket, &CClientSocket::connected, this, &ConnectionController::OnConnected);
  connect(socket, &CClientSocket::connectFailed, this, &ConnectionController::OnConnectFailed);
  connect(socket, &CClientSocket::dataReceived, this, &ConnectionController::dataReceived);
  connect(socket, &CClientSocket::connectionClosed, this,
          &ConnectionController::OnConnectionClosed);
  connect(socket, &CClientSocket::receiveFailed, this, &ConnectionController::OnReceiveFailed);

  // The window stays live while the host answers; the button offers to give up meanwhile.
  connecting_ = true;
  panel_.actionText = desktop::FromUtf8(text::kActionCancelConnect);
  panel_.addressEnabled = panel_.portEnabled = false;
  Changed();
  const QString host = desktop::FromLatin1(doc_.Fields().serverAddress);
  emit statusRequested(desktop::FromUtf8(text::kStatusConnecting) + host + QLatin1Char(':') +
                       QString::number(doc_.Fields().port) + QStringLiteral("..."));
  socket->Connect(host, static_cast<quint16>(doc_.Fields().port));
}

void ConnectionController::OnConnected() {
  if (!connecting_ || !connection_)
    return;
  connecting_ = false;
  panel_.clientAddress = connection_->LocalAddress();
  panel_.clientPort = QString::number(connection_->LocalPort());
  panel_.serverAddress = connection_->PeerAddress();
  panel_.serverPort = QString::number(connection_->PeerPort());
  panel_.actionText = desktop::FromUtf8(text::kActionClose);
  state_ = ConnectionState::Connected;
  panel_.addressEnabled = panel_.portEnabled = false;
  panel_.actionEnabled = true;
  Changed();
  emit statusRequested(QString());
  emit focusRequested(FocusTarget::TrafficPane);
  emit connectionOpened();
}

void ConnectionController::OnConnectFailed(int winsockCode, bool resourceError) {
  if (!connecting_)
    return;
  CloseConnection();
  panel_.actionText = desktop::FromUtf8(text::kActionConnect);
  panel_.addressEnabled = panel_.portEnabled = panel_.actionEnabled = true;
  Changed();
  emit statusRequested(QString());
  if (resourceError) {
    emit messageRequested(desktop::FromUtf8(text::kError102) + QString::number(winsockCode));
  } else {
    emit messageRequested(
        desktop::FromUtf8(text::kError103) +
        desktop::FromUtf8(SocketErrorText(SocketOperation::Connect, winsockCode)));
  }
}

void ConnectionController::OnConnectionWaiting() {
  if (!listener_)
    return;
  if (connection_) {
    // One connection at a time. The newcomer waits a moment in case the open connection is just
    // ending; if it is still open then, the newcomer is turned away.
    if (listener_->HasWaiting() && !secondClientWait_.isActive())
      secondClientWait_.start();
    return;
  }
  if (QTcpSocket* waiting = listener_->Accept())
    TakeConnection(waiting);
  if (listener_->HasWaiting())
    secondClientWait_.start();  // counted from now, not from when the newcomer arrived
}

void ConnectionController::TakeConnection(QTcpSocket* waiting) {
  auto* socket = new CClientSocket(waiting, this);
  connection_ = socket;
  connect(socket, &CClientSocket::dataReceived, this, &ConnectionController::dataReceived);
  connect(socket, &CClientSocket::connectionClosed, this,
          &ConnectionController::OnConnectionClosed);
  connect(socket, &CClientSocket::receiveFailed, this, &ConnectionController::OnReceiveFailed);
  panel_.clientAddress = socket->PeerAddress();
  panel_.clientPort = QString::number(socket->PeerPort());
  panel_.serverAddress = socket->LocalAddress();
  panel_.serverPort = QString::number(socket->LocalPort());
  panel_.actionText = desktop::FromUtf8(text::kActionClose);
  panel_.actionEnabled = true;
  state_ = ConnectionState::Connected;
  Changed();
  emit connectionOpened();
}

void ConnectionController::TurnAwayWaiting() {
  if (!listener_)
    return;
  if (!connection_) {
    OnConnectionWaiting();
    return;
  }
  while (QTcpSocket* waiting = listener_->Accept()) {
    const QString who = DisplayAddress(waiting->peerAddress()) + QLatin1Char(':') +
                        QString::number(waiting->peerPort());
    waiting->abort();
    waiting->deleteLater();
    emit statusRequested(desktop::FromUtf8(text::kStatusSecondRefused) + who);
  }
}

void ConnectionController::OnConnectionClosed() {
  if (state_ == ConnectionState::Connected)
    RunAction();
}

void ConnectionController::OnReceiveFailed(int winsockCode) {
  emit messageRequested(desktop::FromUtf8(text::kReceiveError) +
                        desktop::FromUtf8(SocketErrorText(SocketOperation::Receive, winsockCode)));
}

void ConnectionController::SendTypedByte(uint8_t byte) {
  if (state_ != ConnectionState::Connected || !connection_)
    return;
  const char c = static_cast<char>(byte);
  connection_->Send(&c, 1);
  Capture(desktop::CaptureDirection::Sent, &c, 1);
  if (byte == 13 && doc_.Fields().crToCrLf != 0) {
    const char lf = 10;
    connection_->Send(&lf, 1);
    Capture(desktop::CaptureDirection::Sent, &lf, 1);
  }
}

void ConnectionController::Capture(desktop::CaptureDirection direction, const char* bytes,
                                   qint64 count) {
  if (log_)
    log_->Append(direction,
                 {reinterpret_cast<const uint8_t*>(bytes), static_cast<std::size_t>(count)});
}

}  // namespace mx::nettest
