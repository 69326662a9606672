#pragma once
// The second block of a configuration file. Nothing uses its contents; it is kept as read and
// written back unchanged, and only a new document or a reset to defaults refills it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace mx {

inline constexpr std::size_t kExtensionBlockSize = 4186;

struct ExtensionBlock {
  std::array<uint8_t, kExtensionBlockSize> bytes{};

  void ResetToDefaults();
  bool IsDefault() const;
  bool operator==(const ExtensionBlock&) const = default;
};

}  // namespace mx
