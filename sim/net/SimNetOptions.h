#pragma once
// Command line of the simulated Network-model interface:
//   mxsim --tcp-server PORT [--rate HZ] [--flood] [--any]
//   mxsim --tcp-client HOST:PORT [--rate HZ] [--flood]

#include <QString>
#include <QStringList>

namespace mx {

struct SimNetOptions {
  enum class Mode { Server, Client };
  Mode mode = Mode::Server;
  QString host = QStringLiteral("127.0.0.1");  // client: where to connect; server: where to listen
  quint16 port = 0;
  double rateHz = 10.0;  // readings per second
  bool flood = false;    // as fast as the socket takes them, instead of at rateHz
  QString error;         // non-empty: the command line was not understood
};

SimNetOptions ParseSimNetOptions(const QStringList& arguments);  // without the program name
QString SimNetUsage();

}  // namespace mx
