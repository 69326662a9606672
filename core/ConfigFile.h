#pragma once
// The ".mxs" configuration file: 7626 bytes, header, version, length, 100 reserved bytes, the image
// and the extension block.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ExtensionBlock.h"
#include "core/ParameterImage.h"

namespace mx {

inline constexpr std::string_view kConfigHeaderText = "Mesurix Configuration File";
inline constexpr std::size_t kConfigHeaderSize = 27;
inline constexpr std::size_t kConfigReservedSize = 100;
inline constexpr std::size_t kConfigImageOffset = 139;
inline constexpr std::size_t kConfigExtensionOffset = kConfigImageOffset + kImageSize;  // 3440
inline constexpr std::size_t kConfigFileSize = kConfigExtensionOffset + kExtensionBlockSize;

// The one message for a rejected file (five blanks at the end belong to it).
inline constexpr std::string_view kInvalidConfigFileText =
    "Invalid Mesurix configuration file.     ";

enum class ConfigParse { Ok, Invalid };

// Why bytes are not a configuration file, first reason found.
enum class ConfigFault { None, TooShort, NoHeader, WrongVersion, WrongImageLength };
ConfigFault FindConfigFault(std::span<const uint8_t> file);
// "too short for a configuration file", ... ; empty for None.
std::string_view ConfigFaultText(ConfigFault fault);

// Checks and reads a file's bytes. On Ok, `image` holds the file's image (no fix-ups yet) and the
// extension block the bytes the file has of it (a short block keeps the rest of `extension`). On
// Invalid neither is touched.
ConfigParse ParseConfigFile(std::span<const uint8_t> file, ParameterImage& image,
                            ExtensionBlock& extension);

std::vector<uint8_t> SerializeConfigFile(const ParameterImage& image,
                                         const ExtensionBlock& extension);

// Whole-file reads and writes. Writing goes to a temporary file in the same folder that replaces
// the target only when everything was written, so a failed save leaves the old file whole. Saving
// replaces the file: a new file takes the old one's owner, group and permissions (never its
// set-ID bits), and other hard links to the old file keep the old contents. A symbolic link is
// followed where the kernel would follow it; folders, devices, pipes and sockets are refused.
struct FileResult {
  bool ok = false;
  std::string error;  // what went wrong, for the user
};
FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes,
                         std::size_t limit = 64 * 1024 * 1024);
FileResult ReadStandardInput(std::vector<uint8_t>& bytes, std::size_t limit = 64 * 1024 * 1024);
FileResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);
// What a save to `path` would refuse or fail at before writing anything: the target itself and
// whether its folder takes new files. For work that should not start when its result cannot be
// kept.
FileResult CheckSaveTarget(const std::string& path);
// Opens `path` for appending (created if missing) under the same rules as a save: links followed
// only where the kernel would (on every part of the path), nothing but a regular file, never a
// wait on a pipe. On success `fd` is a blocking descriptor that the caller closes.
FileResult OpenForAppend(const std::string& path, int& fd);

}  // namespace mx
