#pragma once
// The communications test's own texts. Several end in blanks, which belong to the text.

#include <string_view>

namespace mx::terminal::text {

inline constexpr std::string_view kUnableToOpen = "Unable to open serial port COM%d:\n";
inline constexpr std::string_view kNotInstalled =
    "This port is not installed or may already be in use.     ";
inline constexpr std::string_view kCaption = "Mesurix Communications Test  --  COM%d:";
inline constexpr std::string_view kPortItem = "Serial port  (COM%d)";
inline constexpr std::string_view kPortItemNoPort = "Serial port";
inline constexpr std::string_view kSetupCaption = "Communications Test Setup: ";

// The two fixed request buttons type these.
inline constexpr std::string_view kCopyrightRequest = "<*";
inline constexpr std::string_view kCommandsRequest = "<H";

// The modem-line lamps of a device that has no modem lines.
inline constexpr std::string_view kNoModemLines =
    "This port has no modem lines (a pseudo-terminal or a USB adapter without them), so their "
    "state is unknown.";

}  // namespace mx::terminal::text
