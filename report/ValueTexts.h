#pragma once
// Small helpers the report's pages share to turn image values into their printed texts.

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/ParameterImage.h"

namespace mx::report {

// printf into a string of whatever length it needs.
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text for a code 0..n-1, "???" for anything else.
std::string CodeText(int code, std::initializer_list<std::string_view> texts);

// 1200 .. 9600 as numbers, 19200 "19.2K"; 38400 "38.4K" only for a gage port; else "???".
std::string BaudText(int baud, bool gagePort);

// A gage port's framing by its parity: "E-7-1", "N-8-1", "O-7-1"; empty for another parity.
std::string GageFramingText(char parity);

// A text field of the image as printed: its bytes as Latin-1 in UTF-8, control bytes in brace
// notation ({CR}), so a stored text is always one line.
std::string StoredText(const ParameterImage& image, Field<FieldType::Text> field, int element = 0);

inline char ChannelLetter(int channel) {
  return static_cast<char>('A' + channel);
}

inline constexpr std::string_view kYes = "Yes";

}  // namespace mx::report
