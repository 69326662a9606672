#pragma once
// mxtool's configuration-file commands: new, export, import, check.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/ConfigFile.h"
#include "core/SetupDocument.h"

namespace mx::tool {

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

bool IsFileCommand(const std::string& command);
// Exit code: 0 success, 2 usage or file error.
int RunFileCommand(const std::string& command, const std::vector<std::string>& args, Streams io);
std::string FileCommandsUsage();

// An input file of a command, read once (so pipes work); "-" is standard input.
FileResult ReadInput(const std::string& path, std::vector<uint8_t>& bytes,
                     std::size_t limit = 64 * 1024 * 1024);

// A configuration file read once and opened from those bytes as the setup program opens it, with
// its image also as written (before the corrections the program applies when it shows it).
struct OpenedFile {
  std::vector<uint8_t> bytes;
  EditorHooks editor;
  SetupDocument document{editor};
  ParameterImage asWritten;
};

// Says which values of `image` no interface can hold (those `before` held already excepted) and
// returns true when there are any.
bool RefuseValuesOutsideCodes(const std::string& name, const ParameterImage& image,
                              const ParameterImage* before, Streams io);
// "checksum ok (0x...)" or "checksum mismatch (stored 0x..., computed 0x...)" of an image as the
// file holds it.
std::string ChecksumVerdict(const ParameterImage& asWritten);

// Reports the failure itself.
bool OpenAsTheProgramDoes(const std::string& path, OpenedFile& file, Streams io);

}  // namespace mx::tool
