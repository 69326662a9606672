#include "nettest/TrafficText.h"

#include <algorithm>

#include "notation/ControlNotation.h"

namespace mx::nettest {

bool AppendTrafficText(uint8_t byte, const TrafficDisplayOptions& options, std::string& out) {
  const bool endOfPacket = byte == options.endOfPacket;
  if (options.braces) {
    if (byte < 32) {
      out += FormatCharacter(byte, true, true);
      if (endOfPacket)
        out += '\n';
    } else if (byte < 127) {
      // No {Space} or {{} here: printable bytes are shown as they are.
      out += static_cast<char>(byte);
    } else {
      out += FormatCharacter(byte, true, true);
    }
    return endOfPacket;
  }
  switch (byte) {
    case 13:
      // CR is only ever a line break, and only when it ends packets.
      if (options.endOfPacket == 13)
        out += '\n';
      break;
    case 10:
      out += '\n';
      break;
    case 0:
      // A text pane cannot hold NUL: without braces it shows as nothing.
      break;
    default:
      out += static_cast<char>(byte);
      break;
  }
  return endOfPacket;
}

TrafficTail TailOfTrafficText(std::span<const uint8_t> bytes, const TrafficDisplayOptions& options,
                              int wanted) {
  // Backwards to find where the tail starts, then forwards to write it.
  std::size_t start = bytes.size();
  std::size_t width = 0;
  std::string piece;
  while (start > 0 && width < static_cast<std::size_t>(std::max(wanted, 0))) {
    piece.clear();
    AppendTrafficText(bytes[start - 1], options, piece);
    width += piece.size();
    --start;
  }
  TrafficTail tail;
  tail.text.reserve(width);
  for (std::size_t i = start; i < bytes.size(); ++i)
    AppendTrafficText(bytes[i], options, tail.text);
  tail.width = static_cast<int>(tail.text.size());
  return tail;
}

std::string TypedBytesFromText(const std::string& text, bool keepLfAfterCr) {
  // Windows text (and what users paste from it) ends lines with CR LF, other systems with LF
  // alone; both become CR LF first so a pasted line is sent the same way wherever it came from.
  std::string windows;
  windows.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
      windows += '\r';
    windows += text[i];
  }
  if (keepLfAfterCr)
    return windows;
  std::string out;
  out.reserve(windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (windows[i] == '\n' && i > 0 && windows[i - 1] == '\r')
      continue;
    out += windows[i];
  }
  return out;
}

}  // namespace mx::nettest
