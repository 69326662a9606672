#pragma once
// The texts of the Copy Channels and Reset dialogs. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text {

// Copy Channels and Reset dialogs.
inline constexpr std::string_view kCopyTitle = "Copy Channels";
inline constexpr std::string_view kGroupSource = "Source: ";
inline constexpr std::string_view kGroupTargets = "Targets: ";
inline constexpr std::string_view kChannelName = "Channel %1";
inline constexpr std::string_view kCopy = "Copy";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kResetTitle = "Reset to Default Values";
inline constexpr std::string_view kGroupResetWhat = "Parameters to Reset: ";
inline constexpr std::string_view kResetStatus = "Status tab parameters";
inline constexpr std::string_view kResetNetwork = "Network tab parameters";
inline constexpr std::string_view kSelectAll = "Select All";
inline constexpr std::string_view kReset = "Reset";

}  // namespace mx::editor::text
