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

// Refusals while typing.
inline constexpr std::string_view kBeyondLatin1 =
    "Only Latin-1 characters can be stored; this one cannot.";
inline constexpr std::string_view kOctetRange =
    "%1 is not a valid address part: each part is a number from 0 to 255.";

}  // namespace mx::editor::text
