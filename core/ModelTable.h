#pragma once
// The eight interface models and what each one allows.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mx {

using ModelIndex = int;  // 0..7 for a known model; a loaded image may carry anything

inline constexpr int kModelCount = 8;

struct ModelInfo {
  ModelIndex index;
  std::string_view name;
  std::string_view identification;  // what the interface answers to "<$B", before ": <settings>"
  int channelCount;
  std::string_view inputs;  // About box text
  bool network;
  bool toggleSwitch;  // toggle switch and the read switch step modes
  bool rs232Only;
};

inline constexpr std::array<ModelInfo, kModelCount> kModelTable{{
    {0, "Mesurix3 Plus", "MX3-PLUS-00", 2, "2 digital/RS232 inputs", false, false, false},
    {1, "Mesurix3 Network", "MX3-NTWK-00", 2, "2 digital/RS232 inputs with network output", true,
     false, false},
    {2, "Mesurix4 Plus", "MX4-PLUS-00", 2, "2 RS232 inputs", false, false, true},
    {3, "Mesurix4 Network", "MX4-NTWK-00", 2, "2 RS232 inputs with network output", true, false,
     true},
    {4, "Mesurix5 Plus", "MX5-PLUS-00", 5, "4 digital/RS232 + 1 RS232 inputs", false, true, false},
    {5, "Mesurix5 Network", "MX5-NTWK-00", 5,
     "4 digital/RS232 + 1 RS232 inputs with network output", true, true, false},
    {6, "Mesurix6 Plus", "MX6-PLUS-00", 5, "5 RS232 inputs", false, true, true},
    {7, "Mesurix6 Network", "MX6-NTWK-00", 5, "5 RS232 inputs with network output", true, true,
     true},
}};

inline constexpr std::string_view kNoModelCaption = "MXSetup";
inline constexpr std::string_view kUnknownCodeText = "???";

constexpr bool IsKnownModel(ModelIndex model) {
  return model >= 0 && model < kModelCount;
}

// nullptr for an index outside 0..7.
const ModelInfo* ModelByIndex(ModelIndex model);
const ModelInfo* ModelByIdentification(std::string_view identification);
// A model named on a command line: "5", "Mesurix5 Network" or "MX5-NTWK-00" (case-insensitive).
const ModelInfo* ModelByAnyName(std::string_view text);

// The derived rules, by index. Unknown models have no network, no toggle switch, two channels.
bool IsNetworkModel(ModelIndex model);
bool HasToggleSwitch(ModelIndex model);
bool IsRs232Only(ModelIndex model);
int ChannelCount(ModelIndex model);

// Window caption base: the model name, or "MXSetup" for an unknown index.
std::string_view ModelCaption(ModelIndex model);
// Status line prompt of the model commands: "Set model to Mesurix3 Plus".
std::string ModelCommandPrompt(ModelIndex model);

}  // namespace mx
