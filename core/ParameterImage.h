#pragma once
// The interface's whole configuration: 3301 bytes, little-endian, no alignment. It travels byte for
// byte to the file and over the wire, so it is kept as bytes and read through typed field handles.

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "core/FieldTable.h"

namespace mx {

template <FieldType Type>
struct FieldValue;
template <>
struct FieldValue<FieldType::U8> {
  using type = uint8_t;
};
template <>
struct FieldValue<FieldType::I8> {
  using type = int8_t;
};
template <>
struct FieldValue<FieldType::U16> {
  using type = uint16_t;
};
template <>
struct FieldValue<FieldType::U32> {
  using type = uint32_t;
};
template <>
struct FieldValue<FieldType::F32> {
  using type = float;
};
template <>
struct FieldValue<FieldType::Char> {
  using type = char;
};

// A typed handle on one row of the field table.
template <FieldType Type>
struct Field {
  std::size_t index;
  constexpr const FieldInfo& Info() const { return kFieldTable[index]; }
};

template <FieldType Type>
consteval Field<Type> MakeField(std::string_view name) {
  const std::size_t index = FieldIndex(name);
  if (kFieldTable[index].type != Type)
    throw "parameter image field used with the wrong type";
  return Field<Type>{index};
}

// Handles for the fields the program uses by name.
namespace fld {
using T = FieldType;
inline constexpr auto formatVersion = MakeField<T::Text>("formatVersion");
inline constexpr auto imageLength = MakeField<T::U16>("imageLength");
inline constexpr auto reserved0C = MakeField<T::U16>("reserved0C");
inline constexpr auto reserved0E = MakeField<T::U8>("reserved0E");
inline constexpr auto description = MakeField<T::Text>("description");
inline constexpr auto outputToRs232Port = MakeField<T::U8>("outputToRs232Port");
inline constexpr auto ipAddress = MakeField<T::U8>("ipAddress");
inline constexpr auto subnetMask = MakeField<T::U8>("subnetMask");
inline constexpr auto basePort = MakeField<T::U16>("basePort");
inline constexpr auto serverMode = MakeField<T::U8>("serverMode");
inline constexpr auto networkEnabled = MakeField<T::U8>("networkEnabled");
inline constexpr auto hostBaud = MakeField<T::U16>("hostBaud");
inline constexpr auto hostParity = MakeField<T::Char>("hostParity");
inline constexpr auto hostDataBits = MakeField<T::Char>("hostDataBits");
inline constexpr auto hostStopBits = MakeField<T::Char>("hostStopBits");
inline constexpr auto hostHandshake = MakeField<T::U8>("hostHandshake");
inline constexpr auto startChannelMode = MakeField<T::U8>("startChannelMode");
inline constexpr auto startChannelNumber = MakeField<T::U8>("startChannelNumber");
inline constexpr auto readSwitchMode = MakeField<T::U8>("readSwitchMode");
inline constexpr auto customReadSequence = MakeField<T::Text>("customReadSequence");
inline constexpr auto contactBounceMs = MakeField<T::U32>("contactBounceMs");
inline constexpr auto gageType = MakeField<T::I8>("gageType");
inline constexpr auto outputFormat = MakeField<T::U8>("outputFormat");
inline constexpr auto includeCalculated = MakeField<T::U8>("includeCalculated");
inline constexpr auto calcReadingCount = MakeField<T::U16>("calcReadingCount");
inline constexpr auto idMode = MakeField<T::U8>("idMode");
inline constexpr auto idText = MakeField<T::Text>("idText");
inline constexpr auto idBytes = MakeField<T::Bytes>("idBytes");
inline constexpr auto idLength = MakeField<T::U16>("idLength");
inline constexpr auto unitsConversion = MakeField<T::U8>("unitsConversion");
inline constexpr auto unitsDecimals = MakeField<T::U8>("unitsDecimals");
inline constexpr auto customFormatText = MakeField<T::Text>("customFormatText");
inline constexpr auto customFormatValue = MakeField<T::Bytes>("customFormatValue");
inline constexpr auto customFormatKind = MakeField<T::Bytes>("customFormatKind");
inline constexpr auto customFormatCount = MakeField<T::U16>("customFormatCount");
inline constexpr auto endOfOutputMode = MakeField<T::U8>("endOfOutputMode");
inline constexpr auto endOfOutputText = MakeField<T::Text>("endOfOutputText");
inline constexpr auto endOfOutputBytes = MakeField<T::Bytes>("endOfOutputBytes");
inline constexpr auto endOfOutputLength = MakeField<T::U16>("endOfOutputLength");
inline constexpr auto orderNum = MakeField<T::I8>("orderNum");
inline constexpr auto orderMin = MakeField<T::I8>("orderMin");
inline constexpr auto orderMax = MakeField<T::I8>("orderMax");
inline constexpr auto orderTir = MakeField<T::I8>("orderTir");
inline constexpr auto orderAvg = MakeField<T::I8>("orderAvg");
inline constexpr auto orderSd = MakeField<T::I8>("orderSd");
inline constexpr auto outputIndividual = MakeField<T::U8>("outputIndividual");
inline constexpr auto tirReadingCount = MakeField<T::U16>("tirReadingCount");
inline constexpr auto afterDataText = MakeField<T::Text>("afterDataText");
inline constexpr auto afterDataBytes = MakeField<T::Bytes>("afterDataBytes");
inline constexpr auto afterDataLength = MakeField<T::U16>("afterDataLength");
inline constexpr auto gageBaud = MakeField<T::U16>("gageBaud");
inline constexpr auto gageParity = MakeField<T::Char>("gageParity");
inline constexpr auto gageDataBits = MakeField<T::Char>("gageDataBits");
inline constexpr auto gageStopBits = MakeField<T::Char>("gageStopBits");
inline constexpr auto gageHandshakeFlags = MakeField<T::U8>("gageHandshakeFlags");
inline constexpr auto endOfPacketMode = MakeField<T::U8>("endOfPacketMode");
inline constexpr auto endOfPacketChar = MakeField<T::U8>("endOfPacketChar");
inline constexpr auto removeEndOfPacket = MakeField<T::U8>("removeEndOfPacket");
inline constexpr auto findFirstNumeric = MakeField<T::U8>("findFirstNumeric");
inline constexpr auto useCharPositions = MakeField<T::U8>("useCharPositions");
inline constexpr auto charStart = MakeField<T::U16>("charStart");
inline constexpr auto charEnd = MakeField<T::U16>("charEnd");
inline constexpr auto readCommandMode = MakeField<T::U8>("readCommandMode");
inline constexpr auto handshakeLowMs = MakeField<T::U16>("handshakeLowMs");
inline constexpr auto commandText = MakeField<T::Text>("commandText");
inline constexpr auto commandBytes = MakeField<T::Bytes>("commandBytes");
inline constexpr auto commandLength = MakeField<T::U16>("commandLength");
inline constexpr auto responseWaitMs = MakeField<T::U16>("responseWaitMs");
inline constexpr auto noResponseAction = MakeField<T::U8>("noResponseAction");
inline constexpr auto absoluteValue = MakeField<T::U8>("absoluteValue");
inline constexpr auto equationEnabled = MakeField<T::U8>("equationEnabled");
inline constexpr auto equationA = MakeField<T::F32>("equationA");
inline constexpr auto equationB = MakeField<T::F32>("equationB");
inline constexpr auto equationDecimals = MakeField<T::U8>("equationDecimals");
inline constexpr auto customFeature = MakeField<T::U8>("customFeature");
inline constexpr auto toggleMode = MakeField<T::U8>("toggleMode");
inline constexpr auto toggleLeftChannels = MakeField<T::U8>("toggleLeftChannels");
inline constexpr auto toggleRightChannels = MakeField<T::U8>("toggleRightChannels");
inline constexpr auto toggleLeftContinuous = MakeField<T::U8>("toggleLeftContinuous");
inline constexpr auto toggleRightContinuous = MakeField<T::U8>("toggleRightContinuous");
inline constexpr auto modelIndex = MakeField<T::I8>("modelIndex");
inline constexpr auto continuousStartStop = MakeField<T::U8>("continuousStartStop");
inline constexpr auto transferAsReceived = MakeField<T::U8>("transferAsReceived");
inline constexpr auto useLedForNext = MakeField<T::U8>("useLedForNext");
inline constexpr auto chainCommands = MakeField<T::U8>("chainCommands");
inline constexpr auto chainDefaultBaudE = MakeField<T::U8>("chainDefaultBaudE");
inline constexpr auto toggleMaxChannel = MakeField<T::I8>("toggleMaxChannel");
inline constexpr auto networkChannelCount = MakeField<T::I8>("networkChannelCount");
inline constexpr auto networkOutput = MakeField<T::U8>("networkOutput");
inline constexpr auto gapTimeMs = MakeField<T::U16>("gapTimeMs");
inline constexpr auto defaultButtonDisabled = MakeField<T::U8>("defaultButtonDisabled");
inline constexpr auto rs232Source = MakeField<T::U8>("rs232Source");
inline constexpr auto networkSource = MakeField<T::U8>("networkSource");
inline constexpr auto gatewayEnabled = MakeField<T::U8>("gatewayEnabled");
inline constexpr auto gatewayAddress = MakeField<T::U8>("gatewayAddress");
inline constexpr auto reserved2383 = MakeField<T::Reserved>("reserved2383");
inline constexpr auto hostStringLength = MakeField<T::U8>("hostStringLength");
inline constexpr auto hostStringText = MakeField<T::Text>("hostStringText");
inline constexpr auto hostStringBytes = MakeField<T::Bytes>("hostStringBytes");
inline constexpr auto reserved2470 = MakeField<T::Reserved>("reserved2470");
inline constexpr auto checksum = MakeField<T::U32>("checksum");
}  // namespace fld

class ParameterImage {
 public:
  using ByteArray = std::array<uint8_t, kImageSize>;

