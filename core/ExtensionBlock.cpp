#include "core/ExtensionBlock.h"

#include <algorithm>
#include <string_view>

namespace mx {

namespace {
constexpr std::string_view kVersion{"1.00     \0", 10};
}

void ExtensionBlock::ResetToDefaults() {
  bytes.fill(0);
  std::copy(kVersion.begin(), kVersion.end(), bytes.begin());
  bytes[10] = static_cast<uint8_t>(kExtensionBlockSize & 0xFF);
  bytes[11] = static_cast<uint8_t>(kExtensionBlockSize >> 8);
}

bool ExtensionBlock::IsDefault() const {
  ExtensionBlock fresh;
  fresh.ResetToDefaults();
  return fresh == *this;
}

}  // namespace mx
