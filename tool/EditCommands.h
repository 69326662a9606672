#pragma once
// mxtool diff and set: configuration files compared and edited element by element, under the
// names of the JSON export.

#include <string>
#include <vector>

#include "tool/FileCommands.h"

namespace mx::tool {

bool IsEditCommand(const std::string& command);
// diff: 0 the files are equal, 1 they differ, 2 usage or file error. set: 0 written, 2 usage or
// file error, or an assignment that is not valid (nothing is written then).
int RunEditCommand(const std::string& command, const std::vector<std::string>& args, Streams io);
std::string EditCommandsUsage();

}  // namespace mx::tool
