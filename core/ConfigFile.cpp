#include "core/ConfigFile.h"

#include <algorithm>

namespace mx {

namespace {

// The file compares its header and version as NUL-terminated texts in fixed fields: the text must
// fill the field up to a terminator at its end.
bool FieldHoldsText(std::span<const uint8_t> field, std::string_view text) {
  return field.size() == text.size() + 1 && std::equal(text.begin(), text.end(), field.begin()) &&
         field.back() == 0;
}

constexpr std::size_t kVersionOffset = kConfigHeaderSize;  // 27
constexpr std::size_t kVersionSize = 10;
constexpr std::string_view kFormatVersion{"1.00     \0", kVersionSize};
constexpr std::size_t kLengthOffset = kVersionOffset + kVersionSize;  // 37
constexpr std::size_t kReservedOffset = kLengthOffset + 2;            // 39

}  // namespace

ConfigFault FindConfigFault(std::span<const uint8_t> file) {
  if (file.size() < kConfigImageOffset + kImageSize)
    return ConfigFault::TooShort;
  if (!FieldHoldsText(file.subspan(0, kConfigHeaderSize), kConfigHeaderText))
    return ConfigFault::NoHeader;
  if (!FieldHoldsText(file.subspan(kVersionOffset, kVersionSize),
                      kFormatVersion.substr(0, kVersionSize - 1))) {
    return ConfigFault::WrongVersion;
  }
  const unsigned length = file[kLengthOffset] + 256u * file[kLengthOffset + 1];  // little-endian
  if (length != kImageSize)
    return ConfigFault::WrongImageLength;
  return ConfigFault::None;
}

std::string_view ConfigFaultText(ConfigFault fault) {
  switch (fault) {
    case ConfigFault::None:
      break;
    case ConfigFault::TooShort:
      return "too short to hold a parameter image";
    case ConfigFault::NoHeader:
      return "no \"Mesurix Configuration File\" header";
    case ConfigFault::WrongVersion:
      return "a file format version other than 1.00";
    case ConfigFault::WrongImageLength:
      return "a parameter image length other than 3301";
  }
  return {};
}

ConfigParse ParseConfigFile(std::span<const uint8_t> file, ParameterImage& image,
                            ExtensionBlock& extension) {
  if (FindConfigFault(file) != ConfigFault::None)
    return ConfigParse::Invalid;

  std::copy_n(file.begin() + kConfigImageOffset, kImageSize, image.Bytes().begin());
  // A short extension block is accepted; what the file lacks keeps its previous value.
  const std::size_t extra = std::min(kExtensionBlockSize, file.size() - kConfigExtensionOffset);
  std::copy_n(file.begin() + kConfigExtensionOffset, extra, extension.bytes.begin());
  return ConfigParse::Ok;
}

std::vector<uint8_t> SerializeConfigFile(const ParameterImage& image,
                                         const ExtensionBlock& extension) {
  std::vector<uint8_t> file;
  file.reserve(kConfigFileSize);
  file.insert(file.end(), kConfigHeaderText.begin(), kConfigHeaderText.end());
  file.push_back(0);
  // The loader checks these two copies, so they are always written as it expects them. Taking
  // them from the image instead would let an image with a damaged header (one received from an
  // interface, say) be saved into a file that can never be opened again.
  file.insert(file.end(), kFormatVersion.begin(), kFormatVersion.end());
  file.push_back(static_cast<uint8_t>(kImageSize & 0xFF));
  file.push_back(static_cast<uint8_t>(kImageSize >> 8));
  const auto& bytes = image.Bytes();
  file.insert(file.end(), kConfigReservedSize, uint8_t{0});
  file.insert(file.end(), bytes.begin(), bytes.end());
  file.insert(file.end(), extension.bytes.begin(), extension.bytes.end());
  static_assert(kReservedOffset + kConfigReservedSize == kConfigImageOffset);
  return file;
}

}  // namespace mx
