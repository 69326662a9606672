// Placeholder until the device link exists: the device commands are listed but not yet offered.
#include "apps/mxtool/DeviceCommands.h"

namespace mx::tool {

bool IsDeviceCommand(const std::string&) { return false; }

int RunDeviceCommand(const std::string&, const std::vector<std::string>&) { return 2; }

std::string DeviceCommandsUsage() { return {}; }

}  // namespace mx::tool
