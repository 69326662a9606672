#include "tool/PortList.h"

#include <glob.h>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>

namespace mx::tool {
namespace {

// "COM7" (any case) as 7; 0 when the text is not a COM port name.
int ComNumber(std::string_view text) {
  if (text.size() < 4 || (text[0] | 0x20) != 'c' || (text[1] | 0x20) != 'o' ||
      (text[2] | 0x20) != 'm')
    return 0;
  int number = 0;
  const auto [end, error] = std::from_chars(text.data() + 3, text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size())
    return 0;
  return number >= kFirstComPort && number <= kLastComPort ? number : 0;
}

std::string Canonical(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved.string();
}

// The mapped port whose device `path` leads to; 0 when none does.
int PortOfPath(const std::string& path, const PortMap& ports) {
  const std::string wanted = Canonical(path);
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    const auto mapped = ports.PathOf(port);
    if (mapped && (*mapped == path || Canonical(*mapped) == wanted))
      return port;
  }
  return 0;
}

bool IsPath(const std::string& item) {
  return !item.empty() && (item[0] == '/' || item[0] == '.');
}

std::string NotMapped(const std::string& path) {
  return path +
         " is not one of the ports COM1..COM20 (map it in the \"Ports\" "
         "section of the preferences or with MXSETUP_COM<n>=" +
         path + ")";
}

// The paths a shell-style pattern matches, sorted; none when it matches nothing.
std::vector<std::string> Expand(const std::string& pattern) {
  std::vector<std::string> paths;
  glob_t found{};
  if (glob(pattern.c_str(), 0, nullptr, &found) == 0) {
    for (std::size_t i = 0; i < found.gl_pathc; ++i)
      paths.emplace_back(found.gl_pathv[i]);
  }
  globfree(&found);
  return paths;
}

// Adds the ports `item` names to `choice`; false with choice.error set when it names none.
bool AddItem(const std::string& item, const PortMap& ports, bool single, PortChoice& choice) {
  auto add = [&](int port, const std::string& named) {
    for (std::size_t i = 0; i < choice.ports.size(); ++i) {
      if (port != 0 ? choice.ports[i] == port
                    : choice.ports[i] == 0 && Canonical(choice.named[i]) == Canonical(named))
        return;
    }
    choice.ports.push_back(port);
    choice.named.push_back(named);
  };
  if (IsPath(item) && item.find_first_of("*?[") != std::string::npos) {
    const std::vector<std::string> paths = single ? std::vector<std::string>() : Expand(item);
    for (const std::string& path : paths)
      add(PortOfPath(path, ports), path);
    if (paths.empty())
      choice.error = single ? "--port takes one port: " + item : "no device matches " + item;
    return !paths.empty();
  }
  const std::size_t dash = item.find('-');
  if (!IsPath(item) && dash != std::string::npos) {
    const int from = ComNumber(std::string_view(item).substr(0, dash));
    const int to = ComNumber(std::string_view(item).substr(dash + 1));
    if (single || from == 0 || to == 0 || from > to) {
      choice.error = single ? "--port takes one port: " + item
                            : "\"" + item + "\" is not a range of ports such as COM1-COM8";
      return false;
    }
    const std::size_t before = choice.ports.size();
    for (int port = from; port <= to; ++port) {
      if (ports.PathOf(port))
        add(port, "");
    }
    if (choice.ports.size() == before) {
      choice.error = "no port of " + item + " exists on this machine";
      return false;
    }
    return true;
  }
  int port = 0;
  if (IsPath(item)) {
    port = PortOfPath(item, ports);
    if (port == 0 && (single || !std::filesystem::exists(item))) {
      choice.error = NotMapped(item);
      return false;
    }
  } else {
    port = ComNumber(item);
    if (port == 0) {
      choice.error = "\"" + item + "\" is neither COM1..COM20 nor a device path";
      return false;
    }
    if (!ports.PathOf(port)) {
      choice.error = "COM" + std::to_string(port) + " does not exist on this machine";
      return false;
    }
  }
  add(port, IsPath(item) ? item : "");
  return true;
}

}  // namespace

PortChoice ParsePortList(const std::string& list, const PortMap& ports, bool single) {
  PortChoice choice;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string item =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (single && comma != std::string::npos) {
      choice.error = "--port takes one port: " + list;
      break;
    }
    if (item.empty()) {
      choice.error = "an empty entry in the list of ports \"" + list + "\"";
      break;
    }
    if (!AddItem(item, ports, single, choice))
      break;
    if (comma == std::string::npos)
      return choice;
    start = comma + 1;
  }
  choice.ports.clear();
  choice.named.clear();
  return choice;
}

}  // namespace mx::tool
