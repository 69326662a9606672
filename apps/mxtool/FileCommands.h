#pragma once
// mxtool's configuration-file commands: new, export, import, check.

#include <iosfwd>
#include <string>
#include <vector>

namespace mx {
class SetupDocument;
}

namespace mx::tool {

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

bool IsFileCommand(const std::string& command);
// Exit code: 0 success, 2 usage or file error.
int RunFileCommand(const std::string& command, const std::vector<std::string>& args, Streams io);
std::string FileCommandsUsage();

// Opens a configuration file as the setup program does. Reports the failure itself.
bool OpenAsTheProgramDoes(const std::string& path, SetupDocument& document, Streams io);

}  // namespace mx::tool
