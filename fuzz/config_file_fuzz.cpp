// Any bytes as a configuration file: the parser must accept or reject without reading past the
// input, leave its outputs alone on rejection, and what it accepts must save and load again.
#include <cstdlib>
#include <span>

#include "core/ConfigFile.h"
#include "core/ImageOperations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mx;
  ParameterImage image;
  image.Bytes().fill(0xA5);
  ExtensionBlock extension;
  extension.bytes.fill(0x5A);
  const ParameterImage before = image;
  const ExtensionBlock extensionBefore = extension;

  if (ParseConfigFile(std::span(data, size), image, extension) != ConfigParse::Ok) {
    if (!(image == before) || !(extension == extensionBefore))
      std::abort();
    return 0;
  }
  ApplyLoadFixups(image);
  for (int c = 0; c < kChannelCount; ++c)
    EncodeChannelTexts(image, c);
  StoreChecksum(image);

  ParameterImage again;
  ExtensionBlock extensionAgain;
  const auto file = SerializeConfigFile(image, extension);
  if (file.size() != kConfigFileSize)
    std::abort();
  if (ParseConfigFile(file, again, extensionAgain) != ConfigParse::Ok)
    std::abort();
  if (!(again == image) || !(extensionAgain == extension))
    std::abort();
  return 0;
}
