#pragma once
// The one table of every field of the 3301-byte parameter image. Accessors, defaults, the JSON
// export and import, the dumps and the tests are all driven by it; offsets appear nowhere else.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mx {

inline constexpr std::size_t kImageSize = 3301;
inline constexpr std::size_t kChecksumOffset = 3297;
inline constexpr int kChannelCount = 5;
inline constexpr int kNetworkChannelCount = 6;

enum class FieldType : uint8_t {
  U8,
  I8,
  U16,
  U32,
  F32,
  Char,      // one ASCII setting character ("N", "7", "1")
  Text,      // NUL-terminated text in a fixed buffer of `size` bytes
  Bytes,     // raw byte buffer of `size` bytes
  Reserved,  // unused area, carried unchanged
};

struct FieldInfo {
  std::string_view name;
  uint16_t offset;  // of element 0
  uint16_t size;    // bytes per element
  uint16_t count;   // elements placed one after the other
  FieldType type;
  uint8_t rows;  // > 1: the elements form `rows` rows of count / rows columns
};

constexpr std::size_t ElementSize(FieldType type, std::size_t textSize) {
  switch (type) {
    case FieldType::U8:
    case FieldType::I8:
    case FieldType::Char:
      return 1;
    case FieldType::U16:
      return 2;
    case FieldType::U32:
    case FieldType::F32:
      return 4;
    default:
      return textSize;
  }
}

namespace detail {
using T = FieldType;
constexpr FieldInfo F(std::string_view name, uint16_t offset, FieldType type, uint16_t count = 1,
                      uint16_t bufferSize = 0, uint8_t rows = 0) {
  return FieldInfo{name,  offset, static_cast<uint16_t>(ElementSize(type, bufferSize)),
                   count, type,   rows};
}
}  // namespace detail

