#include "link/PreferencesStore.h"

#include <charconv>

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
  // A text reads as an integer when QSettings would read it as one: decimal, in range, blanks
  // around it and a plus sign allowed.
  std::string_view text = std::get<std::string>(it->second);
  constexpr std::string_view kBlanks = " \t\n\v\f\r";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return fallback;
  text = text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-')
    text.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc{} && end == text.data() + text.size() ? number : fallback;
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
