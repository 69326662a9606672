#pragma once
// The parts of a device link around a pseudo-terminal at COM1 in a test's folder: the machine's
// serial line code and clock, preferences in memory and a recording host. Whatever answers on the
// pseudo-terminal (a simulator in this process or in its own) is the test's to set up.

#include <string>

#include "link/DeviceLink.h"
#include "link/PosixSerialLine.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mx::test {

struct PtyLink {
  explicit PtyLink(const TempDir& dir) : path(dir.File("ttyMX1")), line(dir.path().string()) {
    ports.Set(1, path);
  }

  std::string path;  // of the pseudo-terminal, COM1
  PosixSerialLine line;
  SteadyClock clock;
  PortMap ports;
  MemoryPreferencesStore store;
  LinkState state;
  RecordingHost host;

  DeviceLink Link() { return DeviceLink{host, state, store, line, clock, ports}; }
};

}  // namespace mx::test
