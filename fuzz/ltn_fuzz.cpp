// The .ltn loader takes whatever file the user opens: it must never crash, read past the input or
// allocate more than the input holds, and a file it accepts must save back to the bytes it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "nettest/LtnFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const mx::nettest::LtnLoadResult result = mx::nettest::ParseLtn(std::span(data, size));
  if (result.offset > size)
    std::abort();
  if (result.status == mx::nettest::LtnLoadStatus::Ok) {
    // Long texts may be written with a shorter prefix than they came with, so compare fields.
    const mx::nettest::LtnLoadResult again =
        mx::nettest::ParseLtn(mx::nettest::SerializeLtn(result.fields));
    if (again.status != mx::nettest::LtnLoadStatus::Ok || !(again.fields == result.fields))
      std::abort();
  } else if (!(result.fields == mx::nettest::LtnFields{})) {
    std::abort();
  }
  return 0;
}
