#pragma once
// The texts of the device command windows (the device link brings its own messages).

#include <string_view>

namespace mx::editor::text {

// Device command windows.
inline constexpr std::string_view kProgressCancel = "&Cancel";
inline constexpr std::string_view kPortUnavailable = "%1: %2";
inline constexpr std::string_view kTransferLogNotWritten = "The transfer log was not written: %1";

}  // namespace mx::editor::text
