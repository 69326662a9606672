#pragma once
// The values an interface can hold in the fields that hold codes (a baud rate, a gage type, a
// mode), beside the field table. Values outside these came from a hand-edited file or an import,
// never from the pages; mxtool refuses to write them unless told to keep the file exact.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterImage.h"

namespace mx {

struct FieldCodes {
  std::string_view field;
  std::span<const int> values;  // a character field's codes are its characters
};

// The codes of `field`; nullptr when any value of its type is one an interface can hold.
const FieldCodes* CodesOf(std::string_view field);

struct CodeViolation {
  std::string element;  // "gageType[A]", as set names it
  std::string value;    // as export writes it
  std::string allowed;  // "0, 1, 2, 3, 4, 5, 6"
};

// Every element of `image` that holds a value outside its field's codes, in table order.
std::vector<CodeViolation> ValuesOutsideCodes(const ParameterImage& image);

}  // namespace mx
