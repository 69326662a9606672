#include "editor/device/PortText.h"

#include <cctype>

#include "link/PortMap.h"

namespace mx::editor {

std::string WithPortPaths(std::string_view text, const PortMap& ports) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t com = text.find("COM", at);
    if (com == std::string_view::npos) {
      out.append(text.substr(at));
      break;
    }
    out.append(text.substr(at, com - at));
    std::size_t end = com + 3;
    int number = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) &&
           end - com < 5) {
      number = number * 10 + (text[end] - '0');
      ++end;
    }
    // "COM12" must not be read as COM1 followed by "2".
    const bool whole = end > com + 3 &&
                       (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end])));
    if (whole && number >= 1 && number <= 20)
      out.append(ports.Describe(number));
    else
      out.append(text.substr(com, end - com));
    at = end;
  }
  return out;
}

}  // namespace mx::editor
