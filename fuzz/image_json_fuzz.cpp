// Any bytes as mxtool import JSON: a clear error or a consistent image, never a crash; and with
// --exact, an image that survives export and import again byte for byte.
#include <cstdlib>

#include "core/ImageOperations.h"
#include "json/ImageJson.h"

namespace {

// What `mode` imported exports and imports to the same image.
void ExpectRoundTrip(const mx::ImportedImage& imported, mx::ImportMode mode) {
  using namespace mx;
  const QByteArray text = ImageJsonText(ImageToJson(imported.image, imported.extension, true));
  const auto again = ImageFromJson(text, mode);
  if (!again.ok || !(again.image == imported.image) || !(again.extension == imported.extension)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mx;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto imported = ImageFromJson(input);
  const auto exact = ImageFromJson(input, ImportMode::Exact);
  if ((!imported.ok && imported.error.empty()) || (!exact.ok && exact.error.empty()))
    std::abort();
  // Exact only takes more: texts without their terminator, derived fields as given.
  if (imported.ok && !exact.ok)
    std::abort();
  if (imported.ok) {
    if (!ChecksumMatches(imported.image))
      std::abort();
    ExpectRoundTrip(imported, ImportMode::Derive);
  }
  if (exact.ok)
    ExpectRoundTrip(exact, ImportMode::Exact);
  return 0;
}