  ParameterImage() { bytes_.fill(0); }
  explicit ParameterImage(const ByteArray& bytes) : bytes_(bytes) {}

  ByteArray& Bytes() { return bytes_; }
  const ByteArray& Bytes() const { return bytes_; }

  // Numeric and character fields; `element` is the channel (0..4 = A..E) or array index.
  template <FieldType Type>
  typename FieldValue<Type>::type Get(Field<Type> field, int element = 0) const {
    using V = typename FieldValue<Type>::type;
    V value{};
    std::memcpy(&value, At(field.Info(), element), sizeof(V));  // little-endian host assumed
    return value;
  }
  template <FieldType Type>
  void Set(Field<Type> field, typename FieldValue<Type>::type value, int element = 0) {
    std::memcpy(At(field.Info(), element), &value, sizeof(value));
  }

  // Text up to its NUL (or the whole buffer when it has none).
  std::string Text(Field<FieldType::Text> field, int element = 0) const;
  // Zero-fills the buffer and copies at most size - 1 characters, so the text stays terminated.
  void SetText(Field<FieldType::Text> field, std::string_view text, int element = 0);

  // The raw bytes of one element of any field.
  std::span<uint8_t> Span(const FieldInfo& info, int element = 0) {
    return {At(info, element), info.size};
  }
  std::span<const uint8_t> Span(const FieldInfo& info, int element = 0) const {
    return {At(info, element), info.size};
  }
  template <FieldType Type>
  std::span<uint8_t> Span(Field<Type> field, int element = 0) {
    return Span(field.Info(), element);
  }
  template <FieldType Type>
  std::span<const uint8_t> Span(Field<Type> field, int element = 0) const {
    return Span(field.Info(), element);
  }

  bool operator==(const ParameterImage&) const = default;

 private:
  uint8_t* At(const FieldInfo& info, int element) {
    return bytes_.data() + info.offset + static_cast<std::size_t>(element) * info.size;
  }
  const uint8_t* At(const FieldInfo& info, int element) const {
    return bytes_.data() + info.offset + static_cast<std::size_t>(element) * info.size;
  }

  ByteArray bytes_;
};

}  // namespace mx
