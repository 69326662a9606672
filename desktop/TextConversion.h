#pragma once
// Texts between the programs' byte strings and Qt. Two encodings, each for its own kind of text:
// - the programs' own texts (the string literals of the source) are UTF-8;
// - texts of the parameter image, of a document and from the interface are bytes, shown one
//   character per byte (Latin-1), so every byte value survives the way to the screen and back.
// The settings store in link/ keeps a conversion of its own: it lies below this layer.

#include <QString>
#include <string>
#include <string_view>

namespace mx::desktop {

// A text of the program (UTF-8).
QString FromUtf8(std::string_view text);
// Bytes of the image, a document or the interface, one character each.
QString FromLatin1(std::string_view bytes);
// Back to bytes; a character that has no byte of its own (beyond U+00FF) becomes '?'.
std::string ToLatin1(const QString& text);

}  // namespace mx::desktop
