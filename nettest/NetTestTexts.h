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

// Menus, their commands and the status bar prompts of the commands.
inline constexpr std::string_view kMenuNew = "&New";
inline constexpr std::string_view kPromptNew = "Create a new document";
inline constexpr std::string_view kMenuOpen = "&Open...";
inline constexpr std::string_view kPromptOpen = "Open an existing document";
inline constexpr std::string_view kMenuSave = "&Save";
inline constexpr std::string_view kPromptSave = "Save the active document";
inline constexpr std::string_view kMenuSaveAs = "Save &As...";
inline constexpr std::string_view kPromptSaveAs = "Save the active document with a new name";
inline constexpr std::string_view kMenuExit = "E&xit";
inline constexpr std::string_view kPromptExit = "Quit the application";
inline constexpr std::string_view kPromptLogToFile =
    "Record the traffic with time stamps in a text file";
inline constexpr std::string_view kMenuFile = "&File";
inline constexpr std::string_view kMenuCut = "Cu&t";
inline constexpr std::string_view kPromptCut = "Cut the selection and put it on the Clipboard";
inline constexpr std::string_view kMenuCopy = "&Copy";
inline constexpr std::string_view kPromptCopy = "Copy the selection and put it on the Clipboard";
inline constexpr std::string_view kMenuPaste = "&Paste";
inline constexpr std::string_view kPromptPaste = "Insert Clipboard contents";
inline constexpr std::string_view kMenuEdit = "&Edit";
inline constexpr std::string_view kToolbarTitle = "Toolbar";
inline constexpr std::string_view kMenuView = "&View";
inline constexpr std::string_view kMenuToolbar = "&Toolbar";
inline constexpr std::string_view kPromptToolbar = "Show or hide the toolbar";
inline constexpr std::string_view kMenuStatusBar = "&Status Bar";
inline constexpr std::string_view kPromptStatusBar = "Show or hide the status bar";
inline constexpr std::string_view kMenuUserButtons = "User pushbuttons";
inline constexpr std::string_view kPromptUserButtons =
    "Define labels & commands for the user buttons";
inline constexpr std::string_view kMenuPreferences = "Preferences";
inline constexpr std::string_view kPromptPreferences = "Set the user preferences";
inline constexpr std::string_view kMenuBraces = "Characters in { }";
inline constexpr std::string_view kPromptBraces = "Show special characters in { }";
inline constexpr std::string_view kMenuCrLf = "Change output CR to CR + LF";
inline constexpr std::string_view kMenuBeep = "Beep at end-of-packet";
inline constexpr std::string_view kPromptBeep = "Beep when end-of-packet character is received";
inline constexpr std::string_view kMenuNewLine = "Start new line in RxD/TxD window";
inline constexpr std::string_view kPromptNewLine = "Start a new line in the RxD/TxD window";
inline constexpr std::string_view kMenuClearTraffic = "Clear RxD/TxD window";
inline constexpr std::string_view kPromptClearTraffic = "Clear the data in the RxD/TxD window";
inline constexpr std::string_view kMenuClearCommand = "Clear send command window";
inline constexpr std::string_view kPromptClearCommand = "Clear the data in the send command window";
inline constexpr std::string_view kMenuConfigure = "Configure";
inline constexpr std::string_view kMenuAbout = "&About LinkTest_Network...";
inline constexpr std::string_view kPromptAbout =
    "Display program information, version number and copyright";
inline constexpr std::string_view kMenuHelp = "&Help";
inline constexpr std::string_view kOpenTitle = "Open";
inline constexpr std::string_view kSaveAsTitle = "Save As";
inline constexpr std::string_view kMenuSelectAll = "Select &All";

// The window's controls.
inline constexpr std::string_view kGroupConnection = "Network connection: ";
inline constexpr std::string_view kClient = "Client";
inline constexpr std::string_view kServer = "Server";
inline constexpr std::string_view kInactive = "Inactive";
inline constexpr std::string_view kServerField = "Server";
inline constexpr std::string_view kPortField = "Port ";
inline constexpr std::string_view kAddress = "Address";
inline constexpr std::string_view kPort = "Port";
inline constexpr std::string_view kSend = "Send";
inline constexpr std::string_view kClear = "Clear";
inline constexpr std::string_view kUserButton = "U %1";  // %1: 1..
inline constexpr std::string_view kTrafficLabel =
    "Received data (yellow) && Transmitted data (green)";
inline constexpr std::string_view kSendLabel = "Command to be sent with \"Send\" button";

// The dialogs.
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kPreferencesTitle = "Preferences";
inline constexpr std::string_view kGroupEndOfPacket = "End-of-Packet Character: ";
inline constexpr std::string_view kCarriageReturn = "Carriage return  (ASCII 13)";
inline constexpr std::string_view kLineFeed = "Linefeed  (ASCII 10)";
inline constexpr std::string_view kGroupFontSize = "Font Size: ";
inline constexpr std::string_view kUserButtonsTitle = "User Pushbuttons";
inline constexpr std::string_view kButtonLabel = "Button Label";
inline constexpr std::string_view kCommandString = "Command String";

}  // namespace mx::nettest::text
