// Typed device strings: hex escapes and the custom output format.
// Input: first byte picks the channel and the output buffer size, the rest is the typed text.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ImageOperations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mx;
  if (size == 0)
    return 0;
  const int channel = data[0] % kChannelCount;
  const std::size_t outSize = data[0] % 64;
  const std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);

  std::string text = typed;
  std::vector<uint8_t> out(outSize + 1, 0xEE);
  const uint16_t n = TranslateHexEscapes(text, std::span(out).first(outSize));
  const std::size_t textLength = std::min(typed.find('\0'), typed.size());
  if (n > outSize || n > textLength || out[outSize] != 0xEE)
    std::abort();
  if (text.size() != typed.size())
    std::abort();
  std::string twice = text;
  std::vector<uint8_t> out2(outSize);
  if (TranslateHexEscapes(twice, out2) != n || twice != text)
    std::abort();  // idempotent
  if (!std::equal(out2.begin(), out2.begin() + n, out.begin()))
    std::abort();

  ParameterImage image;
  image.Bytes().fill(0x33);
  auto buffer = image.Span(fld::customFormatText, channel);
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  std::copy_n(typed.begin(), std::min(typed.size(), buffer.size()), buffer.begin());
  const ParameterImage before = image;
  CompileCustomFormat(image, channel);
  const int count = image.Get(fld::customFormatCount, channel);
  if (count > 50)
    std::abort();
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const uint8_t kind = image.Span(fld::customFormatKind, channel)[i];
    const uint8_t value = image.Span(fld::customFormatValue, channel)[i];
    const int limit = kind == 'M' ? 20 : kind == 'C' ? 9 : (kind == 'L' || kind == 'U') ? 10 : 255;
    if (kind != 'Z' && (value < 1 || value > limit))
      std::abort();
  }
  // Nothing outside this channel's format fields may change.
  for (std::size_t b = 0; b < kImageSize; ++b) {
    if (image.Bytes()[b] == before.Bytes()[b])
      continue;
    bool owned = false;
    for (auto field : {fld::customFormatText.Info(), fld::customFormatValue.Info(),
                       fld::customFormatKind.Info(), fld::customFormatCount.Info()}) {
      const std::size_t first =
          field.offset + std::size_t{field.size} * static_cast<std::size_t>(channel);
      owned = owned || (b >= first && b < first + field.size);
    }
    if (!owned)
      std::abort();
  }
  return 0;
}
