// The stored place: five integers in section "Settings", -1 for anything missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/LinkSettings.h"
#include "link/QSettingsStore.h"

namespace mx {
namespace {

TEST(LinkSettingsTest, SavesCharacterCodesInKeyOrder) {
  MemoryPreferencesStore store;
  SaveLinkSettings(store, LinkSettings{3, 4800, 'E', '7', '1'});
  const auto& values = store.Values();
  EXPECT_EQ(std::get<int>(values.at("Settings/ComPort")), 3);
  EXPECT_EQ(std::get<int>(values.at("Settings/Baud")), 4800);
  EXPECT_EQ(std::get<int>(values.at("Settings/Parity")), 69);
  EXPECT_EQ(std::get<int>(values.at("Settings/DataBits")), 55);
  EXPECT_EQ(std::get<int>(values.at("Settings/StopBits")), 49);
  LinkSettings loaded;
  LoadLinkSettings(store, loaded);
  EXPECT_EQ(loaded, (LinkSettings{3, 4800, 'E', '7', '1'}));
}

TEST(LinkSettingsTest, AnyMissingKeyMeansNoKnownPlace) {
  MemoryPreferencesStore store;
  LinkSettings loaded;
  LoadLinkSettings(store, loaded);
  EXPECT_EQ(loaded.portNumber, -1);

  SaveLinkSettings(store, LinkSettings{2, 19200, 'O', '7', '1'});
  store.Remove("Settings", "StopBits");
  LoadLinkSettings(store, loaded);
  EXPECT_EQ(loaded.portNumber, -1);

  store.WriteText("Settings", "StopBits", "one");  // not an integer: as good as missing
  LoadLinkSettings(store, loaded);
  EXPECT_EQ(loaded.portNumber, -1);
}

TEST(QSettingsStoreTest, SharesOneIniFileUnderTheCompanyName) {
  char dir[] = "/tmp/mxconfXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  setenv("XDG_CONFIG_HOME", dir, 1);
  {
    QSettingsStore store;
    SaveLinkSettings(store, LinkSettings{2, 19200, 'O', '7', '1'});
    store.WriteText("Ports", "COM2", "/dev/ttyUSB1");
    EXPECT_EQ(store.FileName(), std::string(dir) + "/Brantwick Systems/MXSetup.conf");
  }
  QSettingsStore again;  // what the next program run sees
  LinkSettings loaded;
  LoadLinkSettings(again, loaded);
  EXPECT_EQ(loaded, (LinkSettings{2, 19200, 'O', '7', '1'}));
  EXPECT_EQ(again.ReadText("Ports", "COM2", ""), "/dev/ttyUSB1");
  std::ifstream file(again.FileName());
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("[Settings]"), std::string::npos);
  EXPECT_NE(text.str().find("Parity=79"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace mx
