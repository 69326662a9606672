#pragma once
// The Read Sw tab's texts. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text::readsw {

inline constexpr std::string_view kGroupOperation = "Read Switch Operation: ";
inline constexpr std::string_view kDisabled = "Disabled";
inline constexpr std::string_view kSingleOnChannel = "Single read on channel";
inline constexpr std::string_view kContinuousOnChannel = "Continuous read on channel";
inline constexpr std::string_view kSingleOnAll = "Single read on all channels";
inline constexpr std::string_view kContinuousOnAll = "Continuous read on all channels";
inline constexpr std::string_view kSendString = "Send string to host computer";
inline constexpr std::string_view kMaximumLength = "(maximum length = 40 characters)";
inline constexpr std::string_view kCustomSequence = "Custom read sequence";
inline constexpr std::string_view kUseLed = "Use LED to show next channel to read";
inline constexpr std::string_view kStepStay = "Single read on a channel & stay on current channel";
inline constexpr std::string_view kStepNext = "Single read on a channel & step to next channel";
inline constexpr std::string_view kStepContinuous =
    "Continuous read on a channel & stay on current channel";
inline constexpr std::string_view kStepModeLabel = "Step mode for Mesurix5 and Mesurix6";
inline constexpr std::string_view kPressAndHold =
    "Press and hold read switch for continuous read & TIR operations.";
inline constexpr std::string_view kPressAndRelease =
    "Press and release read switch to start continuous read & TIR operations.  To stop, press & "
    "release read switch.";

inline constexpr std::string_view kGroupContactBounce = "Contact Bounce: ";
inline constexpr std::string_view kOpenTime =
    "Time read switch must be open before next switch closure";
inline constexpr std::string_view kMsec = "msec";

}  // namespace mx::editor::text::readsw
