#include "core/ImageOperations.h"

#include <algorithm>
#include <array>

namespace mx {

namespace {

constexpr int kChannelE = 4;

// Where only serial input is possible, a digital gage type becomes RS232; a channel switched off
// stays off.
void KeepSerialGage(ParameterImage& image, int channel) {
  const int8_t type = image.Get(fld::gageType, channel);
  if (type != gage::kRs232 && type != gage::kDisabled)
    image.Set(fld::gageType, gage::kRs232, channel);
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return c - 'A' + 10;
}

char ToLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

template <FieldType Type>
void Zero(ParameterImage& image, Field<Type> field, int element = 0) {
  auto bytes = image.Span(field, element);
  std::fill(bytes.begin(), bytes.end(), uint8_t{0});
}

template <FieldType Type, typename V>
void SetAll(ParameterImage& image, Field<Type> field, V value) {
  for (int i = 0; i < field.Info().count; ++i)
    image.Set(field, value, i);
}

}  // namespace

uint16_t DecodeTypedText(ParameterImage& image, Field<FieldType::Text> textField,
                         Field<FieldType::Bytes> bytesField, int channel) {
  auto out = image.Span(bytesField, channel);
  std::fill(out.begin(), out.end(), uint8_t{0});
  std::string text = image.Text(textField, channel);
  const uint16_t count = TranslateHexEscapes(text, out);
  auto typed = image.Span(textField, channel);
  std::copy(text.begin(), text.end(), typed.begin());
  return count;
}

uint32_t ChecksumBytes(std::span<const uint8_t> bytes, uint32_t start) {
  uint32_t c = start;
  for (const uint8_t b : bytes) {
    c = (c >> 8) | (c << 8);
    c ^= b;
    c ^= (c >> 4) & 0x0F;
    c ^= c << 12;
    c ^= (c & 0xFF) << 5;
  }
  return c;
}

uint32_t ImageChecksum(const ParameterImage& image) {
  return ChecksumBytes(std::span(image.Bytes()).first(kChecksumOffset));
}

void StoreChecksum(ParameterImage& image) {
  image.Set(fld::checksum, ImageChecksum(image));
}

bool ChecksumMatches(const ParameterImage& image) {
  return image.Get(fld::checksum) == ImageChecksum(image);
}

uint16_t TranslateHexEscapes(std::string& text, std::span<uint8_t> out) {
  const std::size_t end = std::min(text.find('\0'), text.size());
  std::size_t i = 0;
  std::size_t n = 0;
  while (i < end && n < out.size()) {
    if (text[i] == '\\' && i + 3 < end && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        IsHexDigit(text[i + 2]) && IsHexDigit(text[i + 3])) {
      text[i + 1] = 'x';
      text[i + 2] = ToLower(text[i + 2]);
      text[i + 3] = ToLower(text[i + 3]);
      out[n++] = static_cast<uint8_t>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
      i += 4;
    } else {
      out[n++] = static_cast<uint8_t>(text[i]);
      i += 1;
    }
  }
  return static_cast<uint16_t>(n);
}

void ResetGlobalDefaults(ParameterImage& image) {
  image.SetText(fld::formatVersion, kFormatVersionText);
  image.Set(fld::imageLength, static_cast<uint16_t>(kImageSize));
  image.Set(fld::reserved0C, uint16_t{0});
  image.Set(fld::reserved0E, uint8_t{1});
  Zero(image, fld::description);
  image.Set(fld::defaultButtonDisabled, uint8_t{0});
  Zero(image, fld::reserved2470);
}

void ResetHostSerialDefaults(ParameterImage& image) {
  image.Set(fld::hostBaud, uint16_t{9600});
  image.Set(fld::hostParity, 'N');
  image.Set(fld::hostDataBits, '8');
  image.Set(fld::hostStopBits, '1');
  image.Set(fld::hostHandshake, uint8_t{0});
  image.Set(fld::startChannelMode, uint8_t{0});
  image.Set(fld::startChannelNumber, uint8_t{1});
}

void ResetNetworkDefaults(ParameterImage& image) {
  constexpr std::array<uint8_t, 4> kAddress{192, 168, 0, 10};
  constexpr std::array<uint8_t, 4> kMask{255, 255, 0, 0};
  image.Set(fld::outputToRs232Port, uint8_t{1});
  for (int i = 0; i < 4; ++i) {
    image.Set(fld::ipAddress, kAddress[static_cast<std::size_t>(i)], i);
    image.Set(fld::subnetMask, kMask[static_cast<std::size_t>(i)], i);
  }
  image.Set(fld::basePort, uint16_t{5000});
  image.Set(fld::serverMode, uint8_t{1});
  image.Set(fld::networkEnabled, uint8_t{1});
  image.Set(fld::networkChannelCount, int8_t{1});
  SetAll(image, fld::networkOutput, uint8_t{0});
  image.Set(fld::networkOutput, uint8_t{1}, 0);
  SetAll(image, fld::rs232Source, uint8_t{0});
  SetAll(image, fld::networkSource, uint8_t{0});
  image.Set(fld::gatewayEnabled, uint8_t{0});
  SetAll(image, fld::gatewayAddress, uint8_t{0});
}

void ResetToggleDefaults(ParameterImage& image) {
  image.Set(fld::toggleMode, uint8_t{0});
  SetAll(image, fld::toggleLeftChannels, uint8_t{0});
  SetAll(image, fld::toggleRightChannels, uint8_t{0});
  image.Set(fld::toggleLeftContinuous, uint8_t{0});
  image.Set(fld::toggleRightContinuous, uint8_t{0});
  image.Set(fld::toggleMaxChannel, int8_t{4});
}

int8_t DefaultGageType(int channel, ModelIndex model) {
  return (channel == kChannelE || IsRs232Only(model)) ? gage::kRs232 : gage::kAutoSelect;
}

void ResetChannelDefaults(ParameterImage& image, int c, ModelIndex model) {
  // Output (Basic tab).
  image.Set(fld::gageType, DefaultGageType(c, model), c);
  image.Set(fld::outputFormat, uint8_t{0}, c);
  image.Set(fld::includeCalculated, uint8_t{0}, c);
  image.Set(fld::calcReadingCount, uint16_t{0}, c);
  image.Set(fld::idMode, uint8_t{0}, c);
  Zero(image, fld::idText, c);
  Zero(image, fld::idBytes, c);
  image.Set(fld::idLength, uint16_t{0}, c);
  image.Set(fld::unitsConversion, uint8_t{0}, c);
  image.Set(fld::unitsDecimals, uint8_t{0xFF}, c);
  Zero(image, fld::customFormatText, c);
  Zero(image, fld::customFormatValue, c);
  Zero(image, fld::customFormatKind, c);
  image.Set(fld::customFormatCount, uint16_t{0}, c);
  image.Set(fld::endOfOutputMode, uint8_t{1}, c);
  Zero(image, fld::endOfOutputText, c);
  Zero(image, fld::endOfOutputBytes, c);
  image.Set(fld::endOfOutputLength, uint16_t{0}, c);
  image.Set(fld::orderNum, int8_t{1}, c);
  image.Set(fld::orderMin, int8_t{2}, c);
  image.Set(fld::orderMax, int8_t{3}, c);
  image.Set(fld::orderTir, int8_t{4}, c);
  image.Set(fld::orderAvg, int8_t{0}, c);
  image.Set(fld::orderSd, int8_t{0}, c);
  image.Set(fld::outputIndividual, uint8_t{0}, c);
  image.Set(fld::tirReadingCount, uint16_t{0}, c);
  Zero(image, fld::afterDataText, c);
  Zero(image, fld::afterDataBytes, c);
  image.Set(fld::afterDataLength, uint16_t{0}, c);

  // Read switch.
  image.Set(fld::readSwitchMode, static_cast<uint8_t>(c == kChannelE ? 0 : 1), c);
  Zero(image, fld::customReadSequence, c);
  image.Set(fld::contactBounceMs, uint32_t{20}, c);
  image.Set(fld::continuousStartStop, uint8_t{0}, c);
  if (c == 0)
    image.Set(fld::useLedForNext, uint8_t{0});

  // RS232 gage.
  image.Set(fld::gageBaud, uint16_t{4800}, c);
  image.Set(fld::gageParity, 'E', c);
  image.Set(fld::gageDataBits, '7', c);
  image.Set(fld::gageStopBits, '1', c);
  image.Set(fld::gageHandshakeFlags, uint8_t{0}, c);
  image.Set(fld::endOfPacketMode, uint8_t{1}, c);
  image.Set(fld::endOfPacketChar, uint8_t{0x0D}, c);
  image.Set(fld::gapTimeMs, uint16_t{100}, c);
  image.Set(fld::removeEndOfPacket, uint8_t{1}, c);
  image.Set(fld::findFirstNumeric, uint8_t{1}, c);
  image.Set(fld::useCharPositions, uint8_t{0}, c);
  image.Set(fld::charStart, uint16_t{1}, c);
  image.Set(fld::charEnd, uint16_t{25}, c);
  image.Set(fld::transferAsReceived, uint8_t{0}, c);
  image.Set(fld::readCommandMode, uint8_t{0}, c);
  image.Set(fld::handshakeLowMs, uint16_t{150}, c);
  Zero(image, fld::commandText, c);
  Zero(image, fld::commandBytes, c);
  image.Set(fld::commandLength, uint16_t{0}, c);
  image.Set(fld::responseWaitMs, uint16_t{500}, c);
  image.Set(fld::noResponseAction, uint8_t{0}, c);
  if (c == kChannelE) {
    image.Set(fld::chainCommands, uint8_t{0});
    image.Set(fld::chainDefaultBaudE, uint8_t{0});
  }

  // Math (Extended tab).
  image.Set(fld::absoluteValue, uint8_t{0}, c);
  image.Set(fld::equationEnabled, uint8_t{0}, c);
  image.Set(fld::equationA, 0.0f, c);
  image.Set(fld::equationB, 1.0f, c);
  image.Set(fld::equationDecimals, uint8_t{0xFF}, c);
  image.Set(fld::customFeature, uint8_t{0}, c);
}

void ResetImageToDefaults(ParameterImage& image, ModelIndex model) {
  image.Bytes().fill(0);
  ResetGlobalDefaults(image);
  ResetHostSerialDefaults(image);
  ResetNetworkDefaults(image);
  ResetToggleDefaults(image);
  for (int c = 0; c < kChannelCount; ++c)
    ResetChannelDefaults(image, c, model);
  image.Set(fld::modelIndex, static_cast<int8_t>(model));
}

void CopyChannel(ParameterImage& image, int source, int target) {
  if (source == target)
    return;
  constexpr uint16_t kFirstChannelField = fld::readSwitchMode.Info().offset;
  constexpr uint16_t kLastChannelField = fld::customFeature.Info().offset;
  for (const FieldInfo& info : kFieldTable) {
    const bool channelArray = info.offset >= kFirstChannelField && info.offset <= kLastChannelField;
    const bool laterChannelArray = info.name == fld::continuousStartStop.Info().name ||
                                   info.name == fld::transferAsReceived.Info().name;
    if (!channelArray && !laterChannelArray)
      continue;
    const auto from = image.Span(info, source);
    std::copy(from.begin(), from.end(), image.Span(info, target).begin());
  }
  if (target == kChannelE) {
    // Channel E is an RS232 input (or disabled) on every model and has no read switch.
    image.Set(fld::chainCommands, uint8_t{0});
    image.Set(fld::chainDefaultBaudE, uint8_t{0});
    image.Set(fld::readSwitchMode, uint8_t{0}, kChannelE);
    KeepSerialGage(image, kChannelE);
  }
}

void ApplyLoadFixups(ParameterImage& image) {
  const uint8_t rs232 = image.Get(fld::outputToRs232Port);
  if (rs232 == 0) {
    image.Set(fld::networkOutput, uint8_t{1}, 0);
  } else if (rs232 == 2) {
    image.Set(fld::outputToRs232Port, uint8_t{1});
    image.Set(fld::networkOutput, uint8_t{1}, 0);
  }
  if (image.Get(fld::networkChannelCount) < 1)
    image.Set(fld::networkChannelCount, int8_t{1});
  for (int c = 0; c < kChannelCount; ++c) {
    if (image.Get(fld::gapTimeMs, c) < 20)
      image.Set(fld::gapTimeMs, uint16_t{100}, c);
  }
}

void CompileCustomFormat(ParameterImage& image, int channel) {
  auto values = image.Span(fld::customFormatValue, channel);
  auto kinds = image.Span(fld::customFormatKind, channel);
  if (image.Text(fld::customFormatText, channel).empty()) {
    std::fill(values.begin(), values.end(), uint8_t{0});
    std::fill(kinds.begin(), kinds.end(), uint8_t{0});
    image.Set(fld::customFormatCount, uint16_t{0}, channel);
    return;
  }

  constexpr std::size_t kMaxItems = 50;
  std::array<uint8_t, kMaxItems + 1> scratch{};
  std::string text = image.Text(fld::customFormatText, channel);
  const std::size_t decoded = TranslateHexEscapes(text, std::span(scratch).first(kMaxItems));
  std::copy(text.begin(), text.end(), image.Span(fld::customFormatText, channel).begin());
  // The walk stops at the first NUL, as the device does; a decoded \x00 ends the format.
  std::size_t end = 0;
  while (end < decoded && scratch[end] != 0)
    ++end;

  auto runOf = [&](std::size_t from, auto belongs) {
    std::size_t j = from;
    while (j < end && belongs(scratch[j]))
      ++j;
    return j - from;
  };

  std::size_t i = 0;
  std::size_t j = 0;
  while (j < end && i < kMaxItems) {
    const uint8_t ch = scratch[j];
    uint8_t kind = 'Z';
    uint8_t value = ch;
    std::size_t used = 1;
    auto field = [&](uint8_t k, std::size_t limit, auto belongs) {
      used = runOf(j, belongs);
      kind = k;
      value = static_cast<uint8_t>(std::min(used, limit));
    };
    switch (ch) {
      case 'C':
        field('C', 9, [](uint8_t b) { return b == 'C'; });
        break;
      case 'M':
        field('M', 20, [](uint8_t b) { return b == 'M'; });
        break;
      case 'L':
        field('L', 10, [](uint8_t b) { return b == 'L'; });
        break;
      case 'U':
        field('U', 10, [](uint8_t b) { return b == 'U' || b == 'u'; });
        break;
      case '\\':
        // The next character is taken literally; a trailing backslash yields a NUL item.
        value = j + 1 < end ? scratch[j + 1] : uint8_t{0};
        used = j + 1 < end ? 2 : 1;
        break;
      default:
        break;
    }
    kinds[i] = kind;
    values[i] = value;
    ++i;
    j += used;
  }
  image.Set(fld::customFormatCount, static_cast<uint16_t>(i), channel);
}

void ApplyModelRules(ParameterImage& image, ModelIndex newModel) {
  const bool noStepModes = newModel >= 0 && newModel <= 3;
  for (int c = 0; c < kChannelCount; ++c) {
    if (noStepModes) {
      const uint8_t mode = image.Get(fld::readSwitchMode, c);
      if (mode == 5 || mode == 7 || mode == 8)
        image.Set(fld::readSwitchMode, uint8_t{1}, c);
    }
    if (IsRs232Only(newModel))
      KeepSerialGage(image, c);
  }
}

void EncodeChannelTexts(ParameterImage& image, int c) {
  // A text whose mode does not use it is left as typed, its bytes cleared.
  const uint8_t idMode = image.Get(fld::idMode, c);
  if (idMode == 1 || idMode == 2) {
    image.Set(fld::idLength, DecodeTypedText(image, fld::idText, fld::idBytes, c), c);
  } else {
    Zero(image, fld::idBytes, c);
    image.Set(fld::idLength, uint16_t{0}, c);
  }
  if (image.Get(fld::endOfOutputMode, c) == 3) {
    image.Set(fld::endOfOutputLength,
              DecodeTypedText(image, fld::endOfOutputText, fld::endOfOutputBytes, c), c);
  } else {
    Zero(image, fld::endOfOutputBytes, c);
    image.Set(fld::endOfOutputLength, uint16_t{0}, c);
  }
  image.Set(fld::afterDataLength,
            DecodeTypedText(image, fld::afterDataText, fld::afterDataBytes, c), c);
  image.Set(fld::commandLength, DecodeTypedText(image, fld::commandText, fld::commandBytes, c), c);
  CompileCustomFormat(image, c);
  if (c == 0) {
    const uint16_t hostCount = DecodeTypedText(image, fld::hostStringText, fld::hostStringBytes, 0);
    image.Set(fld::hostStringLength, static_cast<uint8_t>(hostCount));
  }
}

}  // namespace mx
