#include "sim/net/SimNetStreamer.h"

#include <QTcpSocket>
#include <cmath>
#include <cstdio>

namespace mx {
namespace {
// Flood keeps about this much queued: enough that the socket never runs dry, little enough that
// the process stays small however slow the reader is.
constexpr qint64 kFloodQueue = 256 * 1024;
constexpr int kFloodBlockReadings = 4096;
}  // namespace

QByteArray SimNetStreamer::Reading(quint64 n) {
  const int step = static_cast<int>(n % 40);
  const int offset = step < 20 ? step : 40 - step;
  const double value = 12.345 + 0.001 * offset;
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%+09.3f\r", value);
  return QByteArray(text, length);
}

SimNetStreamer::SimNetStreamer(QTcpSocket* socket, double rateHz, bool flood, QObject* parent)
    : QObject(parent), socket_(socket), flood_(flood) {
  socket_->setParent(this);
  connect(socket_, &QTcpSocket::readyRead, this, &SimNetStreamer::Echo);
  connect(socket_, &QTcpSocket::disconnected, this, &SimNetStreamer::finished);
  if (flood_) {
    connect(socket_, &QTcpSocket::bytesWritten, this, &SimNetStreamer::TopUpFlood);
    QTimer::singleShot(0, this, &SimNetStreamer::TopUpFlood);
  } else {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(std::max(1, static_cast<int>(std::lround(1000.0 / rateHz))));
    connect(&timer_, &QTimer::timeout, this, &SimNetStreamer::SendReading);
    timer_.start();
  }
}

SimNetStreamer::~SimNetStreamer() {
  timer_.stop();
  socket_->disconnect(this);
}

void SimNetStreamer::SendReading() {
  if (socket_->state() != QAbstractSocket::ConnectedState)
    return;
  const QByteArray reading = Reading(readings_++);
  socket_->write(reading);
  bytesSent_ += static_cast<quint64>(reading.size());
}

void SimNetStreamer::TopUpFlood() {
  if (socket_->state() != QAbstractSocket::ConnectedState)
    return;
  while (socket_->bytesToWrite() < kFloodQueue) {
    QByteArray block;
    block.reserve(kFloodBlockReadings * 10);
    for (int i = 0; i < kFloodBlockReadings; ++i)
      block += Reading(readings_++);
    socket_->write(block);
    bytesSent_ += static_cast<quint64>(block.size());
  }
}

void SimNetStreamer::Echo() {
  const QByteArray bytes = socket_->readAll();
  bytesEchoed_ += static_cast<quint64>(bytes.size());
  socket_->write(bytes);
}

}  // namespace mx
