#pragma once
// The device link's own texts. Many end in five blanks, which belong to the text.

#include <string_view>

namespace mx::msg {

inline constexpr std::string_view kMessageCaption = "Mesurix Setup";

inline constexpr std::string_view kCannotFind = "Cannot find a Mesurix interface.     ";
inline constexpr std::string_view kCheckingPort = "Checking serial port COM%d";
inline constexpr std::string_view kCheckingBaud = "Checking baud rate %d";
inline constexpr std::string_view kLocated = "Mesurix located on current serial port.";

inline constexpr std::string_view kReading = "Reading parameter data from the Mesurix";
inline constexpr std::string_view kSending = "Sending parameter data to the Mesurix";
inline constexpr std::string_view kUnableToRead =
    "Unable to read the parameters from the Mesurix.     ";
inline constexpr std::string_view kInvalidChecksum =
    "Invalid checksum on parameters received from the Mesurix.     ";
inline constexpr std::string_view kReceived =
    "Complete set of parameters received from the Mesurix.     ";
inline constexpr std::string_view kNetworkUnreadable =
    "Could not read current network settings in the Mesurix.     \nParameter transfer failed.";
inline constexpr std::string_view kAcknowledged =
    "Mesurix acknowledged successful transfer of parameters.\n";
inline constexpr std::string_view kWaitForReset =
    "Wait for Mesurix to reset before sending additional requests.     ";
inline constexpr std::string_view kTransferFailed =
    "Mesurix indicated parameter transfer failed.     \n\n";
inline constexpr std::string_view kNoResponse =
    "Unknown or no response from the Mesurix.     \nParameter transfer failed.";

// Connection status lines of the Status tab.
inline constexpr std::string_view kNetworkNotSupported = "Network communications not supported";
inline constexpr std::string_view kNetworkDisabled = "Network disabled";
inline constexpr std::string_view kNetworkUnknown = "Could not read current network configuration";
inline constexpr std::string_view kClient = "Client";
inline constexpr std::string_view kServer = "Server";

}  // namespace mx::msg
