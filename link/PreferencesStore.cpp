#include "link/PreferencesStore.h"

namespace mx {

std::string MemoryPreferencesStore::Name(std::string_view section, std::string_view key) {
  std::string name(section);
  name += '/';
  name += key;
  return name;
}

int MemoryPreferencesStore::ReadInt(std::string_view section, std::string_view key, int fallback) {
  const auto it = values_.find(Name(section, key));
  if (it == values_.end())
    return fallback;
  if (const int* value = std::get_if<int>(&it->second))
    return *value;
  return fallback;
}

void MemoryPreferencesStore::WriteInt(std::string_view section, std::string_view key, int value) {
  values_[Name(section, key)] = value;
}

std::string MemoryPreferencesStore::ReadText(std::string_view section, std::string_view key,
                                             std::string_view fallback) {
  const auto it = values_.find(Name(section, key));
  if (it == values_.end())
    return std::string(fallback);
  if (const std::string* value = std::get_if<std::string>(&it->second))
    return *value;
  return std::to_string(std::get<int>(it->second));
}

void MemoryPreferencesStore::WriteText(std::string_view section, std::string_view key,
                                       std::string_view value) {
  values_[Name(section, key)] = std::string(value);
}

void MemoryPreferencesStore::Remove(std::string_view section, std::string_view key) {
  values_.erase(Name(section, key));
}

}  // namespace mx
