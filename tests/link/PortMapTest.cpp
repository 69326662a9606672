// COMn to device paths: environment override, the user's "Ports" section, the stable default.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "link/PortMap.h"
#include "link/PreferencesStore.h"

namespace mx {
namespace {

class PortMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/mxportsXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    root = dir;
    std::filesystem::create_directories(root + "/by-id");
    for (int i = 0; i < 4; ++i) {
      std::filesystem::create_directories(root + "/tty/ttyS" + std::to_string(i));
      std::ofstream(root + "/tty/ttyS" + std::to_string(i) + "/type") << (i == 1 || i == 3 ? 4 : 0);
    }
    std::filesystem::create_directories(root + "/tty/ttyUSB0");
    std::ofstream(root + "/by-id/usb-FTDI_B-if00-port0");
    std::ofstream(root + "/by-id/usb-FTDI_A-if00-port0");
    sources.getenv = [this](const char* name) -> const char* {
      const auto it = environment.find(name);
      return it == environment.end() ? nullptr : it->second.c_str();
    };
    sources.environmentNames = [this] {
      std::vector<std::string> names;
      for (const auto& [name, value] : environment)
        names.push_back(name);
      return names;
    };
    sources.serialById = root + "/by-id";
    sources.sysClassTty = root + "/tty";
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  std::string root;
  std::map<std::string, std::string> environment;
  PortMap::Sources sources;
};

TEST_F(PortMapTest, DefaultPutsUsbAdaptersFirstThenRealUarts) {
  const PortMap map = PortMap::Build(sources);
  EXPECT_EQ(map.PathOf(1), root + "/by-id/usb-FTDI_A-if00-port0");
  EXPECT_EQ(map.PathOf(2), root + "/by-id/usb-FTDI_B-if00-port0");
  EXPECT_EQ(map.PathOf(3), "/dev/ttyS1");  // ttyS0 and ttyS2 have no UART
  EXPECT_EQ(map.PathOf(4), "/dev/ttyS3");
  EXPECT_FALSE(map.PathOf(5));
  EXPECT_FALSE(map.PathOf(0));
  EXPECT_FALSE(map.PathOf(21));
  EXPECT_EQ(map.Describe(3), "COM3 (/dev/ttyS1)");
  EXPECT_EQ(map.Describe(5), "COM5");
}

TEST_F(PortMapTest, StoredPortsComeFirstAndDefaultsFillTheGaps) {
  MemoryPreferencesStore store;
  store.WriteText("Ports", "COM2", "/dev/ttyS3");
  store.WriteText("Ports", "COM20", "/dev/ttyACM7");
  sources.store = &store;
  const PortMap map = PortMap::Build(sources);
  EXPECT_EQ(map.PathOf(1), root + "/by-id/usb-FTDI_A-if00-port0");
  EXPECT_EQ(map.PathOf(2), "/dev/ttyS3");
  EXPECT_EQ(map.PathOf(3), root + "/by-id/usb-FTDI_B-if00-port0");
  EXPECT_EQ(map.PathOf(4), "/dev/ttyS1");
  EXPECT_FALSE(map.PathOf(5));  // ttyS3 is not listed twice
  EXPECT_EQ(map.PathOf(20), "/dev/ttyACM7");
}

TEST_F(PortMapTest, EnvironmentOverrideLeavesOnlyTheMappedPorts) {
  environment["MXSETUP_COM7"] = "/tmp/sim7";
  environment["MXSETUP_COM21"] = "/tmp/ignored";
  environment["MXSETUP_COMX"] = "/tmp/ignored";
  MemoryPreferencesStore store;
  store.WriteText("Ports", "COM2", "/dev/ttyS3");
  sources.store = &store;
  const PortMap map = PortMap::Build(sources);
  for (int port = 1; port <= 20; ++port) {
    if (port == 7)
      EXPECT_EQ(map.PathOf(port), "/tmp/sim7");
    else
      EXPECT_FALSE(map.PathOf(port)) << port;
  }
}

}  // namespace
}  // namespace mx
