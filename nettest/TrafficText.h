#pragma once
// How the traffic pane shows one byte: brace notation when "Characters in { }" is on, raw text
// with line breaks at the end-of-packet character otherwise. Standard library only; the pane
// inserts the result as Latin-1 text, '\n' standing for a line break.

#include <cstdint>
#include <string>

namespace mx::nettest {

struct TrafficDisplayOptions {
  bool braces = false;
  uint8_t endOfPacket = 13;
};

// Appends the display form of `byte` to `out`; true when the byte is the end-of-packet character
// (the pane then scrolls back to its left edge and may beep).
bool AppendTrafficText(uint8_t byte, const TrafficDisplayOptions& options, std::string& out);

// The bytes a block of user text (the send pane, the clipboard) stands for: every line break
// becomes CR LF, then the LF of each CR LF is dropped unless `keepLfAfterCr` (so each line goes out
// once, ended by CR). Latin-1 in.
std::string TypedBytesFromText(const std::string& latin1Text, bool keepLfAfterCr);

}  // namespace mx::nettest
