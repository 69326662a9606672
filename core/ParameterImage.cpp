#include "core/ParameterImage.h"

#include <algorithm>

namespace mx {

std::string ParameterImage::Text(Field<FieldType::Text> field, int element) const {
  const auto bytes = Span(field, element);
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return std::string(bytes.begin(), end);
}

void ParameterImage::SetText(Field<FieldType::Text> field, std::string_view text, int element) {
  auto bytes = Span(field, element);
  std::fill(bytes.begin(), bytes.end(), uint8_t{0});
  const std::size_t n = std::min(text.size(), bytes.size() - 1);
  std::copy_n(text.begin(), n, bytes.begin());
}

}  // namespace mx
