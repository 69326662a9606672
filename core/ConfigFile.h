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
#include "core/FileIo.h"
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

enum class [[nodiscard]] ConfigParse{Ok, Invalid};

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

}  // namespace mx
