#pragma once
// Per-user stored preferences: sections of integer and text keys. The programs use QSettings
// (QSettingsStore); tests use the in-memory store, which behaves the same (one contract test suite
// runs over both).
//
// Section and key names are case-sensitive. Texts are UTF-8. Everything is stored as text, so a
// text that spells a decimal integer in the range of int (blanks around it allowed, "+" too) reads
// back as that integer, and an integer reads back as its decimal text.

#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace mx {

class PreferencesStore {
 public:
  virtual ~PreferencesStore() = default;
  // `fallback` when the key is missing or does not hold an integer in the range of int.
  virtual int ReadInt(std::string_view section, std::string_view key, int fallback) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
  virtual std::string ReadText(std::string_view section, std::string_view key,
                               std::string_view fallback) = 0;
  virtual void WriteText(std::string_view section, std::string_view key,
                         std::string_view value) = 0;
};

class MemoryPreferencesStore : public PreferencesStore {
 public:
  using Value = std::variant<int, std::string>;

  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view fallback) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  void Remove(std::string_view section, std::string_view key);
  // "Section/Key" -> value, in key order; what a test inspects.
  const std::map<std::string, Value>& Values() const { return values_; }

 private:
  static std::string Name(std::string_view section, std::string_view key);
  std::map<std::string, Value> values_;
};

}  // namespace mx
