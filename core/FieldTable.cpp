#include "core/FieldTable.h"

namespace mx {

std::size_t FindField(std::string_view name) {
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    if (kFieldTable[i].name == name)
      return i;
  }
  return kFieldCount;
}

}  // namespace mx
