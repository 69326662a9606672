#include "link/LinkSettings.h"

#include <cstdio>

namespace mx {
namespace {
constexpr std::string_view kComPortKey = "ComPort";
constexpr std::string_view kBaudKey = "Baud";
constexpr std::string_view kParityKey = "Parity";
constexpr std::string_view kDataBitsKey = "DataBits";
constexpr std::string_view kStopBitsKey = "StopBits";
}  // namespace

std::string LineSettingsText(const LinkSettings& settings) {
  char text[64];
  std::snprintf(text, sizeof text, "%d-%c-%c-%c", settings.baudRate, settings.parity,
                settings.dataBits, settings.stopBits);
  return text;
}

void LoadLinkSettings(PreferencesStore& store, LinkSettings& settings) {
  settings.portNumber = store.ReadInt(kSettingsSection, kComPortKey, -1);
  settings.baudRate = store.ReadInt(kSettingsSection, kBaudKey, -1);
  settings.parity = store.ReadInt(kSettingsSection, kParityKey, -1);
  settings.dataBits = store.ReadInt(kSettingsSection, kDataBitsKey, -1);
  settings.stopBits = store.ReadInt(kSettingsSection, kStopBitsKey, -1);
  if (settings.baudRate == -1 || settings.parity == -1 || settings.dataBits == -1 ||
      settings.stopBits == -1)
    settings.portNumber = -1;
}

void SaveLinkSettings(PreferencesStore& store, const LinkSettings& settings) {
  store.WriteInt(kSettingsSection, kComPortKey, settings.portNumber);
  store.WriteInt(kSettingsSection, kBaudKey, settings.baudRate);
  store.WriteInt(kSettingsSection, kParityKey, settings.parity);
  store.WriteInt(kSettingsSection, kDataBitsKey, settings.dataBits);
  store.WriteInt(kSettingsSection, kStopBitsKey, settings.stopBits);
}

}  // namespace mx
