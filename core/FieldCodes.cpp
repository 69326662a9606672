#include "core/FieldCodes.h"

#include <algorithm>
#include <array>

#include "core/ImageOperations.h"
#include "core/ModelTable.h"

namespace mx {
namespace {

constexpr int kHostBauds[] = {1200, 2400, 4800, 9600, 19200};
constexpr int kGageBauds[] = {1200, 2400, 4800, 9600, 19200, 38400};
constexpr int kParities[] = {'N', 'E', 'O'};
constexpr int kDataBits[] = {'7', '8'};
constexpr int kHostStopBits[] = {'1'};
constexpr int kGageStopBits[] = {'1', '2'};
constexpr int kDecimals[] = {0, 1, 2, 3, 4, 5, 6, decimals::kVariable};
constexpr int kNone[] = {0};
constexpr int kUpTo[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

constexpr std::span<const int> Upto(int last) {
  return std::span<const int>(kUpTo, static_cast<std::size_t>(last + 1));
}

constexpr FieldCodes kCodes[] = {
    {"hostBaud", kHostBauds},
    {"hostParity", kParities},
    {"hostDataBits", kDataBits},
    {"hostStopBits", kHostStopBits},
    {"hostHandshake", Upto(2)},
    {"startChannelMode", Upto(startChannel::kCustom)},
    {"readSwitchMode", Upto(readSwitch::kSendString)},
    {"gageType", Upto(gage::kDisabled)},
    {"outputFormat", Upto(outputFormat::kCustom)},
    {"idMode", Upto(idMode::kSuffix)},
    {"unitsConversion", Upto(unitsConversion::kInchToMm)},
    {"unitsDecimals", kDecimals},
    {"endOfOutputMode", Upto(endOfOutput::kCustom)},
    {"gageBaud", kGageBauds},
    {"gageParity", kParities},
    {"gageDataBits", kDataBits},
    {"gageStopBits", kGageStopBits},
    {"endOfPacketMode", Upto(endOfPacket::kGap)},
    {"readCommandMode", Upto(readCommand::kCommandString)},
    {"noResponseAction", Upto(noResponse::kDiscardLate)},
    {"equationDecimals", kDecimals},
    {"customFeature", kNone},
    {"toggleMode", Upto(toggle::kRestartSequence)},
    {"modelIndex", Upto(kModelCount - 1)},
};
static_assert(kModelCount <= 10);

int ValueAt(const ParameterImage& image, const FieldInfo& info, int element) {
  const std::span<const uint8_t> bytes = image.Span(info, element);
  switch (info.type) {
    case FieldType::I8:
      return static_cast<int8_t>(bytes[0]);
    case FieldType::U16:
      return bytes[0] | (bytes[1] << 8);
    default:
      return bytes[0];
  }
}

std::string Shown(const FieldInfo& info, int value) {
  return info.type == FieldType::Char ? "\"" + std::string(1, static_cast<char>(value)) + "\""
                                      : std::to_string(value);
}

}  // namespace

const FieldCodes* CodesOf(std::string_view field) {
  for (const FieldCodes& codes : kCodes) {
    if (codes.field == field)
      return &codes;
  }
  return nullptr;
}

std::vector<CodeViolation> ValuesOutsideCodes(const ParameterImage& image) {
  std::vector<CodeViolation> found;
  for (const FieldInfo& info : kFieldTable) {
    const FieldCodes* codes = CodesOf(info.name);
    if (!codes)
      continue;
    for (int element = 0; element < info.count; ++element) {
      const int value = ValueAt(image, info, element);
      if (std::find(codes->values.begin(), codes->values.end(), value) != codes->values.end())
        continue;
      std::string allowed;
      for (const int code : codes->values)
        allowed += (allowed.empty() ? "" : ", ") + Shown(info, code);
      const std::string name(info.name);
      found.push_back(
          {info.count == kChannelCount ? name + "[" + static_cast<char>('A' + element) + "]" : name,
           Shown(info, value), allowed});
    }
  }
  return found;
}

}  // namespace mx
