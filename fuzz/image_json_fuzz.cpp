// Any bytes as mxtool import JSON: a clear error or a consistent image, never a crash.
#include <cstdlib>

#include "core/ImageOperations.h"
#include "json/ImageJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mx;
  const auto imported =
      ImageFromJson(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!imported.ok) {
    if (imported.error.empty())
      std::abort();
    return 0;
  }
  if (!ChecksumMatches(imported.image))
    std::abort();
  // What import produced exports and imports to the same image.
  const QByteArray text = ImageJsonText(ImageToJson(imported.image, imported.extension, true));
  const auto again = ImageFromJson(text);
  if (!again.ok || !(again.image == imported.image) || !(again.extension == imported.extension)) {
    std::abort();
  }
  return 0;
}
