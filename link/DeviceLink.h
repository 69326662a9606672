#pragma once
// Everything a device command works with, passed as one piece: the host (windows, document,
// editor), the link state of the document, the stored preferences, the line with its clock and the
// port map. Each command makes its own SerialPort on `line` and closes it when it returns.
// `onlyPort` keeps a command to one port (mxtool --port): the stored place is probed only when it
// is on that port, and the scan covers that port alone.

#include "link/Clock.h"
#include "link/DeviceCommandHost.h"
#include "link/LinkState.h"
#include "link/PortMap.h"
#include "link/PreferencesStore.h"
#include "link/SerialLine.h"

namespace mx {

struct DeviceLink {
  DeviceCommandHost& host;
  LinkState& state;
  PreferencesStore& store;
  SerialLine& line;
  Clock& clock;
  const PortMap& ports;
  int onlyPort = 0;  // 0: every port
  // Ports the user named (mxtool --port, --ports) are probed even while another program holds
  // them open, after a warning; a scan of its own accord leaves those out.
  bool probeHeldPorts = false;
};

// The identity and status updates that every command shares.
void SetConnectionStatus(DeviceLink& link, bool connected);
void ShowLinkMessage(DeviceLink& link, std::string_view text);
void ShowLinkFailure(DeviceLink& link, std::string_view text);

}  // namespace mx
