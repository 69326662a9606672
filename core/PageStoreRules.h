#pragma once
// What storing the editor's pages does to settings the pages cannot show as the image holds them.
// The editor's pages call these when they store; whatever prints a file without the editor (mxtool
// report) applies the same functions, so both print the same values for the same file.

#include <string>
#include <string_view>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"

namespace mx {

// The description box holds this many characters; the rest is not stored.
inline constexpr int kDescriptionLimit = 79;

// The host line as a freshly started editor stores it: a baud rate, parity, handshake or starting
// channel the Status tab has no button for leaves the button the new document checked (the
// default), and the data bits always follow the parity (None 8, Even and Odd 7). The starting
// channel's number follows the channel chosen (a typed number is held to 1..98).
void ApplyHostSerialRules(ParameterImage& image);

// Reading counts are 0..kReadingCountLimit. Calculated results need some readings to work on: a
// count of 0 with them included is stored as kCountWithCalculated.
inline constexpr int kReadingCountLimit = 30000;
inline constexpr int kCountWithCalculated = 5;

// A number box of the pages: the characters it takes, the range it stores, and whether 0 shows as
// an empty box. The pages build their boxes from these, and what a box makes of a value it loads
// is what NumberBoxText and StoredNumber make of it.
struct NumberBox {
  int maxLength;
  long long lowest = 0;
  long long highest = 0;
  bool emptyForZero = true;
};
namespace box {
inline constexpr NumberBox kReadingCount{.maxLength = 5, .highest = kReadingCountLimit};
inline constexpr NumberBox kOrder{.maxLength = 1, .highest = 9};
inline constexpr NumberBox kContactBounce{.maxLength = 4, .highest = 1000, .emptyForZero = false};
inline constexpr NumberBox kGapTime{
    .maxLength = 4, .lowest = 20, .highest = 2000, .emptyForZero = false};
inline constexpr NumberBox kCharPosition{.maxLength = 3, .highest = 999, .emptyForZero = false};
inline constexpr NumberBox kHandshakeLow{.maxLength = 4, .highest = 1000, .emptyForZero = false};
inline constexpr NumberBox kResponseWait{.maxLength = 4, .highest = 5000, .emptyForZero = false};
inline constexpr NumberBox kBasePort{
    .maxLength = 5, .lowest = 1, .highest = 65530, .emptyForZero = false};
inline constexpr NumberBox kToggleMaxChannel{.maxLength = 3, .lowest = 1, .highest = 99};
inline constexpr NumberBox kStartChannel{
    .maxLength = 2, .lowest = 1, .highest = 98, .emptyForZero = false};
}  // namespace box

// The number at the start of a text the way "%d" reads it: blanks, a sign, digits; no number is 0.
long long ReadInteger(std::string_view text);
// What the box shows of an image value: a 32-bit count as "%d" prints it, cut to the box's length.
std::string NumberBoxText(const NumberBox& box, long long value);
// What the box stores of the text it shows: the number, held to the box's range.
long long StoredNumber(const NumberBox& box, std::string_view text);
// Both: what storing a box writes of the value it loaded.
long long ReloadedNumber(const NumberBox& box, long long value);

// The calculated-results count as stored from the count its box stores.
long long StoredReadingCount(const ParameterImage& image, int channel, long long count);

// The toggle switch follows the read switch: the custom sequence shown on the LED restarts with
// it, a stepping read switch makes it step forward, and those two modes are otherwise not
// allowed. Returns what the toggle page lets the user choose.
enum class ToggleChoice {
  None,             // the model has no toggle switch
  RestartSequence,  // fixed: restart the custom sequence
  StepForward,      // fixed: step forward
  Free,             // any mode but the two fixed ones
};
ToggleChoice ApplyToggleRules(ParameterImage& image, ModelIndex model);

// The step modes of the read switch need the toggle switch: on a model without one, the shown
// channel's step mode is stored as a single read.
bool IsStepMode(int readSwitchMode);
void ApplyReadSwitchRule(ParameterImage& image, ModelIndex model, int channel);

// A model whose inputs are all RS232 has no digital gage: any other type but "disabled" loads as an
// RS232 gage.
void ApplyGageRule(ParameterImage& image, ModelIndex model, int channel);

// The Network tab: a target beyond the active network channels is cleared, check boxes store 0 or
// 1, and readings that have no target go to the RS232 port.
void ApplyNetworkRules(ParameterImage& image);

// The toggle switch's highest channel: a number below 1 means the default.
inline constexpr int kDefaultToggleMaxChannel = 4;
long long ToggleMaxChannel(long long typed);

// What a text box of the pages stores: at most `limit` characters (0: as many as the field holds
// before its terminator).
void ApplyTextBoxRule(ParameterImage& image, Field<FieldType::Text> field, int element,
                      int limit = 0);

// Character positions start at 1 or later, and end no earlier than they start (else 10 on).
void ApplyCharPositionRule(ParameterImage& image, int channel);

// Every rule above, as storing the pages applies them with `channel` shown.
void ApplyPageStoreRules(ParameterImage& image, ModelIndex model, int channel);

}  // namespace mx
