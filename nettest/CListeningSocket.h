#pragma once
// The server side of Server mode: listens on a port and announces waiting connections. It stays
// open across the connections it hands out, so a client that comes back at once finds it
// listening.

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
  // Connections the system completes before the window takes them. A client that reconnects in a
  // tight loop outruns a short queue, and each connection a full queue drops costs it a retry a
  // second later.
  static constexpr int kSystemQueue = 1024;

  explicit CListeningSocket(QObject* parent = nullptr);
  ~CListeningSocket() override;

  ListenResult Listen(const QHostAddress& address, quint16 port);
  // The next waiting connection, or nullptr when none is waiting; the caller owns it. A connection
  // may have been closed by its peer while it waited, with its data still to be read.
  QTcpSocket* Accept();
  bool HasWaiting() const;
  void Close();

 signals:
  void connectionWaiting();
  // The operating system would not hand over a connection (out of descriptors, say).
  void acceptFailed();

 private:
  QTcpServer* server_;
};

}  // namespace mx::nettest
