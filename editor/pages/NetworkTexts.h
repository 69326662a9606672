#pragma once
// The Network tab's texts. Trailing blanks belong to the texts; the target captions are formats
// (channel number, then its port).

#include <string_view>

namespace mx::editor::text::network {

inline constexpr std::string_view kGroupSetup = "Network Setup";
inline constexpr std::string_view kEnable = "Enable network connection";
inline constexpr std::string_view kUpdate = "Update network settings";
inline constexpr std::string_view kClient = "Client  (not currently supported)";
inline constexpr std::string_view kServer = "Server";
inline constexpr std::string_view kAddress = "TCP/IP address";
inline constexpr std::string_view kMask = "Subnet mask";
inline constexpr std::string_view kBasePort = "Base port number";
inline constexpr std::string_view kChannelCount = "Active network channels";
inline constexpr std::string_view kGatewayEnable = "Specify default gateway";
inline constexpr std::string_view kGateway = "Default gateway";

inline constexpr std::string_view kGroupTargets = "Measurement Output Targets: ";
inline constexpr std::string_view kRs232Port = "RS232 port";
inline constexpr std::string_view kTarget = "Network channel %d";
inline constexpr std::string_view kTargetWithPort = "Network channel %d     ( Port = %d )";
inline constexpr std::string_view kSourceHeading = "Channel Data Source";
inline constexpr std::string_view kAll = "All";
// A grid box is announced as its row's target and its column: "RS232 port: All".
inline constexpr std::string_view kGridBoxName = "%1: %2";
// The tooltip of the greyed settings while they are not being changed.
inline constexpr std::string_view kFileSettingsOnly =
    "The settings stored in the file. The interface keeps its own unless \"Update network "
    "settings\" is ticked.";

}  // namespace mx::editor::text::network
