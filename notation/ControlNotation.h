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

// Name of a control byte 0..31 ("NUL", "BkSp", "XON", "Esc", ...), exactly as displayed. Callers
// never pass more than 31; a larger byte gives the empty text.
std::string_view ControlName(uint8_t byte);

// One byte for display. `braces`: wrap names and numbers in braces (traffic panes, stored command
// strings). `names`: show 32, 44 and 46 as {Space}, {Comma}, {Period} (off only when stored command
// strings are shown for editing).
//   0..31            {CR} / CR
//   32, 44, 46       names on: {Space} / Space; names off: the plain character
//   123              {{} / {
//   other 33..126    the character itself, never wrapped
//   127..255         {200} / empty text
// With braces=true the result always translates back to the byte (TranslateCommandString).
std::string FormatCharacter(uint8_t byte, bool braces, bool names);

enum class TranslateResult { Success = 0, InvalidToken = 1, TooLong = 2 };

// One command-string translation: brace notation in, bytes out.
struct CommandTranslation {
  std::string input;             // as typed; every byte other than '{' is taken literally (a lone
                                 //   '}' too; a 0 byte as well, the string carries its length)
  std::size_t maxLength = 100;   // the network test program always passes 100; the buffer is
                                 //   allocated at maxLength + 1, so keep it a realistic limit
  std::vector<uint8_t> output;   // resized to maxLength + 1; on success its first outputLength
                                 //   bytes are the result, otherwise its content is undefined
  std::size_t outputLength = 0;  // set on success, 0 otherwise
  std::size_t errorStart = 0;    // on InvalidToken: the offending token's opening brace
  std::size_t errorEnd = 0;      //   ... and one past the character where the scan stopped
                                 //   (exclusive end: "ab{XYZ}cd" gives 2 and 7; an unclosed token
                                 //   runs to the end of the input); both 0 for other results
};

// Tokens: {NAME} with NAME up to 6 characters, matched case-insensitively against the 32 control
// names, then Space, Comma, Period and "{"; otherwise all decimal digits with a value <= 255 ({013}
// is 13). "{}", an unknown name, a 7th name character or a token never closed is InvalidToken.
// More than maxLength output bytes is TooLong (exactly maxLength is accepted).
TranslateResult TranslateCommandString(CommandTranslation& record);

inline constexpr std::string_view kInvalidCommandStringText = "Invalid command string";
// The box text for TranslateResult::InvalidToken is kInvalidCommandStringText; for TooLong:
// "Command string length is to long.\n" "Maximum length = 100 characters.\n\n"
// "Note: Strings like {Esc} are 1 character, not 5." ("to long" is the box's wording: users and
// their scripts know it).
std::string CommandTooLongText(std::size_t maxLength);

// The character reference list of the serial test window: bytes 0..31 and 127..255 in order
// (161 entries; list index n is byte n below 32, else byte n + 95). Text: tab, name without braces
// (empty for 127..255), tab, decimal value, and for bytes 1..29 a tab and "Ctrl+" with byte + 64.
struct ReferenceEntry {
  std::string text;  // "\tEOF\t26\tCtrl+Z", "\tNUL\t0", "\t\t127"
  uint8_t byte;
};
const std::vector<ReferenceEntry>& ReferenceListEntries();

// The search prefix for a key that translated to exactly one character: a tab and the character,
// or a tab and "Space"/"Comma"/"Period" for those three.
std::string ReferenceSearchPrefix(char ch);

// The entry to select when `ch` is typed while entry `currentIndex` is selected: the first entry
// after it whose text starts with the prefix (case-insensitive), wrapping round; nullopt if none.
// The search runs from currentIndex + 1 to the end, then from 0 back to currentIndex itself (so the
// current entry is found again when it is the only match). A currentIndex past the end of the list
// (no selection) starts the search at entry 0. Translating the virtual key to `ch` is the caller's.
std::optional<std::size_t> FindListEntryForKey(char ch, std::size_t currentIndex);

}  // namespace mx
