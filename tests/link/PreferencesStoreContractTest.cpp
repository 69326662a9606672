// The PreferencesStore contract, run over QSettings on an INI file and over the in-memory store
// that the other tests use, so the two read back the same values.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "link/QSettingsStore.h"
#include "support/RigNames.h"
#include "support/TempDir.h"

namespace mx {
namespace {

// Reopening is what the next run of the program sees: for QSettings, what went through the file.
struct IniRig {
  static constexpr const char* kName = "QSettings";
  test::TempDir dir;
  std::unique_ptr<PreferencesStore> Open() {
    return std::make_unique<QSettingsStore>(QSettingsStore::IniFile{dir.File("prefs.ini")});
  }
  void Reopen(std::unique_ptr<PreferencesStore>& store) {
    store.reset();
    store = Open();
  }
};

struct MemoryRig {
  static constexpr const char* kName = "Memory";
  std::unique_ptr<PreferencesStore> Open() { return std::make_unique<MemoryPreferencesStore>(); }
  void Reopen(std::unique_ptr<PreferencesStore>&) {}
};

template <typename Rig>
class PreferencesStoreContract : public ::testing::Test {
 protected:
  Rig rig;
  std::unique_ptr<PreferencesStore> store = rig.Open();
  void Reopen() { rig.Reopen(store); }
};

using Rigs = ::testing::Types<IniRig, MemoryRig>;
TYPED_TEST_SUITE(PreferencesStoreContract, Rigs, test::RigNames);

TYPED_TEST(PreferencesStoreContract, MissingKeysReadAsTheFallback) {
  this->store->WriteInt("Settings", "Baud", 9600);
  EXPECT_EQ(this->store->ReadInt("Settings", "Parity", -1), -1);
  EXPECT_EQ(this->store->ReadInt("Ports", "Baud", -1), -1);
  EXPECT_EQ(this->store->ReadInt("Settings", "baud", -1), -1);  // names are case-sensitive
  EXPECT_EQ(this->store->ReadText("Ports", "COM1", "none"), "none");
}

TYPED_TEST(PreferencesStoreContract, ValuesReadBackAsWritten) {
  const int numbers[] = {0, 1, -1, 19200, INT_MIN, INT_MAX};
  const std::string texts[] = {"",
                               "/dev/ttyUSB0",
                               "  blanks around  ",
                               "a=b;c \"q\" [x] #h\\",
                               "caf\xC3\xA9",
                               "/dev/serial/by-id/usb-FTDI_Cable-if00-port0"};
  for (std::size_t i = 0; i < std::size(numbers); ++i)
    this->store->WriteInt("Numbers", "N" + std::to_string(i), numbers[i]);
  for (std::size_t i = 0; i < std::size(texts); ++i)
    this->store->WriteText("Texts", "T" + std::to_string(i), texts[i]);
  this->Reopen();
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    const std::string key = "N" + std::to_string(i);
    EXPECT_EQ(this->store->ReadInt("Numbers", key, 7), numbers[i]);
    EXPECT_EQ(this->store->ReadText("Numbers", key, ""), std::to_string(numbers[i]));
  }
  for (std::size_t i = 0; i < std::size(texts); ++i)
    EXPECT_EQ(this->store->ReadText("Texts", "T" + std::to_string(i), "fallback"), texts[i]);
}

// Everything is text underneath: what spells an integer in range reads as one, nothing else does.
TYPED_TEST(PreferencesStoreContract, TextsReadAsIntegersOnlyWhenTheySpellOne) {
  const std::pair<const char*, int> cases[] = {
      {"42", 42},          {" 42 ", 42},  {"+42", 42}, {"-7", -7},   {"010", 10},
      {"one", -1},         {"", -1},      {"4.2", -1}, {"0x10", -1}, {"2147483648", -1},
      {"-2147483649", -1}, {"12abc", -1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    this->store->WriteText("Settings", "K" + std::to_string(i), cases[i].first);
  this->Reopen();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [text, expected] = cases[i];
    EXPECT_EQ(this->store->ReadInt("Settings", "K" + std::to_string(i), -1), expected)
        << '"' << text << '"';
  }
}

TYPED_TEST(PreferencesStoreContract, SectionsKeepTheirOwnKeys) {
  this->store->WriteInt("Settings", "ComPort", 3);
  this->store->WriteText("Ports", "ComPort", "/dev/ttyS0");
  EXPECT_EQ(this->store->ReadInt("Settings", "ComPort", -1), 3);
  EXPECT_EQ(this->store->ReadText("Ports", "ComPort", ""), "/dev/ttyS0");
}

}  // namespace
}  // namespace mx
