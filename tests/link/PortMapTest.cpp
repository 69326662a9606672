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
      const std::string tty = root + "/tty/ttyS" + std::to_string(i);
      std::filesystem::create_directories(tty);
      std::ofstream(tty + "/type") << (i == 1 || i == 3 ? 4 : 0);
      std::ofstream(tty + "/dev") << "4:" << 64 + i << "\n";
    }
    std::filesystem::create_directories(root + "/tty/ttyUSB0");
    std::ofstream(root + "/tty/ttyUSB0/dev") << "188:0\n";
    std::filesystem::create_directories(root + "/proc/1");
    std::ofstream(root + "/proc/1/stat") << "1 (init) S 0 1 1 0 -1 4194560 0\n";
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
    sources.proc = root + "/proc";
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

TEST_F(PortMapTest, DefaultLeavesOutTheConsoleAndLoginTerminals) {
  // Each case names the system's use of a port and the default ports that remain.
  struct Case {
    const char* file;
    const char* text;
    std::vector<std::string> remaining;
  };
  const std::string usbA = "usb-FTDI_A-if00-port0", usbB = "usb-FTDI_B-if00-port0";
  const Case cases[] = {
      {"tty/console/active", "tty0 ttyS1\n", {usbA, usbB, "/dev/ttyS3"}},
      {"proc/consoles", "ttyS3                -W- (EC  p a)    4:67\n", {usbA, usbB, "/dev/ttyS1"}},
      // A getty on ttyS1 (4:65); the command name holds blanks and a ')'.
      {"proc/77/stat", "77 (a)getty x) S 1 77 77 1089 77 4194560\n", {usbA, usbB, "/dev/ttyS3"}},
      // A login shell on the adapter behind by-id link A (ttyUSB0, 188:0).
      {"proc/78/stat",
       "78 (bash) S 1 78 78 48128 78 4194560\n",
       {usbB, "/dev/ttyS1", "/dev/ttyS3"}},
      // A terminal on a pseudo-terminal takes nothing away.
      {"proc/79/stat",
       "79 (bash) S 1 79 79 34819 79 4194560\n",
       {usbA, usbB, "/dev/ttyS1", "/dev/ttyS3"}},
  };
  std::filesystem::remove(root + "/by-id/" + usbA);
  std::filesystem::create_symlink("../../ttyUSB0", root + "/by-id/" + usbA);
  for (const Case& c : cases) {
    const std::filesystem::path file = root + "/" + c.file;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << c.text;
    const PortMap map = PortMap::Build(sources);
    std::vector<std::string> remaining;
    for (int port = 1; map.PathOf(port); ++port) {
      const std::string path = *map.PathOf(port);
      remaining.push_back(path.rfind(root, 0) == 0 ? path.substr(path.rfind('/') + 1) : path);
    }
    EXPECT_EQ(remaining, c.remaining) << c.file;
    std::filesystem::remove(file);
  }

  // Mapped by hand, the console is the user's choice.
  std::ofstream(root + "/tty/console/active") << "ttyS1\n";
  MemoryPreferencesStore store;
  store.WriteText("Ports", "COM9", "/dev/ttyS1");
  sources.store = &store;
  EXPECT_EQ(PortMap::Build(sources).PathOf(9), "/dev/ttyS1");
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
