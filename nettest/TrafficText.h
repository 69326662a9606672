#pragma once
// How the traffic pane shows one byte: brace notation when "Characters in { }" is on, raw text
// with line breaks at the end-of-packet character otherwise. Standard library only; the pane
// inserts the result as Latin-1 text, '\n' standing for a line break.

#include <cstdint>
#include <span>
#include <string>

namespace mx::nettest {

struct TrafficDisplayOptions {
  bool braces = false;
  uint8_t endOfPacket = 13;
};

// Appends the display form of `byte` to `out`; true when the byte is the end-of-packet character
// (the pane then scrolls back to its left edge and may beep).
bool AppendTrafficText(uint8_t byte, const TrafficDisplayOptions& options, std::string& out);

// The display text of the last bytes of `bytes` that make up at least `wanted` characters (all of
// them when they make fewer), and how many characters that is; the first byte's text comes whole,
// so `width` may pass `wanted` by a few. Only those bytes are formatted, however many came before.
struct TrafficTail {
  std::string text;
  int width = 0;
};
TrafficTail TailOfTrafficText(std::span<const uint8_t> bytes, const TrafficDisplayOptions& options,
                              int wanted);

// The bytes a block of user text (the send pane, the clipboard) stands for: every line break
// becomes CR LF, then the LF of each CR LF is dropped unless `keepLfAfterCr` (so each line goes out
// once, ended by CR). Latin-1 in.
std::string TypedBytesFromText(const std::string& latin1Text, bool keepLfAfterCr);

}  // namespace mx::nettest
