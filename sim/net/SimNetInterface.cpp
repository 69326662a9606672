#include "sim/net/SimNetInterface.h"

#include <QTcpServer>
#include <QTcpSocket>

#include "sim/net/SimNetStreamer.h"

namespace mx {

SimNetInterface::SimNetInterface(const SimNetOptions& options, QObject* parent)
    : QObject(parent), options_(options) {
  retry_.setSingleShot(true);
  retry_.setInterval(kRetryMs);
  connect(&retry_, &QTimer::timeout, this, &SimNetInterface::ConnectOut);
}

SimNetInterface::~SimNetInterface() = default;

bool SimNetInterface::Start(QString* error) {
  if (options_.mode == SimNetOptions::Mode::Client) {
    ConnectOut();
    return true;
  }
  server_ = new QTcpServer(this);
  connect(server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_->nextPendingConnection())
      Serve(socket);
  });
  if (!server_->listen(QHostAddress(options_.host), options_.port)) {
    if (error)
      *error = server_->errorString();
    return false;
  }
  return true;
}

quint16 SimNetInterface::ServerPort() const {
  return server_ ? server_->serverPort() : 0;
}

int SimNetInterface::ConnectionCount() const {
  int count = 0;
  for (const auto& s : streamers_)
    count += s ? 1 : 0;
  return count;
}

quint64 SimNetInterface::BytesSent() const {
  quint64 total = bytesSentByEnded_;
  for (const auto& s : streamers_)
    total += s ? s->BytesSent() : 0;
  return total;
}

void SimNetInterface::Serve(QTcpSocket* socket) {
  auto* streamer = new SimNetStreamer(socket, options_.rateHz, options_.flood, this);
  streamers_.append(streamer);
  connect(streamer, &SimNetStreamer::finished, this, [this, streamer] {
    bytesSentByEnded_ += streamer->BytesSent();
    streamers_.removeAll(streamer);
    streamer->deleteLater();
    emit connectionEnded();
    if (options_.mode == SimNetOptions::Mode::Client)
      retry_.start();
  });
  emit connectionStarted();
}

void SimNetInterface::ConnectOut() {
  auto* socket = new QTcpSocket(this);
  outgoing_ = socket;
  connect(socket, &QTcpSocket::connected, this, [this, socket] {
    socket->disconnect(this);
    Serve(socket);
  });
  connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
    // Nobody listening yet: the terminal may not have pressed "Start Listening" so far.
    socket->disconnect(this);
    socket->deleteLater();
    retry_.start();
  });
  socket->connectToHost(options_.host, options_.port);
}

}  // namespace mx
