#include "core/PageStoreRules.h"

#include <algorithm>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"

namespace mx {

namespace {

// The Status tab has a button for every code of these fields.
bool HasButton(const auto& field, int value) {
  const std::span<const int> codes = CodesOf(field.Info().name)->values;
  return std::find(codes.begin(), codes.end(), value) != codes.end();
}

bool IsStepMode(int mode) {
  return mode == readSwitch::kStepStay || mode == readSwitch::kStepNext ||
         mode == readSwitch::kStepContinuous;
}

}  // namespace

std::string LimitDescription(std::string_view description) {
  return std::string(description.substr(0, static_cast<std::size_t>(kDescriptionLimit)));
}

void ApplyHostSerialRules(ParameterImage& image) {
  ParameterImage defaults;
  ResetHostSerialDefaults(defaults);
  if (!HasButton(fld::hostBaud, image.Get(fld::hostBaud)))
    image.Set(fld::hostBaud, defaults.Get(fld::hostBaud));
  if (!HasButton(fld::hostParity, image.Get(fld::hostParity)))
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
  if (image.Get(fld::readSwitchMode, 0) == readSwitch::kCustomSequence &&
      image.Get(fld::useLedForNext) == 1) {
    image.Set(fld::toggleMode, toggle::kRestartSequence);
    return ToggleChoice::RestartSequence;
  }
  if (stepMode) {
    image.Set(fld::toggleMode, toggle::kStepBackStepForward);
    return ToggleChoice::StepForward;
  }
  const uint8_t mode = image.Get(fld::toggleMode);
  if (mode == toggle::kStepBackStepForward || mode == toggle::kRestartSequence)
    image.Set(fld::toggleMode, toggle::kDisabled);
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
