#include "core/PageStoreRules.h"

#include <algorithm>
#include <array>

#include "core/ImageOperations.h"

namespace mx {

namespace {

constexpr std::array<uint16_t, 5> kHostBauds = {1200, 2400, 4800, 9600, 19200};
constexpr std::string_view kHostParities = "NEO";

// Codes of toggleMode and readSwitchMode the rules name.
constexpr uint8_t kToggleDisabled = 0;
constexpr uint8_t kToggleStepForward = 1;
constexpr uint8_t kToggleRestartSequence = 5;
constexpr uint8_t kCustomSequence = 6;

bool IsStepMode(int readSwitchMode) {
  return readSwitchMode == 5 || readSwitchMode == 7 || readSwitchMode == 8;
}

}  // namespace

std::string LimitDescription(std::string_view description) {
  return std::string(description.substr(0, static_cast<std::size_t>(kDescriptionLimit)));
}

void ApplyHostSerialRules(ParameterImage& image) {
  ParameterImage defaults;
  ResetHostSerialDefaults(defaults);
  if (std::find(kHostBauds.begin(), kHostBauds.end(), image.Get(fld::hostBaud)) ==
      kHostBauds.end()) {
    image.Set(fld::hostBaud, defaults.Get(fld::hostBaud));
  }
  if (kHostParities.find(image.Get(fld::hostParity)) == std::string_view::npos)
    image.Set(fld::hostParity, defaults.Get(fld::hostParity));
  image.Set(fld::hostDataBits, image.Get(fld::hostParity) == 'N' ? '8' : '7');
  if (image.Get(fld::hostHandshake) > 1)
    image.Set(fld::hostHandshake, defaults.Get(fld::hostHandshake));
}

long long StoredReadingCount(const ParameterImage& image, int channel, long long typed) {
  const long long count = std::clamp<long long>(typed, 0, kReadingCountLimit);
  if (image.Get(fld::includeCalculated, channel) == 1 && count == 0)
    return kCountWithCalculated;
  return count;
}

ToggleChoice ApplyToggleRules(ParameterImage& image, ModelIndex model) {
  if (!HasToggleSwitch(model))
    return ToggleChoice::None;
  bool stepMode = false;
  for (int c = 0; c < kChannelCount; ++c)
    stepMode = stepMode || IsStepMode(image.Get(fld::readSwitchMode, c));
  if (image.Get(fld::readSwitchMode, 0) == kCustomSequence && image.Get(fld::useLedForNext) == 1) {
    image.Set(fld::toggleMode, kToggleRestartSequence);
    return ToggleChoice::RestartSequence;
  }
  if (stepMode) {
    image.Set(fld::toggleMode, kToggleStepForward);
    return ToggleChoice::StepForward;
  }
  const uint8_t mode = image.Get(fld::toggleMode);
  if (mode == kToggleStepForward || mode == kToggleRestartSequence)
    image.Set(fld::toggleMode, kToggleDisabled);
  return ToggleChoice::Free;
}

void ApplyPageStoreRules(ParameterImage& image, ModelIndex model, int channel) {
  ApplyHostSerialRules(image);
  image.SetText(fld::description, LimitDescription(image.Text(fld::description)));
  const long long count = image.Get(fld::calcReadingCount, channel);
  image.Set(fld::calcReadingCount, static_cast<uint16_t>(StoredReadingCount(image, channel, count)),
            channel);
  ApplyToggleRules(image, model);
}

}  // namespace mx
