#pragma once
// The four connection lines of the Status tab, composed from the link state, so the Qt page and
// the command line show the same words.

#include <array>
#include <string>

#include "core/ModelTable.h"
#include "link/LinkState.h"

namespace mx {

struct ConnectionStatusLines {
  std::string serial;   // "COM1  @  9600-N-8-1"
  std::string network;  // "Client  @  192.168.1.20      Port  3001", "Network disabled", ...
  std::string serialNumber;
  std::string modelAndVersion;
};

// The lines of UpdateConnectionStatus(true) for the current model.
ConnectionStatusLines ComposeConnectionStatus(const LinkState& state, ModelIndex model);
std::string NetworkStatusLine(const NetworkStatus& status, ModelIndex model);

}  // namespace mx
