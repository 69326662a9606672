#pragma once
// The server side of Server mode: listens on a port and announces waiting connections.

#include <QHostAddress>
#include <QObject>

#include "nettest/SocketErrorText.h"

class QTcpServer;
class QTcpSocket;

namespace mx::nettest {

class CListeningSocket : public QObject {
  Q_OBJECT
 public:
  struct ListenResult {
    bool ok = true;
    SocketOperation failedStep = SocketOperation::Create;  // Create: bind failed; Listen: listen
    int winsockCode = 0;
  };

  static constexpr int kBacklog = 5;

  explicit CListeningSocket(QObject* parent = nullptr);
  ~CListeningSocket() override;

  ListenResult Listen(const QHostAddress& address, quint16 port);
  // The next waiting connection, or nullptr when none is waiting or it failed; the caller owns it.
  QTcpSocket* Accept();
  void Close();

 signals:
  void connectionWaiting();

 private:
  QTcpServer* server_;
};

}  // namespace mx::nettest