// In offset order. Per-channel fields have count 5 (channel A first).
inline constexpr auto kFieldTable = [] {
  using detail::F;
  using detail::T;
  return std::array{
      // Header and global settings.
      F("formatVersion", 0, T::Text, 1, 10),
      F("imageLength", 10, T::U16),
      F("reserved0C", 12, T::U16),
      F("reserved0E", 14, T::U8),
      F("description", 15, T::Text, 1, 81),
      F("outputToRs232Port", 96, T::U8),
      F("ipAddress", 97, T::U8, 4),
      F("subnetMask", 101, T::U8, 4),
      F("basePort", 105, T::U16),
      F("serverMode", 107, T::U8),
      F("networkEnabled", 108, T::U8),
      F("hostBaud", 109, T::U16),
      F("hostParity", 111, T::Char),
      F("hostDataBits", 112, T::Char),
      F("hostStopBits", 113, T::Char),
      F("hostHandshake", 114, T::U8),
      F("startChannelMode", 115, T::U8),
      F("startChannelNumber", 116, T::U8),
      // Channel arrays.
      F("readSwitchMode", 117, T::U8, 5),
      F("customReadSequence", 122, T::Text, 5, 31),
      F("contactBounceMs", 277, T::U32, 5),
      F("gageType", 297, T::I8, 5),
      F("outputFormat", 302, T::U8, 5),
      F("includeCalculated", 307, T::U8, 5),
      F("calcReadingCount", 312, T::U16, 5),
      F("idMode", 322, T::U8, 5),
      F("idText", 327, T::Text, 5, 31),
      F("idBytes", 482, T::Bytes, 5, 30),
      F("idLength", 632, T::U16, 5),
      F("unitsConversion", 642, T::U8, 5),
      F("unitsDecimals", 647, T::U8, 5),
      F("customFormatText", 652, T::Text, 5, 51),
      F("customFormatValue", 907, T::Bytes, 5, 50),
      F("customFormatKind", 1157, T::Bytes, 5, 50),
      F("customFormatCount", 1407, T::U16, 5),
      F("endOfOutputMode", 1417, T::U8, 5),
      F("endOfOutputText", 1422, T::Text, 5, 17),
      F("endOfOutputBytes", 1507, T::Bytes, 5, 16),
      F("endOfOutputLength", 1587, T::U16, 5),
      F("orderNum", 1597, T::I8, 5),
      F("orderMin", 1602, T::I8, 5),
      F("orderMax", 1607, T::I8, 5),
      F("orderTir", 1612, T::I8, 5),
      F("orderAvg", 1617, T::I8, 5),
      F("orderSd", 1622, T::I8, 5),
      F("outputIndividual", 1627, T::U8, 5),
      F("tirReadingCount", 1632, T::U16, 5),
      F("afterDataText", 1642, T::Text, 5, 17),
      F("afterDataBytes", 1727, T::Bytes, 5, 16),
      F("afterDataLength", 1807, T::U16, 5),
      F("gageBaud", 1817, T::U16, 5),
      F("gageParity", 1827, T::Char, 5),
      F("gageDataBits", 1832, T::Char, 5),
      F("gageStopBits", 1837, T::Char, 5),
      F("gageHandshakeFlags", 1842, T::U8, 5),
      F("endOfPacketMode", 1847, T::U8, 5),
      F("endOfPacketChar", 1852, T::U8, 5),
      F("removeEndOfPacket", 1857, T::U8, 5),
      F("findFirstNumeric", 1862, T::U8, 5),
      F("useCharPositions", 1867, T::U8, 5),
      F("charStart", 1872, T::U16, 5),
      F("charEnd", 1882, T::U16, 5),
      F("readCommandMode", 1892, T::U8, 5),
      F("handshakeLowMs", 1897, T::U16, 5),
      F("commandText", 1907, T::Text, 5, 31),
      F("commandBytes", 2062, T::Bytes, 5, 30),
      F("commandLength", 2212, T::U16, 5),
      F("responseWaitMs", 2222, T::U16, 5),
      F("noResponseAction", 2232, T::U8, 5),
      F("absoluteValue", 2237, T::U8, 5),
      F("equationEnabled", 2242, T::U8, 5),
      F("equationA", 2247, T::F32, 5),
      F("equationB", 2267, T::F32, 5),
      F("equationDecimals", 2287, T::U8, 5),
      F("customFeature", 2292, T::U8, 5),
      // Toggle switch, model and the fields added later.
      F("toggleMode", 2297, T::U8),
      F("toggleLeftChannels", 2298, T::U8, 5),
      F("toggleRightChannels", 2303, T::U8, 5),
      F("toggleLeftContinuous", 2308, T::U8),
      F("toggleRightContinuous", 2309, T::U8),
      F("modelIndex", 2310, T::I8),
      F("continuousStartStop", 2311, T::U8, 5),
      F("transferAsReceived", 2316, T::U8, 5),
      F("useLedForNext", 2321, T::U8),
      F("chainCommands", 2322, T::U8),
      F("chainDefaultBaudE", 2323, T::U8),
      F("toggleMaxChannel", 2324, T::I8),
      F("networkChannelCount", 2325, T::I8),
      F("networkOutput", 2326, T::U8, 6),
      F("gapTimeMs", 2332, T::U16, 5),
      F("defaultButtonDisabled", 2342, T::U8),
      F("rs232Source", 2343, T::U8, 5),
      F("networkSource", 2348, T::U8, 30, 0, 6),
      F("gatewayEnabled", 2378, T::U8),
      F("gatewayAddress", 2379, T::U8, 4),
      F("reserved2383", 2383, T::Reserved, 1, 5),
      F("hostStringLength", 2388, T::U8),
      F("hostStringText", 2389, T::Text, 1, 41),
      F("hostStringBytes", 2430, T::Bytes, 1, 40),
      F("reserved2470", 2470, T::Reserved, 1, 827),
      F("checksum", 3297, T::U32),
  };
}();

inline constexpr std::size_t kFieldCount = kFieldTable.size();

// Lookup for the field handles, evaluated at compile time, where an unknown name stops the build.
constexpr std::size_t FieldIndex(std::string_view name) {
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    if (kFieldTable[i].name == name)
      return i;
  }
  throw "unknown parameter image field";
}

// Run-time lookup (JSON import); returns kFieldCount when the name is unknown.
std::size_t FindField(std::string_view name);

}  // namespace mx
