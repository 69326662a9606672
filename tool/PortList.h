#pragma once
// The ports a device command is kept to: `--port P` and `--ports LIST`. P is "COMn" or a device
// path; a LIST is a comma list of such, with ranges "COM1-COM8".

#include <string>
#include <vector>

#include "link/PortMap.h"

namespace mx::tool {

struct PortChoice {
  std::vector<int> ports;  // COM numbers in the order given, each once
  std::string error;       // for the user; empty when the list is good
};

// A port named on its own must exist on this machine (a device path counts when it leads to the
// same device as a mapped port); a range takes the ports that exist in it and must hold one.
// `single`: exactly one port, no list and no range.
PortChoice ParsePortList(const std::string& list, const PortMap& ports, bool single);

}  // namespace mx::tool
