#pragma once
// The program names serial ports COM1..COM20; on this system each stands for a device path. Every
// text that names a port shows the device beside it, so the user can tell which one is meant. In
// lines of fixed width the device goes by its kernel name ("ttyUSB0"), which keeps the line
// settings after it in view; the full path ("/dev/serial/by-id/usb-...-port0") goes in a tooltip
// and in the notice window.

#include <string>

#include "link/PortMap.h"

namespace mx::editor {

enum class DeviceForm { KernelName, FullPath };

// The kernel's name of a device: its path under /dev once its links are followed ("ttyUSB0" for a
// /dev/serial/by-id link, "pts/3" for a pseudo-terminal); elsewhere the last part of that path.
std::string KernelDeviceName(const std::string& path);

// " (<device>)" in `form` for COM`port`, to go beside a text that names the port; empty for a port
// the map does not know (0: none).
std::string DeviceBeside(int port, const PortMap& ports, DeviceForm form = DeviceForm::KernelName);

}  // namespace mx::editor
