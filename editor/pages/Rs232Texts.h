#pragma once
// The RS232 tab's texts. Trailing blanks belong to the texts. The baud, parity, data and stop bit
// groups share their captions with the Status tab (StatusTexts.h).

#include <string_view>

namespace mx::editor::text::rs232 {

inline constexpr std::string_view kGroupEndOfPacket = "End of Packet Identifier: ";
inline constexpr std::string_view kEndNone = "None  (Immediate pass through mode)";
inline constexpr std::string_view kEndCr = "Carriage return  (hex = 0d)";
inline constexpr std::string_view kEndLf = "Line feed  (hex = 0a)";
inline constexpr std::string_view kEndCustom = "Custom  (hex values only)";
inline constexpr std::string_view kEndGap = "Gap time";
inline constexpr std::string_view kMsec = "msec";

inline constexpr std::string_view kGroupParsing = "Parsing: ";
inline constexpr std::string_view kRemoveEnd = "Remove end-of-packet character";
inline constexpr std::string_view kCharPositions = "Character positions";
inline constexpr std::string_view kStart = "Start";
inline constexpr std::string_view kEnd = "End";
inline constexpr std::string_view kFindNumeric = "Find first numeric field";
inline constexpr std::string_view kTransfer = "Transfer packet as received";

inline constexpr std::string_view kGroupLevel = "Handshake Level: ";
inline constexpr std::string_view kLevelHigh = "High  (default setting)";
inline constexpr std::string_view kLevelLow = "Low";

inline constexpr std::string_view kGroupReadCommand = "Read Command:";
inline constexpr std::string_view kAcceptAll = "Accept  all readings from serial device";
inline constexpr std::string_view kAcceptNext =
    "Accept next reading with read switch press or computer command";
inline constexpr std::string_view kHandshakeLow = "Set handshake low for ";
inline constexpr std::string_view kCommandString = "Command string";

inline constexpr std::string_view kGroupResponse = "Device Response Time: ";
inline constexpr std::string_view kWaitTime = "Time to wait for reading";
inline constexpr std::string_view kAction = "Action to take if device does not respond";
inline constexpr std::string_view kAcceptAny = "Accept any reading when it arrives";
inline constexpr std::string_view kAcceptLate = "Accept this reading whenever it arrives";
inline constexpr std::string_view kDiscardLate =
    "Discard this reading if it arrives after wait time";

inline constexpr std::string_view kGroupChaining = "Mesurix Chaining: ";
inline constexpr std::string_view kChainCommands = "Send commands to next Mesurix in chain";
inline constexpr std::string_view kChainDefaultBaud = "Set channel E to default Mesurix baud";

}  // namespace mx::editor::text::rs232
