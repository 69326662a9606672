#pragma once
// mxtool log: the transfer log, one tab-separated line a transfer, oldest first.

#include <string>
#include <vector>

namespace mx::tool {

// `log [--since DATE] [--serial N]`: DATE as "2026-12-08" (the start of that day here) or with a
// time ("2026-12-08T14:00", "2026-12-08T14:00:00+01:00"). Exit 0, 2 for usage errors or a log
// that cannot be read.
int RunLogCommand(const std::vector<std::string>& args);

}  // namespace mx::tool
