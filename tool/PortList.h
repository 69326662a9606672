#pragma once
// The ports a device command is kept to: `--port P` and `--ports LIST`. P is "COMn" or a device
// path; a LIST is a comma list of such, with ranges "COM1-COM8" and shell-style patterns of paths
// ("/dev/serial/by-id/*").

#include <string>
#include <vector>

#include "link/PortMap.h"

namespace mx::tool {

struct PortChoice {
  // COM numbers in the order given, each once; 0 for a device beyond COM1..COM20, which a list
  // (never --port) may name by its path.
  std::vector<int> ports;
  // Beside each port: the device path the list named it by, or "" when it was named as COMn.
  std::vector<std::string> named;
  std::string error;  // for the user; empty when the list is good
};

// A port named on its own must exist on this machine (a device path counts when it leads to the
// same device as a mapped port, or in a list when the device exists); a range takes the ports that
// exist in it and must hold one.
// `single`: exactly one port, no list and no range.
PortChoice ParsePortList(const std::string& list, const PortMap& ports, bool single);

}  // namespace mx::tool
