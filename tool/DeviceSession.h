#pragma once
// What one device command works with on one line, built the way the setup program builds it, with
// waits that a signal cuts short. A fleet command has one of these per port, each with its own
// line, lock, link state and console host; only the port map is shared, and only read.

#include <ostream>

#include "link/CancellableLine.h"
#include "link/DeviceLink.h"
#include "link/PosixSerialLine.h"
#include "tool/DeviceConsoleHost.h"

namespace mx::tool {

struct DeviceSession {
  // `onlyPort`: 0 for the whole scan, else the one port the command may use.
  DeviceSession(PreferencesStore& store, const PortMap& ports, std::ostream& out, std::ostream& err,
                int onlyPort = 0)
      : host(out, err, ports, state),
        cancellableLine(line, clock, host),
        cancellableClock(clock, host),
        link{host, state, store, cancellableLine, cancellableClock, ports, onlyPort} {}
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  PosixSerialLine line;
  SteadyClock clock;
  LinkState state;
  DeviceConsoleHost host;
  CancellableSerialLine cancellableLine;
  CancellableClock cancellableClock;
  DeviceLink link;
};

}  // namespace mx::tool
