#pragma once
// Where the interface was last found: the port and the line settings it answered on. Kept in the
// document and, after a successful Find, in section "Settings" of the stored preferences.

#include <string>

#include "link/PreferencesStore.h"

namespace mx {

struct LinkSettings {
  int portNumber = -1;  // 1..20; -1: no known place
  int baudRate = 0;
  int parity = 'N';  // character codes, as stored
  int dataBits = '8';
  int stopBits = '1';
  bool operator==(const LinkSettings&) const = default;
};

inline constexpr std::string_view kSettingsSection = "Settings";

// "19200-E-7-1": the line settings as the Status page and the connection lines show them.
std::string LineSettingsText(const LinkSettings& settings);

// Reads the five keys; if any is missing (-1) the place is unknown and portNumber becomes -1.
void LoadLinkSettings(PreferencesStore& store, LinkSettings& settings);
// Writes the five keys in the order "ComPort", "Baud", "Parity", "DataBits", "StopBits".
void SaveLinkSettings(PreferencesStore& store, const LinkSettings& settings);

}  // namespace mx
