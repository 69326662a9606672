// mxsim-net: a simulated Network-model interface on TCP, for trying LinkTest_Network without
// hardware and for measuring how fast it displays a stream.
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "sim/net/SimNetInterface.h"
#include "sim/net/SimNetOptions.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const mx::SimNetOptions options = mx::ParseSimNetOptions(QCoreApplication::arguments().mid(1));
  QTextStream err(stderr);
  if (!options.error.isEmpty()) {
    err << "mxsim-net: " << options.error << "\n" << mx::SimNetUsage();
    return 2;
  }
  mx::SimNetInterface sim(options);
  QString error;
  if (!sim.Start(&error)) {
    err << "mxsim-net: cannot listen on " << options.host << ":" << options.port << ": " << error
        << "\n";
    return 1;
  }
  const bool server = options.mode == mx::SimNetOptions::Mode::Server;
  err << "mxsim-net: " << (server ? "listening on " : "connecting to ") << options.host << ":"
      << options.port << (options.flood ? ", flood" : "") << "\n";
  err.flush();
  QObject::connect(&sim, &mx::SimNetInterface::connectionStarted, [&] {
    err << "mxsim-net: connected\n";
    err.flush();
  });
  QObject::connect(&sim, &mx::SimNetInterface::connectionEnded, [&] {
    err << "mxsim-net: connection closed\n";
    err.flush();
  });

  QTimer meter;
  quint64 lastBytes = 0;
  if (options.flood) {
    QObject::connect(&meter, &QTimer::timeout, [&] {
      const quint64 now = sim.BytesSent();
      std::printf("%.3f MB/s\n", static_cast<double>(now - lastBytes) / 1e6);
      std::fflush(stdout);
      lastBytes = now;
    });
    meter.start(1000);
  }
  return QCoreApplication::exec();
}
