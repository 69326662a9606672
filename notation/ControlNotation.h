#pragma once
// Brace notation for bytes that have no printable form: {CR}, {Esc}, {200}.
// Shared by the setup program's serial test window and the network test terminal.
// Standard library only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mx {

// Name of a control byte 0..31 ("NUL", "BkSp", "XON", "Esc", ...). Callers never pass more than 31.
std::string_view ControlName(uint8_t byte);

// One byte for display. `braces`: wrap names and numbers in braces (traffic panes, stored command
// strings). `names`: show 32, 44 and 46 as {Space}, {Comma}, {Period} (off only when stored command
// strings are shown for editing).
std::string FormatCharacter(uint8_t byte, bool braces, bool names);

enum class TranslateResult { Success = 0, InvalidToken = 1, TooLong = 2 };

// One command-string translation: brace notation in, bytes out.
struct CommandTranslation {
  std::string input;             // as typed; every byte 1..255 other than '{' is taken literally
  std::size_t maxLength = 100;   // the network test program always passes 100
  std::vector<uint8_t> output;   // valid on success, outputLength bytes
  std::size_t outputLength = 0;
  std::size_t errorStart = 0;    // on InvalidToken: the offending token's opening brace
  std::size_t errorEnd = 0;      //   ... and one past the character where the scan stopped
};

TranslateResult TranslateCommandString(CommandTranslation& record);

inline constexpr std::string_view kInvalidCommandStringText = "Invalid command string";
// "Command string length is to long.\n" "Maximum length = 100 characters.\n\n" "Note: ..."
std::string CommandTooLongText(std::size_t maxLength);

// The character reference list of the serial test window: bytes 0..31 and 127..255 in order.
struct ReferenceEntry {
  std::string text;  // "\tEOF\t26\tCtrl+Z"
  uint8_t byte;
};
const std::vector<ReferenceEntry>& ReferenceListEntries();

// The search prefix for a key that translated to exactly one character: a tab and the character,
// or a tab and "Space"/"Comma"/"Period" for those three.
std::string ReferenceSearchPrefix(char ch);

// The entry to select when `ch` is typed while entry `currentIndex` is selected: the first entry
// after it whose text starts with the prefix (case-insensitive), wrapping round; nullopt if none.
std::optional<std::size_t> FindListEntryForKey(char ch, std::size_t currentIndex);

}  // namespace mx
