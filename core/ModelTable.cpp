#include "core/ModelTable.h"

#include <algorithm>
#include <cctype>

namespace mx {

namespace {
bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

const ModelInfo* ModelByIndex(ModelIndex model) {
  return IsKnownModel(model) ? &kModelTable[static_cast<std::size_t>(model)] : nullptr;
}

const ModelInfo* ModelByIdentification(std::string_view identification) {
  for (const auto& model : kModelTable) {
    if (model.identification == identification)
      return &model;
  }
  return nullptr;
}

const ModelInfo* ModelByAnyName(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '7')
    return ModelByIndex(text[0] - '0');
  for (const auto& model : kModelTable) {
    if (EqualNoCase(model.name, text) || EqualNoCase(model.identification, text))
      return &model;
  }
  return nullptr;
}

bool IsNetworkModel(ModelIndex model) {
  const ModelInfo* info = ModelByIndex(model);
  return info && info->network;
}
bool HasToggleSwitch(ModelIndex model) {
  const ModelInfo* info = ModelByIndex(model);
  return info && info->toggleSwitch;
}
bool IsRs232Only(ModelIndex model) {
  const ModelInfo* info = ModelByIndex(model);
  return info && info->rs232Only;
}
int ChannelCount(ModelIndex model) {
  const ModelInfo* info = ModelByIndex(model);
  return info ? info->channelCount : 2;
}

std::string_view ModelCaption(ModelIndex model) {
  const ModelInfo* info = ModelByIndex(model);
  return info ? info->name : kNoModelCaption;
}

std::string ModelCommandPrompt(ModelIndex model) {
  return "Set model to " + std::string(ModelCaption(model));
}

}  // namespace mx
