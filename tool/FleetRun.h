#pragma once
// What the fleet commands share: the machine's ports read once, one worker per port with its own
// session, the threads, and a port's result line.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "link/LinkSettings.h"
#include "link/QSettingsStore.h"
#include "tool/DeviceSession.h"
#include "tool/ExitCodes.h"
#include "tool/FleetOutput.h"
#include "tool/PortList.h"
#include "tool/SignalCancel.h"

namespace mx::tool {

// The machine's ports and the stored place, read once before the threads start; the threads only
// read them.
struct Fleet {
  SignalCancel signals;  // first in, last out: caught until every port is closed
  QSettingsStore store;
  PortMap ports = PortMap::FromSystem(&store);
  LinkSettings storedPlace;
  // Ports the user named (read, send, apply) are probed even when another process holds them,
  // after a warning; a search of every port (find --all) leaves such ports alone.
  bool probeHeldPorts = true;
  Fleet() { LoadLinkSettings(store, storedPlace); }
};

// One port's session with a private copy of the stored place, so that nothing a port does reaches
// the preferences; what its console host says is kept for the port's result line.
struct FleetPort;

class PortWorker {
 public:
  PortWorker(const FleetPort& port, const Fleet& fleet);
  DeviceSession& Session() { return session_; }
  const DeviceSession& Session() const { return session_; }
  // The message box texts shown since the last call, on one line.
  std::string TakeMessages();
  // The serial number and model once the interface answered, kept when a later step fails.
  void NoteIdentity();
  const std::string& Serial() const { return serial_; }
  const std::string& ModelName() const { return model_; }

 private:
  MemoryPreferencesStore store_;
  PortMap ownPort_;  // a device beyond COM1..COM20, as the only port of a map of its own
  std::ostringstream out_;
  std::ostringstream err_;  // progress lines, not shown: twenty ports at once would be noise
  DeviceSession session_;
  std::string serial_;
  std::string model_;
};

// A port of the list: its number (0 beyond COM1..COM20), the name it was given by and its device.
struct FleetPort {
  int number = 0;
  std::string name;
  std::string device;
  FleetLine Line() const {
    FleetLine line;
    line.port = name;
    line.device = device;
    return line;
  }
};

std::vector<FleetPort> FleetPorts(const PortChoice& choice, const PortMap& ports);
// The list parsed against the machine's ports; false after saying why on stderr.
bool ChooseFleetPorts(const std::string& list, const Fleet& fleet, std::vector<FleetPort>& ports);

// Runs `job` on every port at once, each in a thread of its own: the ports only wait on their
// lines, so twenty take as long as the slowest one.
void RunOnPorts(const std::vector<FleetPort>& ports, const Fleet& fleet,
                const std::function<void(PortWorker&, const FleetPort&)>& job);

// Runs `first` on every port at once; when all are through, `decide` once; then `second` on the
// ports whose `first` returned true, unless `decide` returned false. Lets a command refuse on
// what it learnt of every interface before it changes any.
void RunInTwoSteps(const std::vector<FleetPort>& ports, const Fleet& fleet,
                   const std::function<bool(PortWorker&, const FleetPort&)>& first,
                   const std::function<bool()>& decide,
                   const std::function<void(PortWorker&, const FleetPort&)>& second);

// A failed step's line: cancelled by a signal, the holder of a busy port, or what the interface
// (or its absence) made the command say.
FleetLine FailedLine(PortWorker& worker, const FleetPort& port, bool imageSent = false);
// A line with the identity the worker noted.
FleetLine IdentifiedLine(const PortWorker& worker, const FleetPort& port, std::string outcome,
                         std::string message);

// The summary (JSON line, or the count on stderr) and the exit code: 128 + a caught signal, 1
// when a port failed, else 0.
int FinishFleet(const std::string& command, FleetPrinter& printer, std::size_t total);

}  // namespace mx::tool
