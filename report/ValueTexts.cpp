#include "report/ValueTexts.h"

#include <cstdarg>
#include <cstdio>

#include "core/ModelTable.h"
#include "notation/ControlNotation.h"

namespace mx::report {

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}

std::string CodeText(int code, std::initializer_list<std::string_view> texts) {
  if (code < 0 || code >= static_cast<int>(texts.size()))
    return std::string(kUnknownCodeText);
  return std::string(texts.begin()[code]);
}

std::string BaudText(int baud, bool gagePort) {
  switch (baud) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
      return std::to_string(baud);
    case 19200:
      return "19.2K";
    case 38400:
      if (gagePort)
        return "38.4K";
      break;
    default:
      break;
  }
  return std::string(kUnknownCodeText);
}

std::string GageFramingText(char parity) {
  switch (parity) {
    case 'E':
      return "E-7-1";
    case 'N':
      return "N-8-1";
    case 'O':
      return "O-7-1";
    default:
      return {};
  }
}

std::string StoredText(const ParameterImage& image, Field<FieldType::Text> field, int element) {
  std::string text;
  for (const char ch : image.Text(field, element)) {
    const auto byte = static_cast<uint8_t>(ch);
    if (byte < 0x20 || byte == 0x7F) {
      text += FormatCharacter(byte, true, false);
    } else if (byte < 0x80) {
      text += ch;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

}  // namespace mx::report
