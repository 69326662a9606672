#pragma once
// The .ltn document file of the network test terminal, as bytes. Standard library only, so the
// loader can be fuzzed and tested without Qt.
//
// Layout (little-endian): header text, version text, font size (i32), port (i32), server address
// (text), mode (i32), end-of-packet byte, four label texts, four commands (u32 count + bytes), four
// 32-bit flags. A text is a length prefix and its bytes: one byte for 0..254; 0xFF and a u16 for
// longer texts; 0xFF 0xFFFF and a u32 when the length is 0xFFFF or more.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mx::nettest {

inline constexpr std::string_view kLtnHeaderText = "LinkTest_Network Communications Test Program";
inline constexpr std::string_view kLtnVersionText = "1.00-A";

inline constexpr int kLtnModeClient = 0;
inline constexpr int kLtnModeServer = 1;
inline constexpr int kLtnModeInactive = 2;
inline constexpr int kUserButtonCount = 4;

// The document's fields, in file order, with their defaults. Texts and commands are byte strings:
// the program's texts are single-byte, and commands may hold any byte, 0 included.
struct LtnFields {
  int32_t fontSize = 10;
  int32_t port = 5000;
  std::string serverAddress;
  int32_t mode = kLtnModeInactive;
  uint8_t endOfPacket = 13;
  std::array<std::string, kUserButtonCount> buttonLabels{"User 1", "User 2", "User 3", "User 4"};
  std::array<std::string, kUserButtonCount> buttonCommands{
      "User defined string for button 1\r", "User defined string for button 2\r",
      "User defined string for button 3\r", "User defined string for button 4\r"};
  int32_t charactersInBraces = 0;
  int32_t hexFlag = 0;
  int32_t crToCrLf = 0;
  int32_t beepAtEndOfPacket = 0;

  bool operator==(const LtnFields&) const = default;
};

enum class LtnLoadStatus {
  Ok,
  WrongHeader,  // header or version text differs (exact, case-sensitive)
  Truncated,    // the file ends inside an item, or a length claims more bytes than remain
};

struct [[nodiscard]] LtnLoadResult {
  LtnLoadStatus status = LtnLoadStatus::Ok;
  LtnFields fields;        // all defaults unless status is Ok: a failed load never half-fills it
  std::size_t offset = 0;  // where reading stopped (for messages and tests)
};

// Never allocates more than the input holds, whatever a length prefix claims.
LtnLoadResult ParseLtn(std::span<const uint8_t> bytes);

std::vector<uint8_t> SerializeLtn(const LtnFields& fields);

}  // namespace mx::nettest
