#pragma once
// Every fixed text the network test terminal shows, in one place. Users and their scripts look for
// these exact texts, odd spellings ("LinkText", "Receieve") included; keep them as they are.

#include <string_view>

namespace mx::nettest::text {

inline constexpr std::string_view kAppName = "LinkTest_Network";
inline constexpr std::string_view kOrganisation = "Brantwick Systems";
inline constexpr std::string_view kCaptionPrefix = "LinkTest_Network - ";
inline constexpr std::string_view kUntitled = "untitled";
inline constexpr std::string_view kDefaultFileName = "default.ltn";
inline constexpr std::string_view kFileFilter = "LinkTest_Network Files (*.ltn)";

// About box.
inline constexpr std::string_view kAboutTitle = "About LinkTest_Network";
inline constexpr std::string_view kAboutProduct = "Network Communications Test Program";
inline constexpr std::string_view kVersion = "1.0.1.1";
inline constexpr std::string_view kAboutNotice =
    "Copyright \u00a9 Brantwick Systems. All rights reserved.\n"
    "Tests the TCP/IP link of Mesurix Network-model gage interfaces.\n"
    "For help with Mesurix interfaces, contact Brantwick Systems support.";

// Loading and saving.
inline constexpr std::string_view kInvalidDataFile = "Invalid LinkText_Network data file:\n";
inline constexpr std::string_view kDamagedDataFile =
    "The file is damaged or incomplete and was not loaded:\n";
inline constexpr std::string_view kDefaultsKept = "\n\nThe default settings are in effect.";
inline constexpr std::string_view kCannotOpenFile = "Cannot open the file:\n";
inline constexpr std::string_view kFileTooLarge =
    "The file is too large to be a LinkTest_Network document:\n";
inline constexpr std::string_view kCannotSaveFile = "Cannot save the file:\n";

// Connection layer.
inline constexpr std::string_view kActionStartListening = "Start Listening for Client";
inline constexpr std::string_view kActionStopListening = "Stop Listening for Client";
inline constexpr std::string_view kActionConnect = "Connect to Server";
inline constexpr std::string_view kActionClose = "Close Connection";
inline constexpr std::string_view kActionCancelConnect = "Connecting...  (click to cancel)";

inline constexpr std::string_view kCaptionClient = "Client:";
inline constexpr std::string_view kCaptionServer = "Server:";
inline constexpr std::string_view kCaptionClientLocal = "Client  (local machine):";
inline constexpr std::string_view kCaptionServerRemote = "Server  (remote device):";
inline constexpr std::string_view kCaptionClientRemote = "Client  (remote device):";
inline constexpr std::string_view kCaptionServerLocal = "Server  (local machine):";

inline constexpr std::string_view kMissingServerAddress = "Missing server IP address or name";
inline constexpr std::string_view kInvalidPort = "Invalid port number\nValid range is 1 to 65535";
inline constexpr std::string_view kError101 = "Error Code 101\nFailed to connect to the client.";
inline constexpr std::string_view kError102 =
    "Error Code 102\nFailed to create client socket:\nError = ";
inline constexpr std::string_view kError103 =
    "Error Code 103\nCannot connect to the server:\n     ";
inline constexpr std::string_view kError201 =
    "Error Code 201\nCannot open the listening socket:\n     ";
inline constexpr std::string_view kError202 =
    "Error Code 202\nCannot create the listening socket:\n     ";
inline constexpr std::string_view kAcceptFailed = "Server could not accept the client connection";
inline constexpr std::string_view kReceiveError = "Receieve error:\n\n";
inline constexpr std::string_view kUnknownError = "Unknown error";

// The connection's state, kept in the status bar.
inline constexpr std::string_view kStateReady = "Ready";
inline constexpr std::string_view kStateListening = "Listening for a client on port ";
inline constexpr std::string_view kStateConnectedToServer = "Connected to server ";
inline constexpr std::string_view kStateConnectedToClient = "Connected to client ";

// Status bar notes about the connection (not message boxes: nothing is wrong with the window).
inline constexpr std::string_view kStatusConnecting = "Connecting to ";
inline constexpr std::string_view kStatusSecondRefused =
    "A second client tried to connect and was refused; the active connection stays open: ";

}  // namespace mx::nettest::text
