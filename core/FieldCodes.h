#pragma once
// What the coded values of the image's fields mean, one namespace per field (named after the field
// in the field table, typed as its elements), so pages, the report and mxtool compare with names
// and a table of allowed values can list them. The gage types live beside the defaults that pick
// them (`gage::` in ImageOperations.h).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterImage.h"

namespace mx {

// The element index of every per-channel field.
namespace channel {
inline constexpr int kA = 0;
inline constexpr int kB = 1;
inline constexpr int kC = 2;
inline constexpr int kD = 3;
inline constexpr int kE = 4;
}  // namespace channel

// `startChannelMode`: channels A..E by their index, then the number the user typed.
namespace startChannel {
inline constexpr uint8_t kCustom = 5;
}  // namespace startChannel

// `readSwitchMode`. The Read Sw tab shows them in another order than their codes.
namespace readSwitch {
inline constexpr uint8_t kDisabled = 0;
inline constexpr uint8_t kSingleRead = 1;
inline constexpr uint8_t kContinuousOnChannel = 2;
inline constexpr uint8_t kSingleReadAll = 3;
inline constexpr uint8_t kContinuousOnAll = 4;
inline constexpr uint8_t kStepStay = 5;
inline constexpr uint8_t kCustomSequence = 6;
inline constexpr uint8_t kStepNext = 7;
inline constexpr uint8_t kStepContinuous = 8;
inline constexpr uint8_t kSendString = 9;
}  // namespace readSwitch

// `outputFormat`.
namespace outputFormat {
inline constexpr uint8_t kStandard = 0;
inline constexpr uint8_t kLeftJustify = 1;
inline constexpr uint8_t kPrinter = 2;
inline constexpr uint8_t kMux10 = 3;
inline constexpr uint8_t kTir = 4;
inline constexpr uint8_t kCustom = 5;
}  // namespace outputFormat

// `idMode`: where the channel identification goes.
namespace idMode {
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kPrefix = 1;
inline constexpr uint8_t kSuffix = 2;
}  // namespace idMode

// `unitsConversion`.
namespace unitsConversion {
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kMmToInch = 1;
inline constexpr uint8_t kInchToMm = 2;
}  // namespace unitsConversion

// `endOfOutputMode`: what follows a channel's output.
namespace endOfOutput {
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kCr = 1;
inline constexpr uint8_t kCrLf = 2;
inline constexpr uint8_t kCustom = 3;
}  // namespace endOfOutput

// `endOfPacketMode`: how the interface knows that an RS232 gage's reading is complete.
namespace endOfPacket {
inline constexpr uint8_t kNone = 0;  // passed through as it comes
inline constexpr uint8_t kCr = 1;
inline constexpr uint8_t kLf = 2;
inline constexpr uint8_t kCustom = 3;  // the character in `endOfPacketChar`
inline constexpr uint8_t kGap = 4;     // a pause of `gapTimeMs`
}  // namespace endOfPacket

// `readCommandMode`: when the interface takes a reading from an RS232 gage.
namespace readCommand {
inline constexpr uint8_t kAcceptAll = 0;
inline constexpr uint8_t kAcceptNext = 1;
inline constexpr uint8_t kHandshakeLow = 2;
inline constexpr uint8_t kCommandString = 3;
}  // namespace readCommand

// `noResponseAction`: what a reading that comes late or not at all does.
namespace noResponse {
inline constexpr uint8_t kAcceptAny = 0;
inline constexpr uint8_t kAcceptLate = 1;
inline constexpr uint8_t kDiscardLate = 2;
}  // namespace noResponse

// `toggleMode`: what the two sides of the toggle switch do.
namespace toggle {
inline constexpr uint8_t kDisabled = 0;
inline constexpr uint8_t kStepBackStepForward = 1;
inline constexpr uint8_t kStepBackRead = 2;
inline constexpr uint8_t kStepBackReadAndStep = 3;
inline constexpr uint8_t kReadChannels = 4;
inline constexpr uint8_t kRestartSequence = 5;
}  // namespace toggle

// `unitsDecimals`, `equationDecimals`: besides 0..6 decimals, as many as the reading has.
namespace decimals {
inline constexpr uint8_t kVariable = 0xFF;
}  // namespace decimals

// The values an interface can hold in the fields that hold codes (a baud rate, a gage type, a
// mode). Values outside these came from a hand-edited file or an import, never from the pages;
// mxtool refuses to write them unless told to keep the file exact.
struct FieldCodes {
  std::string_view field;
  std::span<const int> values;  // a character field's codes are its characters
};

// The codes of `field`; nullptr when any value of its type is one an interface can hold.
const FieldCodes* CodesOf(std::string_view field);

struct CodeViolation {
  std::string element;  // "gageType[A]", as set names it
  std::string value;    // as export writes it
  std::string allowed;  // "0, 1, 2, 3, 4, 5, 6"
};

// Every element of `image` that holds a value outside its field's codes, in table order.
std::vector<CodeViolation> ValuesOutsideCodes(const ParameterImage& image);

}  // namespace mx
