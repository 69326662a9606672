// Brace notation for control characters. See ControlNotation.h.
#include "notation/ControlNotation.h"

#include <array>
#include <string>

namespace mx {
namespace {

constexpr std::array<std::string_view, 32> kControlNames = {
    "NUL",  "SOH", "STX", "ETX",  "EOT", "ENQ", "ACK", "BEL",  // 0..7
    "BkSp", "Tab", "LF",  "VT",   "FF",  "CR",  "SO",  "SI",   // 8..15
    "DLE",  "XON", "DC2", "XOFF", "DC4", "NAK", "SYN", "ETB",  // 16..23
    "CAN",  "EM",  "EOF", "Esc",  "FS",  "GS",  "RS",  "US",   // 24..31
};

struct NamedPrintable {
  std::string_view name;
  uint8_t byte;
};
// Looked up after the control names, in this order.
constexpr std::array<NamedPrintable, 4> kPrintableNames = {{
    {"Space", 32},
    {"Comma", 44},
    {"Period", 46},
    {"{", 123},
}};

constexpr std::size_t kMaxNameLength = 6;

// ASCII-only case folding: the comparison never depends on the locale.
constexpr char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) {
      return false;
    }
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Step 5 of the translation: the byte a token name stands for, or nullopt when it is invalid.
std::optional<uint8_t> LookUpTokenName(std::string_view name) {
  for (std::size_t byte = 0; byte < kControlNames.size(); ++byte) {
    if (EqualsIgnoringCase(name, kControlNames[byte])) {
      return static_cast<uint8_t>(byte);
    }
  }
  for (const NamedPrintable& named : kPrintableNames) {
    if (EqualsIgnoringCase(name, named.name)) {
      return named.byte;
    }
  }
  if (name.empty()) {
    return std::nullopt;
  }
  unsigned value = 0;  // at most 6 digits, so no overflow
  for (char c : name) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 255) {
    return std::nullopt;
  }
  return static_cast<uint8_t>(value);
}

}  // namespace

std::string_view ControlName(uint8_t byte) {
  // Callers never pass more than 31; stay in bounds anyway.
  return byte < kControlNames.size() ? kControlNames[byte] : std::string_view();
}

std::string FormatCharacter(uint8_t byte, bool braces, bool names) {
  auto wrap = [braces](std::string_view text) {
    if (!braces) {
      return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 2);
    out += '{';
    out += text;
    out += '}';
    return out;
  };
  if (byte < 32) {
    return wrap(kControlNames[byte]);
  }
  if (names) {
    switch (byte) {
      case 32:
        return wrap("Space");
      case 44:
        return wrap("Comma");
      case 46:
        return wrap("Period");
      default:
        break;
    }
  }
  if (byte == 123) {
    return wrap("{");
  }
  if (byte < 127) {
    return std::string(1, static_cast<char>(byte));
  }
  return braces ? wrap(std::to_string(byte)) : std::string();
}

TranslateResult TranslateCommandString(CommandTranslation& record) {
  const std::string& in = record.input;
  const std::size_t size = in.size();
  record.output.clear();
  record.output.resize(record.maxLength + 1, 0);
  record.outputLength = 0;
  record.errorStart = 0;
  record.errorEnd = 0;

  auto invalid = [&record](std::size_t start, std::size_t end) {
    record.errorStart = start;
    record.errorEnd = end;
    return TranslateResult::InvalidToken;
  };

  std::size_t count = 0;
  std::size_t i = 0;
  while (i < size) {
    uint8_t byte = static_cast<uint8_t>(in[i]);
    if (in[i] == '{') {
      const std::size_t start = i;
      if (i + 1 >= size) {
        // A brace that is the last character: the scan stays on it and the token never closes.
        return invalid(start, size);
      }
      ++i;
      if (in[i] == '}') {
        return invalid(start, i + 1);  // "{}"
      }
      std::string name;
      while (true) {
        if (i >= size) {
          return invalid(start, size);  // never closed
        }
        if (in[i] == '}') {
          break;
        }
        name += in[i];
        if (name.size() > kMaxNameLength) {
          return invalid(start, i + 1);  // a 7th character before the closing brace
        }
        ++i;
      }
      // i is on the closing brace.
      const std::optional<uint8_t> value = LookUpTokenName(name);
      if (!value) {
        return invalid(start, i + 1);
      }
      byte = *value;
    }
    record.output[count] = byte;  // count <= maxLength here, and the buffer holds maxLength + 1
    ++count;
    if (count > record.maxLength) {
      return TranslateResult::TooLong;
    }
    ++i;
  }
  record.outputLength = count;
  return TranslateResult::Success;
}

std::string CommandTooLongText(std::size_t maxLength) {
  std::string text = "Command string length is to long.\n";
  text += "Maximum length = ";
  text += std::to_string(maxLength);
  text += " characters.\n\n";
  text += "Note: Strings like {Esc} are 1 character, not 5.";
  return text;
}

const std::vector<ReferenceEntry>& ReferenceListEntries() {
  static const std::vector<ReferenceEntry> entries = [] {
    std::vector<ReferenceEntry> list;
    list.reserve(161);
    for (unsigned value = 0; value < 256; ++value) {
      if (value >= 32 && value <= 126) {
        continue;
      }
      const auto byte = static_cast<uint8_t>(value);
      std::string text = "\t";
      text += FormatCharacter(byte, false, true);
      text += '\t';
      text += std::to_string(value);
      if (value >= 1 && value <= 29) {
        text += "\tCtrl+";
        text += static_cast<char>(value + 64);
      }
      list.push_back(ReferenceEntry{std::move(text), byte});
    }
    return list;
  }();
  return entries;
}

std::string ReferenceSearchPrefix(char ch) {
  std::string prefix = "\t";
  switch (ch) {
    case ' ':
      prefix += "Space";
      break;
    case ',':
      prefix += "Comma";
      break;
    case '.':
      prefix += "Period";
      break;
    default:
      prefix += ch;
      break;
  }
  return prefix;
}

std::optional<std::size_t> FindListEntryForKey(char ch, std::size_t currentIndex) {
  const std::vector<ReferenceEntry>& entries = ReferenceListEntries();
  const std::size_t count = entries.size();
  const std::string prefix = ReferenceSearchPrefix(ch);
  // With no valid selection the search starts at the first entry.
  const std::size_t first = currentIndex < count ? currentIndex + 1 : 0;
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t index = (first + step) % count;
    if (StartsWithIgnoringCase(entries[index].text, prefix)) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace mx
