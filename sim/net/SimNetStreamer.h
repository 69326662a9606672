#pragma once
// What a Network-model interface does on one connection in the simulation: streams readings
// ("+0012.345" and CR) at a set rate, or floods them as fast as the socket takes them, and echoes
// every byte it receives.

#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace mx {

class SimNetStreamer : public QObject {
  Q_OBJECT
 public:
  // Takes ownership of the connected socket.
  SimNetStreamer(QTcpSocket* socket, double rateHz, bool flood, QObject* parent = nullptr);
  ~SimNetStreamer() override;

  // The n-th reading: a slow triangle wave round 12.345 mm, so a stream is easy to follow by eye.
  static QByteArray Reading(quint64 n);

  quint64 BytesSent() const { return bytesSent_; }
  quint64 BytesEchoed() const { return bytesEchoed_; }

 signals:
  void finished();  // the peer went away

 private:
  void SendReading();
  void TopUpFlood();
  void Echo();

  QTcpSocket* socket_;
  QTimer timer_;
  bool flood_;
  quint64 readings_ = 0;
  quint64 bytesSent_ = 0;
  quint64 bytesEchoed_ = 0;
};

}  // namespace mx
