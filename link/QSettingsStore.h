#pragma once
// The production preferences store: QSettings of organisation "Brantwick Systems" and the program's
// name, so the setup program and mxtool share one stored place ("MXSetup").

#include <memory>
#include <string>

#include "link/PreferencesStore.h"

class QSettings;

namespace mx {

inline constexpr std::string_view kCompanyName = "Brantwick Systems";
inline constexpr std::string_view kSetupProgramName = "MXSetup";

class QSettingsStore : public PreferencesStore {
 public:
  explicit QSettingsStore(std::string_view application = kSetupProgramName);
  // The same store in an INI file of the caller's choosing (tests, a portable setup).
  struct IniFile {
    std::string path;
  };
  explicit QSettingsStore(const IniFile& file);
  ~QSettingsStore() override;

  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view fallback) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;
  // Where the values live (the INI file), for messages and tests.
  std::string FileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace mx
