// The parts of the device command windows that need no running window: the percentage bar and
// port names with their devices.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/device/FindProgressWindow.h"
#include "editor/device/PortText.h"
#include "link/PortMap.h"
#include "tests/support/TempDir.h"

namespace mx::editor {
namespace {

TEST(DevicePartsTest, PercentIsRoundedAndHeldInRange) {
  EXPECT_EQ(ShownPercent(0, 100), 0);
  EXPECT_EQ(ShownPercent(1, 3), 33);
  EXPECT_EQ(ShownPercent(2, 3), 67);
  EXPECT_EQ(ShownPercent(150, 100), 100);
  EXPECT_EQ(ShownPercent(-5, 100), 0);
  EXPECT_EQ(ShownPercent(7, 0), 100);

  PercentBar bar;
  EXPECT_TRUE(bar.SetPercent(5));
  EXPECT_FALSE(bar.SetPercent(5));  // same figure: no repaint
}

TEST(DevicePartsTest, EveryComPortNamedShowsItsDevice) {
  // A USB adapter's stable name is a link to the kernel's device.
  test::TempDir dev;
  std::filesystem::create_directories(dev.path() / "serial/by-id");
  { std::ofstream device(dev.File("ttyUSB3")); }
  const std::string byId = dev.File("serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0");
  std::filesystem::create_symlink("../../ttyUSB3", byId);

  PortMap ports;
  ports.Set(1, "/dev/ttyS0");
  ports.Set(12, byId);
  EXPECT_EQ(DeviceBeside(1, ports), " (ttyS0)");
  EXPECT_EQ(DeviceBeside(12, ports), " (ttyUSB3)");
  EXPECT_EQ(DeviceBeside(12, ports, DeviceForm::FullPath), " (" + byId + ")");
  EXPECT_EQ(KernelDeviceName("/dev/pts/3"), "pts/3");
  EXPECT_EQ(DeviceBeside(2, ports), "");  // COM2 is not mapped
}

}  // namespace
}  // namespace mx::editor
