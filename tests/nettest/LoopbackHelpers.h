#pragma once
// Loopback helpers for the connection tests: bounded waits and a free port.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QThread>

#include <functional>

namespace mx::test {

// Runs the event loop until `done` holds or `ms` pass; never spins without sleeping.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms)
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return true;
}

// Lets queued socket events through for a short while (for "nothing else happens" checks).
inline void Settle(int ms = 100) {
  WaitFor([] { return false; }, ms);
}

// A port that was free a moment ago on 127.0.0.1.
inline quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

}  // namespace mx::test
