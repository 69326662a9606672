#include "nettest/CClientSocket.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include "nettest/SocketErrorCode.h"

namespace mx::nettest {

QString DisplayAddress(const QHostAddress& address) {
  bool isV4 = false;
  const quint32 v4 = address.toIPv4Address(&isV4);
  return isV4 ? QHostAddress(v4).toString() : address.toString();
}

CClientSocket::CClientSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
  Wire();
}

CClientSocket::CClientSocket(QTcpSocket* accepted, QObject* parent)
    : QObject(parent), socket_(accepted) {
  socket_->setParent(this);
  Wire();
  // Bytes that came in while the connection waited were announced before anyone listened; a peer
  // that has already gone still had its say, and its close follows its data.
  if (socket_->bytesAvailable() > 0)
    QTimer::singleShot(0, this, &CClientSocket::OnReadyRead);
  if (socket_->state() != QAbstractSocket::ConnectedState)
    QTimer::singleShot(0, this, &CClientSocket::connectionClosed);
}

CClientSocket::~CClientSocket() {
  Close();
}

void CClientSocket::Wire() {
  // Qt would otherwise drain the kernel's buffer into memory without limit; a bounded buffer leaves
  // the rest to TCP flow control.
  socket_->setReadBufferSize(kReadAhead);
  connect(socket_, &QTcpSocket::connected, this, [this] {
    connecting_ = false;
    emit connected();
  });
  connect(socket_, &QTcpSocket::readyRead, this, &CClientSocket::OnReadyRead);
  connect(socket_, &QTcpSocket::errorOccurred, this, &CClientSocket::OnError);
  connect(socket_, &QTcpSocket::disconnected, this, [this] {
    if (connecting_)
      return;
    // What the peer sent before it closed comes first, also when nobody has read it yet.
    OnReadyRead();
    emit connectionClosed();
  });
}

void CClientSocket::Connect(const QString& host, quint16 port) {
  connecting_ = true;
  socket_->connectToHost(host, port);
}

void CClientSocket::Send(const char* data, qint64 length) {
  if (socket_->state() == QAbstractSocket::ConnectedState)
    socket_->write(data, length);
}

void CClientSocket::Close() {
  blockSignals(true);  // also what was already queued (the data and close of a waiting peer)
  if (!socket_)
    return;
  socket_->disconnect(this);
  socket_->abort();
}

bool CClientSocket::IsConnected() const {
  return socket_->state() == QAbstractSocket::ConnectedState;
}

QString CClientSocket::LocalAddress() const {
  return DisplayAddress(socket_->localAddress());
}
quint16 CClientSocket::LocalPort() const {
  return socket_->localPort();
}
QString CClientSocket::PeerAddress() const {
  return DisplayAddress(socket_->peerAddress());
}
quint16 CClientSocket::PeerPort() const {
  return socket_->peerPort();
}

void CClientSocket::OnReadyRead() {
  // Everything waiting is taken now: readyRead is not raised again for bytes already buffered.
  if (socket_->bytesAvailable() <= 0)
    return;
  const QByteArray received = socket_->readAll();
  if (received.isEmpty()) {
    emit receiveFailed(WinsockCodeForSocketError(socket_->error(), socket_->errorString()));
    return;
  }
  emit dataReceived(received);
}

void CClientSocket::OnError() {
  if (connecting_) {
    connecting_ = false;
    const auto error = socket_->error();
    emit connectFailed(WinsockCodeForSocketError(error, socket_->errorString()),
                       error == QAbstractSocket::SocketResourceError);
    return;
  }
  // Errors on an open connection (reset, peer gone) end it like an orderly close does; the
  // disconnected signal reports that.
}

}  // namespace mx::nettest
