#pragma once
// The two user-defined buttons of the test window, kept in section "Settings" of the stored
// preferences: a caption of at most 15 characters and a command of at most 70, written with \xHH
// escapes for bytes without a printable form (\x0D for CR). The command of the second button may
// instead be the keyword "Send Test Strings", which sends the test burst.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/PreferencesStore.h"

namespace mx::terminal {

struct UserButton {
  std::string label;    // UTF-8, as the preferences keep it
  std::string command;  // likewise; one character is one byte on the line
  bool operator==(const UserButton&) const = default;
};
using UserButtons = std::array<UserButton, 2>;

inline constexpr std::size_t kLabelLimit = 15;
inline constexpr std::size_t kCommandLimit = 70;
inline constexpr std::string_view kTestStringsKeyword = "Send Test Strings";

// Reads both buttons ("Read All" / "<R*" and "Gages" / "<T*" when a key is missing), labels cut to
// 15 characters and commands to 70.
UserButtons LoadUserButtons(PreferencesStore& store);
// Writes the four keys, each cut to its limit.
void StoreUserButtons(PreferencesStore& store, const UserButtons& buttons);

// The first `limit` characters of a UTF-8 text (characters, not bytes).
std::string CutToCharacters(std::string_view text, std::size_t limit);
bool IsTestStringsKeyword(std::string_view command);
// The bytes a command sends: each character as its Latin-1 byte ('?' beyond), \xHH as that byte.
std::vector<uint8_t> CommandBytes(std::string_view command);

}  // namespace mx::terminal
