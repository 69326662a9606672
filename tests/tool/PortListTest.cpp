// --port and --ports: names, ranges and device paths against the ports this machine has.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"
#include "tool/PortList.h"

namespace mx::tool {
namespace {

TEST(PortListTest, NamesRangesAndPathsBecomeExistingPorts) {
  test::TempDir dir;
  const std::string device = dir.File("ttyX");
  std::filesystem::create_directory(device);
  std::filesystem::create_directory_symlink(device, dir.File("by-id-link"));
  PortMap ports;
  for (int port : {1, 2, 3, 5, 8})
    ports.Set(port, "/dev/null-" + std::to_string(port));
  ports.Set(12, dir.File("by-id-link"));

  const struct {
    std::string list;
    bool single;
    std::vector<int> ports;
    std::string error;
  } cases[] = {
      {"COM2", true, {2}, ""},
      {"com5", true, {5}, ""},
      {"/dev/null-8", true, {8}, ""},
      {device, true, {12}, ""},  // the same device as a mapped link to it
      {"COM1-COM8", false, {1, 2, 3, 5, 8}, ""},
      {"COM5,COM1-COM3,/dev/null-2,COM12", false, {5, 1, 2, 3, 12}, ""},
      {"COM4", true, {}, "COM4 does not exist"},
      {"COM21", false, {}, "neither COM1..COM20 nor a device path"},
      {"COM9-COM11", false, {}, "no port of COM9-COM11 exists"},
      {"COM8-COM1", false, {}, "not a range"},
      {"COM1,,COM2", false, {}, "an empty entry"},
      {"/dev/ttyNone", false, {}, "is not one of the ports"},
      {"COM1,COM2", true, {}, "--port takes one port"},
      {dir.File("by-*"), false, {12}, ""},
      {dir.File("tty*"), false, {12}, ""},  // the device and its link are one port
      {dir.File("tty[YZ]"), false, {}, "no device matches"},
      {dir.File("by-*"), true, {}, "--port takes one port"},
      {"/dev/nu[l]l,/dev/null", false, {0}, ""},  // a device beyond COM1..COM20, once
      {"/dev/null", true, {}, "/dev/null is not one of the ports"},
      {"COM1-COM3", true, {}, "--port takes one port"},
  };
  for (const auto& c : cases) {
    const PortChoice choice = ParsePortList(c.list, ports, c.single);
    EXPECT_EQ(choice.ports, c.ports) << c.list;
    EXPECT_EQ(choice.named.size(), choice.ports.size()) << c.list;
    if (c.error.empty())
      EXPECT_EQ(choice.error, "") << c.list;
    else
      EXPECT_NE(choice.error.find(c.error), std::string::npos) << c.list << ": " << choice.error;
  }
}

}  // namespace
}  // namespace mx::tool
