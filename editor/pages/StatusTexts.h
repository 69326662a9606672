#pragma once
// The Status tab's texts. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text {

// Status tab.
inline constexpr std::string_view kGroupConnection = "Connection Status: ";
inline constexpr std::string_view kLineSerial = "Serial communications";
inline constexpr std::string_view kLineNetwork = "Network setup";
inline constexpr std::string_view kLineSerialNumber = "Serial number";
inline constexpr std::string_view kLineModelVersion = "Model & Version";
inline constexpr std::string_view kEquals = "=";
inline constexpr std::string_view kFindTop = "Find";
inline constexpr std::string_view kFindBottom = "Mesurix";
inline constexpr std::string_view kGroupModel = "Mesurix Model: ";
inline constexpr std::string_view kGroupHostSerial = "Mesurix Communications Setup: ";
inline constexpr std::string_view kGroupBaud = "Baud Rate: ";
inline constexpr std::string_view kGroupParity = "Parity: ";
inline constexpr std::string_view kGroupDataBits = "Data Bits: ";
inline constexpr std::string_view kGroupStopBits = "Stop Bits: ";
inline constexpr std::string_view kGroupHandshake = "Handshake: ";
inline constexpr std::string_view kGroupStartChannel = "Starting Channel: ";
inline constexpr std::string_view kGroupDescription = "Description: ";
inline constexpr std::string_view kGroupDefaultButton = "Default Pushbutton: ";
inline constexpr std::string_view kEnableButton = "Enable button";
inline constexpr std::string_view kCustom = "Custom";
inline constexpr std::string_view kNone = "None";
inline constexpr std::string_view kEven = "Even";
inline constexpr std::string_view kOdd = "Odd";
inline constexpr std::string_view kHardware = "Hardware";
inline constexpr std::string_view kStartChannel = "Channel %1  ( %2 )";

}  // namespace mx::editor::text
