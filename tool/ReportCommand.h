#pragma once
// mxtool report: the setup program's summary pages of a configuration file, as PDF or as text.

#include <string>
#include <vector>

#include "tool/FileCommands.h"

namespace mx::tool {

bool IsReportCommand(const std::string& command);
// Exit code: 0 success, 2 usage or file error.
int RunReportCommand(const std::vector<std::string>& args, Streams io);
std::string ReportCommandUsage();

}  // namespace mx::tool
