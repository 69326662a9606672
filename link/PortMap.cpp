#include "link/PortMap.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "link/PreferencesStore.h"

extern char** environ;

namespace mx {
namespace {

constexpr std::string_view kEnvironmentPrefix = "MXSETUP_COM";
constexpr std::string_view kPortsSection = "Ports";

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ComName(int port) {
  return "COM" + std::to_string(port);
}

// Built-in UARTs: the kernel registers ttyS0..ttyS31 whether or not a chip is there; sysfs "type"
// 0 means none, and each such ghost would cost a scan 4.5 s of probing.
std::vector<std::string> BuiltInPorts(const std::string& sysClassTty) {
  std::vector<std::pair<int, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(sysClassTty, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("ttyS", 0) != 0 || !AllDigits(std::string_view(name).substr(4)))
      continue;
    std::ifstream typeFile(entry.path() / "type");
    int type = 0;
    if (!(typeFile >> type) || type == 0)
      continue;
    found.emplace_back(std::atoi(name.c_str() + 4), "/dev/" + name);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& [number, path] : found)
    paths.push_back(std::move(path));
  return paths;
}

std::vector<std::string> UsbAdapters(const std::string& serialById) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(serialById, error))
    paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string FirstLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// Terminals the system talks on itself, by kernel name ("ttyS0") and by device number ("4:64").
struct SystemTerminals {
  std::set<std::string> names;
  std::set<std::string> numbers;

  bool Has(const std::string& name, const std::string& sysClassTty) const {
    if (names.count(name))
      return true;
    const std::string number = FirstLine(std::filesystem::path(sysClassTty) / name / "dev");
    return !number.empty() && numbers.count(number);
  }
};

SystemTerminals FindSystemTerminals(const std::string& sysClassTty, const std::string& proc) {
  SystemTerminals found;
  // The kernel's consoles ("console=ttyS0"), named in both places by different kernels.
  std::istringstream active(FirstLine(std::filesystem::path(sysClassTty) / "console" / "active"));
  for (std::string name; active >> name;)
    found.names.insert(name);
  std::ifstream consoles(proc + "/consoles");
  for (std::string line; std::getline(consoles, line);) {
    std::istringstream fields(line);
    std::string name, field, last;
    fields >> name;
    while (fields >> field)
      last = field;
    found.names.insert(name);
    found.numbers.insert(last);
  }
  // A login terminal: a getty or a shell has it as its controlling terminal. Field 7 of
  // /proc/PID/stat, counted after the command name, which may itself hold blanks and ')'.
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(proc, error)) {
    if (!AllDigits(entry.path().filename().string()))
      continue;
    const std::string stat = FirstLine(entry.path() / "stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
      continue;
    std::istringstream fields(stat.substr(close + 1));
    std::string state;
    long ppid = 0, group = 0, session = 0, tty = 0;
    if (!(fields >> state >> ppid >> group >> session >> tty) || tty == 0)
      continue;
    const long major = (tty >> 8) & 0xfff;
    const long minor = (tty & 0xff) | ((tty >> 12) & 0xfff00);
    found.numbers.insert(std::to_string(major) + ":" + std::to_string(minor));
  }
  found.numbers.erase("");
  return found;
}

// The kernel's name of a device path: a /dev/serial/by-id link points at "../../ttyUSB0".
std::string KernelName(const std::string& path) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(path, error);
  return (error ? std::filesystem::path(path) : target).filename().string();
}

std::vector<std::string> EnvironmentNames() {
  std::vector<std::string> names;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view text(*entry);
    if (text.rfind(kEnvironmentPrefix, 0) == 0)
      names.emplace_back(text.substr(0, text.find('=')));
  }
  return names;
}

}  // namespace

PortMap PortMap::FromSystem(PreferencesStore* store) {
  Sources sources;
  sources.getenv = [](const char* name) { return std::getenv(name); };
  sources.environmentNames = EnvironmentNames;
  sources.store = store;
  return Build(sources);
}

PortMap PortMap::Build(const Sources& sources) {
  PortMap map;
  // Scripts and tests: when any override is set, only the overridden ports exist.
  bool overridden = false;
  if (sources.environmentNames) {
    for (const std::string& name : sources.environmentNames()) {
      if (name.rfind(kEnvironmentPrefix, 0) != 0)
        continue;
      const std::string digits = name.substr(kEnvironmentPrefix.size());
      if (digits.size() > 2 || !AllDigits(digits))
        continue;
      const int port = std::atoi(digits.c_str());
      if (port < kFirstComPort || port > kLastComPort)
        continue;
      const char* path = sources.getenv ? sources.getenv(name.c_str()) : nullptr;
      overridden = true;
      if (path && *path)
        map.Set(port, path);
    }
  }
  if (overridden)
    return map;

  if (sources.store) {
    for (int port = kFirstComPort; port <= kLastComPort; ++port) {
      const std::string path = sources.store->ReadText(kPortsSection, ComName(port), "");
      if (!path.empty())
        map.Set(port, path);
    }
  }
  std::vector<std::string> candidates = UsbAdapters(sources.serialById);
  for (std::string& path : BuiltInPorts(sources.sysClassTty))
    candidates.push_back(std::move(path));
  if (candidates.empty())
    return map;
  const SystemTerminals system = FindSystemTerminals(sources.sysClassTty, sources.proc);
  int port = kFirstComPort;
  for (const std::string& path : candidates) {
    if (std::find(map.paths_.begin(), map.paths_.end(), path) != map.paths_.end())
      continue;
    if (system.Has(KernelName(path), sources.sysClassTty))
      continue;
    while (port <= kLastComPort && !map.paths_[static_cast<std::size_t>(port)].empty())
      ++port;
    if (port > kLastComPort)
      break;
    map.Set(port, path);
  }
  return map;
}

void PortMap::Set(int port, std::string path) {
  if (port < kFirstComPort || port > kLastComPort)
    return;
  paths_[static_cast<std::size_t>(port)] = std::move(path);
}

std::optional<std::string> PortMap::PathOf(int port) const {
  if (port < kFirstComPort || port > kLastComPort)
    return std::nullopt;
  const std::string& path = paths_[static_cast<std::size_t>(port)];
  if (path.empty())
    return std::nullopt;
  return path;
}

std::string PortMap::Describe(int port) const {
  const auto path = PathOf(port);
  return path ? ComName(port) + " (" + *path + ")" : ComName(port);
}

}  // namespace mx
