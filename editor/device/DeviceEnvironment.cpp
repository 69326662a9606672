#include "editor/device/DeviceEnvironment.h"

#include "link/PosixSerialLine.h"
#include "link/QSettingsStore.h"

namespace mx::editor {

SystemDeviceEnvironment::SystemDeviceEnvironment()
    : store_(std::make_unique<QSettingsStore>()),
      line_(std::make_unique<PosixSerialLine>()),
      clock_(std::make_unique<SteadyClock>()) {
  environment_.store = store_.get();
  environment_.line = line_.get();
  environment_.clock = clock_.get();
  PreferencesStore* store = store_.get();
  environment_.ports = [store] { return PortMap::FromSystem(store); };
}

SystemDeviceEnvironment::~SystemDeviceEnvironment() = default;

}  // namespace mx::editor
