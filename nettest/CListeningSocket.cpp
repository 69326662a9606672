#include "nettest/CListeningSocket.h"

#include <QTcpServer>
#include <QTcpSocket>

#include "nettest/CClientSocket.h"
#include "nettest/SocketErrorCode.h"

namespace mx::nettest {
namespace {

// Connections wait here until the window takes them, reading what their peers send meanwhile; the
// same bound as for an active connection keeps a flooding peer from filling memory while it waits.
class BoundedServer : public QTcpServer {
 public:
  using QTcpServer::QTcpServer;

 protected:
  void incomingConnection(qintptr descriptor) override {
    auto* socket = new QTcpSocket(this);
    socket->setReadBufferSize(CClientSocket::kReadAhead);
    if (!socket->setSocketDescriptor(descriptor)) {
      delete socket;
      return;
    }
    addPendingConnection(socket);
  }
};

}  // namespace

CListeningSocket::CListeningSocket(QObject* parent)
    : QObject(parent), server_(new BoundedServer(this)) {
  server_->setMaxPendingConnections(kBacklog);
  server_->setListenBacklogSize(kSystemQueue);
  connect(server_, &QTcpServer::newConnection, this, &CListeningSocket::connectionWaiting);
  connect(server_, &QTcpServer::acceptError, this, &CListeningSocket::acceptFailed);
}

CListeningSocket::~CListeningSocket() {
  Close();
}

CListeningSocket::ListenResult CListeningSocket::Listen(const QHostAddress& address, quint16 port) {
  if (server_->listen(address, port))
    return {};
  ListenResult result;
  result.ok = false;
  result.winsockCode = WinsockCodeForSocketError(server_->serverError(), server_->errorString());
  // Qt binds and listens in one call. Binding is where almost every failure happens (port in use,
  // no permission); only a failure Qt cannot pin on the address is put down to listening.
  switch (server_->serverError()) {
    case QAbstractSocket::AddressInUseError:
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::SocketAddressNotAvailableError:
    case QAbstractSocket::SocketResourceError:
    case QAbstractSocket::UnsupportedSocketOperationError:
      result.failedStep = SocketOperation::Create;
      break;
    default:
      result.failedStep = SocketOperation::Listen;
      break;
  }
  return result;
}

QTcpSocket* CListeningSocket::Accept() {
  return server_->hasPendingConnections() ? server_->nextPendingConnection() : nullptr;
}

bool CListeningSocket::HasWaiting() const {
  return server_->hasPendingConnections();
}

void CListeningSocket::Close() {
  if (server_)
    server_->close();
}

}  // namespace mx::nettest
