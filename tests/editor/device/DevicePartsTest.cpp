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
  EXPECT_EQ(WithPortPaths("Checking serial port COM1", ports), "Checking serial port COM1 (ttyS0)");
  EXPECT_EQ(WithPortPaths("COM12:9600-N-8-1", ports), "COM12 (ttyUSB3):9600-N-8-1");
  EXPECT_EQ(WithPortPaths("COM12:9600-N-8-1", ports, DeviceForm::FullPath),
            "COM12 (" + byId + "):9600-N-8-1");
  EXPECT_EQ(KernelDeviceName("/dev/pts/3"), "pts/3");
  EXPECT_EQ(WithPortPaths("COM2 and COM", ports), "COM2 and COM");  // COM2 is not mapped
  EXPECT_EQ(WithPortPaths("COM123", ports), "COM123");
}

}  // namespace
}  // namespace mx::editor
