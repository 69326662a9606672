#pragma once
// One TCP connection of the test terminal: the client side in Client mode, or a connection accepted
// in Server mode. Connect runs in the background so the window keeps painting while a slow host
// answers; the outcome arrives as connected() or connectFailed().

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
class QHostAddress;

namespace mx::nettest {

class CClientSocket : public QObject {
  Q_OBJECT
 public:
  // At most this much received data waits in the program; the rest waits in the system, which
  // slows a flooding peer down. Whatever has come in is handed on in one piece, so the slower the
  // window, the larger the pieces, and a flood is shown by its newest part.
  static constexpr qint64 kReadAhead = 1024 * 1024;

  explicit CClientSocket(QObject* parent = nullptr);
  // Takes over a connection accepted by CListeningSocket.
  CClientSocket(QTcpSocket* accepted, QObject* parent);
  ~CClientSocket() override;

  void Connect(const QString& host, quint16 port);
  // Queues the bytes; the socket sends them as soon as the operating system takes them.
  void Send(const char* data, qint64 length);
  // Drops the connection at once, without further notifications.
  void Close();

  bool IsConnected() const;
  QString LocalAddress() const;
  quint16 LocalPort() const;
  QString PeerAddress() const;
  quint16 PeerPort() const;

 signals:
  void connected();
  // `winsockCode` keys the connect error table; `resourceError` means no socket could be created.
  void connectFailed(int winsockCode, bool resourceError);
  void dataReceived(const QByteArray& bytes);
  void receiveFailed(int winsockCode);
  void connectionClosed();

 private:
  void Wire();
  void OnReadyRead();
  void OnError();

  QTcpSocket* socket_;
  bool connecting_ = false;
};

// Dotted IPv4 for IPv4 peers even when the socket is dual-stack ("::ffff:127.0.0.1" reads badly).
QString DisplayAddress(const QHostAddress& address);

}  // namespace mx::nettest
