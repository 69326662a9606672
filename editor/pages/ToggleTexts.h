#pragma once
// The Toggle Sw tab's texts. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text::toggle {

inline constexpr std::string_view kGroupOperation =
    "Toggle Switch Operation  (Mesurix5 and Mesurix6): ";
inline constexpr std::string_view kStepBack = "Toggle left = Step back";
inline constexpr std::string_view kStepForward = "Toggle right = Step forward";
inline constexpr std::string_view kRestartSequence = "Toggle right = Restart custom read sequence";
inline constexpr std::string_view kChannelAOnly = "Only applies to channel A read switch";
inline constexpr std::string_view kMaxChannel = "Maximum channel number (1 to 99)";
inline constexpr std::string_view kDisabled = "Disabled";
inline constexpr std::string_view kReadActive = "Toggle right = Read active channel";
inline constexpr std::string_view kReadActiveStep =
    "Toggle right = Read active channel and step forward";
inline constexpr std::string_view kLeftReadChannels = "Toggle left = Read channels";
inline constexpr std::string_view kRightReadChannels = "Toggle right = Read channels";
// The two columns of channels read by each direction.
inline constexpr std::string_view kLeftColumn = "Toggle left";
inline constexpr std::string_view kRightColumn = "Toggle right";
inline constexpr std::string_view kChannel = "Channel %1";
inline constexpr std::string_view kSingleRead = "Single read";
inline constexpr std::string_view kContinuousRead = "Continuous read";
// The four "Step back" buttons differ only by what the right direction does; a screen reader
// announces both halves.
inline constexpr std::string_view kOperationName = "%1, %2";

}  // namespace mx::editor::text::toggle
