#include "link/PortMap.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/PreferencesStore.h"

extern char** environ;

namespace mx {
namespace {

constexpr std::string_view kEnvironmentPrefix = "MXSETUP_COM";
constexpr std::string_view kPortsSection = "Ports";

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
    if (name.rfind("ttyS", 0) != 0 || name.size() == 4)
      continue;
    if (!std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
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
      if (digits.empty() || digits.size() > 2 ||
          !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
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
  int port = kFirstComPort;
  for (const std::string& path : candidates) {
    if (std::find(map.paths_.begin(), map.paths_.end(), path) != map.paths_.end())
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
