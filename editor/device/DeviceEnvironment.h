#pragma once
// What the device commands of the window run on: the stored preferences, the serial line, the
// tick counter and the port map. The program uses the machine's; tests pass the simulated ones.

#include <functional>
#include <memory>

#include "link/Clock.h"
#include "link/PortMap.h"
#include "link/PreferencesStore.h"
#include "link/SerialLine.h"

namespace mx::editor {

struct DeviceEnvironment {
  PreferencesStore* store = nullptr;
  SerialLine* line = nullptr;
  Clock* clock = nullptr;
  // Built again for every command, so an adapter plugged in meanwhile is seen.
  std::function<PortMap()> ports;
};

// The machine's: QSettings, POSIX serial devices, the monotonic clock and the system port map.
class SystemDeviceEnvironment {
 public:
  SystemDeviceEnvironment();
  ~SystemDeviceEnvironment();
  DeviceEnvironment& Get() { return environment_; }

 private:
  std::unique_ptr<PreferencesStore> store_;
  std::unique_ptr<SerialLine> line_;
  std::unique_ptr<Clock> clock_;
  DeviceEnvironment environment_;
};

}  // namespace mx::editor
