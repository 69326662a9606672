#pragma once
// The simulated Network-model interface: a TCP server that serves every client that connects, or a
// TCP client that connects to a listening test terminal (and tries again every second until it
// can, and after the terminal closes the connection).

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "sim/net/SimNetOptions.h"

class QTcpServer;
class QTcpSocket;

namespace mx {

class SimNetStreamer;

class SimNetInterface : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRetryMs = 1000;

  explicit SimNetInterface(const SimNetOptions& options, QObject* parent = nullptr);
  ~SimNetInterface() override;

  // Server: listens (false with `error` set when it cannot). Client: starts connecting.
  bool Start(QString* error = nullptr);
  quint16 ServerPort() const;
  int ConnectionCount() const;
  quint64 BytesSent() const;  // over every connection so far

 signals:
  void connectionStarted();
  void connectionEnded();

 private:
  void Serve(QTcpSocket* socket);
  void ConnectOut();

  SimNetOptions options_;
  QTcpServer* server_ = nullptr;
  QPointer<QTcpSocket> outgoing_;
  QTimer retry_;
  QList<QPointer<SimNetStreamer>> streamers_;
  quint64 bytesSentByEnded_ = 0;
};

}  // namespace mx
