#pragma once
// COM1..COM20 of the setup program mapped to device paths. The user's "Ports" section names a path
// per port; MXSETUP_COM<n>=PATH in the environment overrides everything (when any such variable is
// set, only the mapped ports exist), and otherwise USB adapters come first in the stable order of
// /dev/serial/by-id, then the built-in ports that really have a UART. The default leaves out the
// ports the system itself talks on (its console, a login terminal): a scan would send probes to
// them and leave them changed. A user who really means one maps it in "Ports".

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mx {

class PreferencesStore;

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 20;

class PortMap {
 public:
  PortMap() = default;

  // The production map: environment, then `store` (may be null), then the default.
  static PortMap FromSystem(PreferencesStore* store);
  // The same rules over given sources, so they can be tested without touching the machine.
  struct Sources {
    std::function<const char*(const char*)> getenv;
    std::function<std::vector<std::string>()> environmentNames;  // "MXSETUP_COM3", ...
    PreferencesStore* store = nullptr;
    std::string serialById = "/dev/serial/by-id";
    std::string sysClassTty = "/sys/class/tty";
    std::string proc = "/proc";
  };
  static PortMap Build(const Sources& sources);

  void Set(int port, std::string path);
  // Empty when COMn is not mapped (the port does not exist).
  std::optional<std::string> PathOf(int port) const;
  // "COM3" or "COM3 (/dev/ttyUSB0)": the port number with its path, where one is known.
  std::string Describe(int port) const;

 private:
  std::array<std::string, kLastComPort + 1> paths_{};
};

}  // namespace mx
