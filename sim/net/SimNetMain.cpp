// mxsim's network mode: a simulated Network-model interface on TCP, for trying LinkTest_Network
// without hardware and for measuring how fast it displays a stream.
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "sim/net/SimNetInterface.h"
#include "sim/net/SimNetMain.h"
#include "sim/net/SimNetOptions.h"

namespace mx {

bool IsNetworkSimulatorCommand(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--tcp-server" || a == "--tcp-client")
      return true;
  }
  return false;
}

int RunNetworkSimulator(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const SimNetOptions options = ParseSimNetOptions(QCoreApplication::arguments().mid(1));
  QTextStream err(stderr);
  if (!options.error.isEmpty()) {
    err << "mxsim: " << options.error << "\n" << SimNetUsage();
    return 2;
  }
  SimNetInterface sim(options);
  QString error;
  if (!sim.Start(&error)) {
    err << "mxsim: cannot listen on " << options.host << ":" << options.port << ": " << error
        << "\n";
    return 1;
  }
  const bool server = options.mode == SimNetOptions::Mode::Server;
  err << "mxsim: " << (server ? "listening on " : "connecting to ") << options.host << ":"
      << options.port << (options.flood ? ", flood" : "") << "\n";
  err.flush();
  QObject::connect(&sim, &SimNetInterface::connectionStarted, [&] {
    err << "mxsim: connected\n";
    err.flush();
  });
  QObject::connect(&sim, &SimNetInterface::connectionEnded, [&] {
    err << "mxsim: connection closed\n";
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

}  // namespace mx
