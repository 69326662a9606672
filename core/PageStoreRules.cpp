#include "core/PageStoreRules.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"

namespace mx {

namespace {

// The Status tab has a button for every code of these fields.
bool HasButton(const auto& field, int value) {
  const std::span<const int> codes = CodesOf(field.Info().name)->values;
  return std::find(codes.begin(), codes.end(), value) != codes.end();
}

}  // namespace

bool IsStepMode(int readSwitchMode) {
  return readSwitchMode == readSwitch::kStepStay || readSwitchMode == readSwitch::kStepNext ||
         readSwitchMode == readSwitch::kStepContinuous;
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
  if (image.Get(fld::startChannelMode) > startChannel::kCustom)
    image.Set(fld::startChannelMode, defaults.Get(fld::startChannelMode));
  const uint8_t mode = image.Get(fld::startChannelMode);
  const long long number =
      mode == startChannel::kCustom
          ? ReloadedNumber(box::kStartChannel,
                           static_cast<int8_t>(image.Get(fld::startChannelNumber)))
          : mode + 1;
  image.Set(fld::startChannelNumber, static_cast<uint8_t>(number));
}

long long StoredReadingCount(const ParameterImage& image, int channel, long long count) {
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

long long ReadInteger(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
    ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+'))
    ++at;
  long long value = 0;
  // Boxes hold a few digits; anything longer is held far beyond every field's range.
  constexpr long long kHuge = 1'000'000'000'000LL;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    value = std::min(value * 10 + (text[at] - '0'), kHuge);
  return negative ? -value : value;
}

std::string NumberBoxText(const NumberBox& box, long long value) {
  if (value > std::numeric_limits<int32_t>::max())
    value = static_cast<int32_t>(value);
  if (value == 0 && box.emptyForZero)
    return {};
  return std::to_string(value).substr(0, static_cast<std::size_t>(box.maxLength));
}

long long StoredNumber(const NumberBox& box, std::string_view text) {
  return std::clamp(ReadInteger(text), box.lowest, box.highest);
}

long long ReloadedNumber(const NumberBox& box, long long value) {
  return StoredNumber(box, NumberBoxText(box, value));
}

long long ToggleMaxChannel(long long typed) {
  return typed < 1 ? kDefaultToggleMaxChannel : std::min(typed, box::kToggleMaxChannel.highest);
}

void ApplyTextBoxRule(ParameterImage& image, Field<FieldType::Text> field, int element, int limit) {
  const std::size_t kept = limit > 0 ? static_cast<std::size_t>(limit) : field.Info().size - 1u;
  image.SetText(field, image.Text(field, element).substr(0, kept), element);
}

void ApplyCharPositionRule(ParameterImage& image, int channel) {
  const uint16_t start = std::max<uint16_t>(image.Get(fld::charStart, channel), 1);
  image.Set(fld::charStart, start, channel);
  if (image.Get(fld::charEnd, channel) < start)
    image.Set(fld::charEnd, static_cast<uint16_t>(start + 9), channel);
}

void ApplyReadSwitchRule(ParameterImage& image, ModelIndex model, int channel) {
  if (IsKnownModel(model) && !HasToggleSwitch(model) &&
      IsStepMode(image.Get(fld::readSwitchMode, channel)))
    image.Set(fld::readSwitchMode, readSwitch::kSingleRead, channel);
}

void ApplyGageRule(ParameterImage& image, ModelIndex model, int channel) {
  const int8_t type = image.Get(fld::gageType, channel);
  if (IsRs232Only(model) && type != gage::kRs232 && type != gage::kDisabled)
    image.Set(fld::gageType, gage::kRs232, channel);
}

void ApplyNetworkRules(ParameterImage& image) {
  const int count = image.Get(fld::networkChannelCount);
  bool anyTarget = image.Get(fld::outputToRs232Port) == 1;
  image.Set(fld::outputToRs232Port, static_cast<uint8_t>(anyTarget));
  for (int n = 0; n < fld::networkOutput.Info().count; ++n) {
    const bool ticked = n < count && image.Get(fld::networkOutput, n) != 0;
    image.Set(fld::networkOutput, static_cast<uint8_t>(ticked), n);
    anyTarget = anyTarget || ticked;
  }
  if (!anyTarget)
    image.Set(fld::outputToRs232Port, uint8_t{1});
  for (const auto field : {fld::networkEnabled, fld::gatewayEnabled})
    image.Set(field, static_cast<uint8_t>(image.Get(field) != 0));
}

namespace {

// Check boxes store 1 for any value but 0 that they load.
void StoreAsTicked(ParameterImage& image, Field<FieldType::U8> field, int element) {
  image.Set(field, static_cast<uint8_t>(image.Get(field, element) != 0), element);
}

// The number boxes of the channel pages, as a commit stores them.
void ApplyNumberBoxes(ParameterImage& image, int channel) {
  const auto reload = [&](auto field, const NumberBox& box) {
    using Value = decltype(image.Get(field, channel));
    image.Set(field, static_cast<Value>(ReloadedNumber(box, image.Get(field, channel))), channel);
  };
  reload(fld::contactBounceMs, box::kContactBounce);
  reload(fld::tirReadingCount, box::kReadingCount);
  for (const auto order :
       {fld::orderNum, fld::orderMin, fld::orderMax, fld::orderTir, fld::orderAvg, fld::orderSd}) {
    image.Set(order, std::max<int8_t>(0, image.Get(order, channel)), channel);
    reload(order, box::kOrder);
  }
  reload(fld::gapTimeMs, box::kGapTime);
  reload(fld::handshakeLowMs, box::kHandshakeLow);
  reload(fld::responseWaitMs, box::kResponseWait);
  // The RS232 page corrects the positions as it loads them and again after storing its boxes.
  ApplyCharPositionRule(image, channel);
  reload(fld::charStart, box::kCharPosition);
  reload(fld::charEnd, box::kCharPosition);
  ApplyCharPositionRule(image, channel);
  image.Set(fld::toggleMaxChannel,
            static_cast<int8_t>(ToggleMaxChannel(image.Get(fld::toggleMaxChannel))));
}

}  // namespace

void ApplyPageStoreRules(ParameterImage& image, ModelIndex model, int channel) {
  ApplyHostSerialRules(image);
  ApplyTextBoxRule(image, fld::description, 0, kDescriptionLimit);
  ApplyNetworkRules(image);
  ApplyGageRule(image, model, channel);
  ApplyReadSwitchRule(image, model, channel);
  for (const auto field :
       {fld::includeCalculated, fld::outputIndividual, fld::absoluteValue, fld::equationEnabled,
        fld::removeEndOfPacket, fld::findFirstNumeric, fld::transferAsReceived})
    StoreAsTicked(image, field, channel);
  StoreAsTicked(image, fld::useLedForNext, 0);
  for (const auto text :
       {fld::customFormatText, fld::idText, fld::endOfOutputText, fld::afterDataText})
    ApplyTextBoxRule(image, text, channel);
  ApplyNumberBoxes(image, channel);
  const long long count =
      ReloadedNumber(box::kReadingCount, image.Get(fld::calcReadingCount, channel));
  image.Set(fld::calcReadingCount, static_cast<uint16_t>(StoredReadingCount(image, channel, count)),
            channel);
  ApplyToggleRules(image, model);
}

}  // namespace mx
