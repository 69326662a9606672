#pragma once
// The program names serial ports COM1..COM20; on this system each stands for a device path. Every
// text that names a port shows the path beside it, so the user can tell which device is meant.

#include <string>
#include <string_view>

#include "link/PortMap.h"

namespace mx::editor {

// Each "COM<n>" in `text` becomes PortMap::Describe(n) ("COM3 (/dev/ttyUSB0)"); unmapped ports and
// everything else stay as they are.
std::string WithPortPaths(std::string_view text, const PortMap& ports);

}  // namespace mx::editor
