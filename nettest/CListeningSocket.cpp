#include "nettest/CListeningSocket.h"

#include <QTcpServer>
#include <QTcpSocket>

#include "nettest/SocketErrorCode.h"

namespace mx::nettest {

CListeningSocket::CListeningSocket(QObject* parent)
    : QObject(parent), server_(new QTcpServer(this)) {
  server_->setMaxPendingConnections(kBacklog);
  connect(server_, &QTcpServer::newConnection, this, &CListeningSocket::connectionWaiting);
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

void CListeningSocket::Close() {
  if (server_)
    server_->close();
}

}  // namespace mx::nettest
