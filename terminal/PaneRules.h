#pragma once
// How the test window shows things, as plain functions: the text a received or typed byte puts
// in the pane under the two switches, the pane's trim, the looks of the lamps, and the texts of
// the caption and the port item. The window only paints what these return.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/SerialLine.h"

namespace mx::terminal {

struct DisplaySwitches {
  bool braces = false;    // "Characters in { }": printable bytes in their braced form too
  bool showCrLf = false;  // "Show CR & LF in { }"
  uint8_t endOfLine = 13;
};

// The pane text of one byte, received or typed alike:
//   0..31     its braced name ({Esc}); CR and LF show nothing unless showCrLf is on
//   127..255  its braced value ({200})
//   32..126   itself, or with braces on its braced form ({Space}, {Comma}, {Period}, {{})
std::string ByteDisplayText(uint8_t byte, const DisplaySwitches& switches);

// Appends the pane text of `bytes` to `out`, with '\n' after every end-of-line byte (the pane
// starts a new line there, whether or not the byte itself shows).
void AppendPaneText(std::span<const uint8_t> bytes, const DisplaySwitches& switches,
                    std::string& out);

// The pane keeps at most this many lines after a batch of received text, cutting back to
// kPaneLinesKept in one step; typed text alone never trims it. A line longer than
// kPaneWrapColumns counts as the rows it wraps to, so a stream without line ends (or whose lines
// end in LF alone) is bounded just the same instead of growing one endless line.
inline constexpr int kPaneLineLimit = 500;
inline constexpr int kPaneLinesKept = 400;
inline constexpr int kPaneWrapColumns = 100;
struct PaneTrim {
  int lines = 0;       // whole lines from the top, each with its line break
  int characters = 0;  // then this many from the start of the line that is then first
  bool operator==(const PaneTrim&) const = default;
};
// A line without an end is broken in the pane after this many characters: the pane lays out its
// last line again at every addition, and an endless one (LF-only or binary streams) would cost
// more with every byte.
inline constexpr std::size_t kPaneLongestLine = 1000;
// `text` with a pane line break wherever its line would pass kPaneLongestLine; `column` is the
// length of the pane's last line before and after.
std::string BreakLongLines(std::string_view text, std::size_t& column);
// What to delete from the top of a pane after a received batch, given the lengths of the lines
// that hold text (the empty line after a final line break not among them).
PaneTrim TrimFor(std::span<const int> lineLengths);

// The five lamp images.
enum class Lamp { BrightGreen, DarkGreen, BrightRed, DarkRed, Grey };

// A modem line as the CTS, DSR, RTS and DTR rows show it. Closed, Off and On are the states 0, 1
// and 2 of the window; Unknown is a port that is open but has no such line.
enum class LineState { Closed = 0, Off = 1, On = 2, Unknown = 3 };
struct LampPair {
  Lamp green;
  Lamp red;
  bool operator==(const LampPair&) const = default;
};
// Line on: red lit; line off: green lit; port closed: both dark; unknown: both grey.
LampPair LineLamps(LineState state);
// A switch row ("Characters in { }", "Show CR & LF in { }"): green on, red off.
Lamp SwitchLamp(bool on);
// The "Serial port" row: green open, grey open but paused, red closed.
Lamp PortLamp(bool open, bool paused);
// The "Paused" row: green paused, red running, dark while the port is closed.
Lamp PausedLamp(bool open, bool paused);

// "9600", "19.2K", "115.2K"; "???" for a speed without a name.
std::string BaudText(int baud);
std::string_view ParityText(Parity parity);        // "N", "O", "E", "M", "S"
std::string_view StopBitsText(StopBits stopBits);  // "1", "1.5", "2"
// "Mesurix Communications Test  --  COM1:9600-N-8-1", from the settings the port really uses.
std::string WindowCaption(int port, const LineSettings& settings);
// "Serial port  (COM3)", or "Serial port" before the window tried a port.
std::string PortItemText(int port);
// The message of a port that would not open: "Unable to open serial port COM3:\n" and why.
std::string UnableToOpenText(int port);
// The pane's mark of the bytes a long pause had to drop, with its line break.
std::string GapMarkText(std::size_t dropped);
// The message of a port that went away while open, naming it and the way back.
std::string PortGoneText(int port);

}  // namespace mx::terminal
