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
std::string LimitDescription(std::string_view description);

// The host line as a freshly started editor stores it: a baud rate, parity or handshake the
// Status tab has no button for leaves the button the new document checked (the default), and
// the data bits always follow the parity (None 8, Even and Odd 7).
void ApplyHostSerialRules(ParameterImage& image);

// Calculated results need some readings to work on: a count of 0 with them included is stored as
// this many; any count is stored within 0..kReadingCountLimit.
inline constexpr int kReadingCountLimit = 30000;
inline constexpr int kCountWithCalculated = 5;
long long StoredReadingCount(const ParameterImage& image, int channel, long long typed);

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

// Every rule above, as storing the pages applies them with `channel` shown.
void ApplyPageStoreRules(ParameterImage& image, ModelIndex model, int channel);

}  // namespace mx
