#pragma once
// The communications test's own texts. Several end in blanks, which belong to the text.

#include <string_view>

namespace mx::terminal::text {

inline constexpr std::string_view kUnableToOpen = "Unable to open serial port COM%d:\n";
inline constexpr std::string_view kNotInstalled =
    "This port is not installed or may already be in use.     ";
inline constexpr std::string_view kCaption = "Mesurix Communications Test  --  COM%d:";
// Behind the caption while the window's port is closed, so the title never claims a live line.
inline constexpr std::string_view kCaptionClosed = "  (closed)";
// A port that went away while open (adapter unplugged, the far end of a terminal closed).
inline constexpr std::string_view kPortGone =
    "Serial port COM%d went away (unplugged or closed at the other end) and is now closed.\n"
    "Click \"Serial port  (COM%d)\" to open it again once it is back.";
inline constexpr std::string_view kPortGoneShort = "the device went away; the port is closed";
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

// The window.
inline constexpr std::string_view kStatusGroup = "Status: ";
inline constexpr std::string_view kCtsRow = "CTS  (Input H/S)";
inline constexpr std::string_view kDsrRow = "DSR  (Input H/S)";
inline constexpr std::string_view kRtsRow = "RTS  (Output H/S)";
inline constexpr std::string_view kDtrRow = "DTR  (Output H/S)";
inline constexpr std::string_view kPausedRow = "Paused";
inline constexpr std::string_view kBracesRow = "Characters in { }";
inline constexpr std::string_view kShowCrLfRow = "Show CR & LF in { }";
// What the clickable rows do, as their tips say.
inline constexpr std::string_view kRtsTip = "Set RTS handshake line";
inline constexpr std::string_view kDtrTip = "Set DTR handshake line";
inline constexpr std::string_view kPortTip = "Set RS232 on/off in LinkTest dialog";
inline constexpr std::string_view kPausedTip = "Set RS232 paused in LinkTest dialog";
inline constexpr std::string_view kBracesTip = "Use { } for text in LinkTest dialog";
inline constexpr std::string_view kShowCrLfTip = "Show CR and LF";

inline constexpr std::string_view kListName = "Character list";
inline constexpr std::string_view kCharColumn = "Char";
inline constexpr std::string_view kAsciiColumn = "ASCII";
inline constexpr std::string_view kKeysColumn = "Keys";
inline constexpr std::string_view kPaneName = "Traffic";

inline constexpr std::string_view kFindMx = "Find MX";
inline constexpr std::string_view kCopyright = "Copyright";
inline constexpr std::string_view kCommands = "Commands";
inline constexpr std::string_view kUserDef1 = "User Def 1";
inline constexpr std::string_view kUserDef2 = "User Def 2";
inline constexpr std::string_view kPrint = "Print";
inline constexpr std::string_view kSetup = "Setup";
inline constexpr std::string_view kClear = "Clear ";
inline constexpr std::string_view kHelp = "Help";
inline constexpr std::string_view kExit = "Exit";

// The test strings' progress and the way to end them early.
inline constexpr std::string_view kBurstProgress = "Test strings sent";
inline constexpr std::string_view kStopBurst = "Stop";
inline constexpr std::string_view kBurstStalled =
    "The test strings stopped: the port took no more bytes.";
inline constexpr std::string_view kHeldWhilePaused = "%1 bytes held while paused";
inline constexpr std::string_view kDroppedWhilePaused =
    "%1 bytes held while paused, %2 bytes were dropped while paused";
inline constexpr std::string_view kDroppedButLogged = " (the log has them)";
// Where the pane's text has the hole a long pause left.
inline constexpr std::string_view kGapMark = "[%zu bytes were dropped while paused]\n";
// The traffic counts and their reset.
inline constexpr std::string_view kCounts = "Received %1, sent %2 bytes";
inline constexpr std::string_view kResetCounts = "Reset counts";
inline constexpr std::string_view kLoggingTo = "Logging to %1";

// Printing.
inline constexpr std::string_view kNothingToPrint = "Nothing available to print.     ";
inline constexpr std::string_view kPrintTitle = "Mesurix Communications Test";

// The setup dialog.
inline constexpr std::string_view kPortGroup = "Serial Port: ";
inline constexpr std::string_view kPortChoice = "COM%1:";
inline constexpr std::string_view kEnableAll = "Enable all";
inline constexpr std::string_view kBaudGroup = "Baud Rate: ";
inline constexpr std::string_view kParityGroup = "Parity: ";
inline constexpr std::string_view kDataBitsGroup = "Data Bits: ";
inline constexpr std::string_view kStopBitsGroup = "Stop Bits: ";
inline constexpr std::string_view kUserCommandsGroup = "User Commands: ";
inline constexpr std::string_view kButtonLabel = "Button Label";
inline constexpr std::string_view kCommand = "Command";
inline constexpr std::string_view kPrinterFontGroup = "Printer Font Size: ";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "Cancel";

}  // namespace mx::terminal::text
