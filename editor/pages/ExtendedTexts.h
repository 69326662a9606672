#pragma once
// The Extended tab's texts. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text::extended {

inline constexpr std::string_view kGroupUnits = "Units Conversion:";
inline constexpr std::string_view kMmToInch = "Convert from mm to inch";
inline constexpr std::string_view kInchToMm = "Convert from inch to mm";
inline constexpr std::string_view kDecimalPlaces = "Decimal places";

inline constexpr std::string_view kGroupMath = "Math Functions: ";
inline constexpr std::string_view kAbsoluteValue = "Absolute value";

inline constexpr std::string_view kGroupEquation = "Equation Setup: ";
inline constexpr std::string_view kEnableEquation = "Enable equation";
inline constexpr std::string_view kConstant = "Equation constant  ( A )";
inline constexpr std::string_view kSlope = "Equation slope  ( B )";
inline constexpr std::string_view kResult = "Result = A + B * Measurement";

inline constexpr std::string_view kGroupCustomFeature = "Custom Feature: ";
inline constexpr std::string_view kFuture = "Future";

// Why the whole tab is off, shown as its tooltip.
inline constexpr std::string_view kOffChannelDisabled =
    "This channel is disabled: choose its gage type on the Basic tab.";
inline constexpr std::string_view kOffAsReceived =
    "Off while \"Transfer packet as received\" is ticked on the RS232 tab. To untick it, choose "
    "the gage type RS232 on the Basic tab first.";
inline constexpr std::string_view kOffPassThrough =
    "Off while the RS232 tab's end of packet is \"None  (Immediate pass through mode)\".";

}  // namespace mx::editor::text::extended
