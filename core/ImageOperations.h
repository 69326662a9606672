#pragma once
// Whole-image operations: defaults, channel copy, load corrections, checksum, device strings and
// the custom output format.

#include <cstdint>
#include <span>
#include <string>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"

namespace mx {

// "1.00" + five blanks + NUL, the first ten bytes of every image and of the extension block.
inline constexpr std::string_view kFormatVersionText = "1.00     ";

// 32-bit checksum of image bytes 0..3296. Not a standard CRC: the register is never masked to 16
// bits.
uint32_t ImageChecksum(const ParameterImage& image);
// The per-byte steps over any bytes from a start value (exposed for the published check vectors).
uint32_t ChecksumBytes(std::span<const uint8_t> bytes, uint32_t start = 0);
void StoreChecksum(ParameterImage& image);
bool ChecksumMatches(const ParameterImage& image);

// Decodes "\xHH" escapes of a typed device string into `out` and normalises each escape in `text`
// to lower case. Writes at most out.size() bytes and returns the number written.
uint16_t TranslateHexEscapes(std::string& text, std::span<uint8_t> out);
// Decodes one typed text of the image into its bytes buffer (zero-filled first) and writes the
// normalised escapes back into the typed text, in place, so a text without a terminator keeps
// every byte. Returns the number of decoded bytes.
uint16_t DecodeTypedText(ParameterImage& image, Field<FieldType::Text> textField,
                         Field<FieldType::Bytes> bytesField, int channel);

// Values of `gageType`: the digital gages, then the RS232 input and the switched-off channel.
namespace gage {
inline constexpr int8_t kAutoSelect = 0;
inline constexpr int8_t kCdi = 1;
inline constexpr int8_t kFederal = 2;
inline constexpr int8_t kMitutoyo = 3;
inline constexpr int8_t kOnoSokki = 4;
inline constexpr int8_t kRs232 = 5;
inline constexpr int8_t kDisabled = 6;
}  // namespace gage

// Default groups. Every field not named by a group keeps its value.
void ResetGlobalDefaults(ParameterImage& image);
void ResetHostSerialDefaults(ParameterImage& image);
void ResetNetworkDefaults(ParameterImage& image);
void ResetToggleDefaults(ParameterImage& image);
void ResetChannelDefaults(ParameterImage& image, int channel, ModelIndex model);
// All zeros, then every group, then `modelIndex`. The extension block is the caller's (document's).
void ResetImageToDefaults(ParameterImage& image, ModelIndex model);
int8_t DefaultGageType(int channel, ModelIndex model);

void CopyChannel(ParameterImage& image, int source, int target);

// Corrections applied to every image read from a file or from the interface.
void ApplyLoadFixups(ParameterImage& image);

// Compiles `customFormatText` of one channel into its items (the typed text's escapes are
// normalised on the way, as the editor does).
void CompileCustomFormat(ParameterImage& image, int channel);

// The two image rules of a change of model, applied to all five channels.
void ApplyModelRules(ParameterImage& image, ModelIndex newModel);

// What the editor does when it stores a channel's pages: the encoded text triplets are decoded by
// their owning modes and the custom format is compiled. Channel A also carries the host string.
void EncodeChannelTexts(ParameterImage& image, int channel);

}  // namespace mx
