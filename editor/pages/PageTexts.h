#pragma once
// The texts of the tab row: the seven captions (the last four follow the channel prefix) and the
// note of a tab that is not built yet. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text {

// Tabs.
inline constexpr std::string_view kTabStatus = " Status ";
inline constexpr std::string_view kTabNetwork = " Network ";
inline constexpr std::string_view kTabToggle = " Toggle Sw ";
inline constexpr std::string_view kTabBasic = "Basic ";
inline constexpr std::string_view kTabReadSwitch = "Read Sw ";
inline constexpr std::string_view kTabRs232 = "RS232 ";
inline constexpr std::string_view kTabExtended = "Extended ";

}  // namespace mx::editor::text
