#pragma once
// mxtool's device commands (find, read, send) against an interface on a serial line.

#include <string>
#include <vector>

namespace mx::tool {

// True when `command` names a device command.
bool IsDeviceCommand(const std::string& command);
// Runs it with the arguments after the command word. Exit code: 0 success, 1 device failure,
// 2 usage or file error.
int RunDeviceCommand(const std::string& command, const std::vector<std::string>& args);
// Lines for `mxtool --help`.
std::string DeviceCommandsUsage();

}  // namespace mx::tool
