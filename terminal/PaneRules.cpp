#include "terminal/PaneRules.h"

#include <cstdio>

#include "notation/ControlNotation.h"
#include "terminal/TerminalTexts.h"

namespace mx::terminal {
namespace {

constexpr uint8_t kCr = 13;
constexpr uint8_t kLf = 10;

std::string WithNumber(std::string_view pattern, int number) {
  char text[96];
  std::snprintf(text, sizeof text, std::string(pattern).c_str(), number);
  return text;
}

std::string WithNumberTwice(std::string_view pattern, int number) {
  char text[256];
  std::snprintf(text, sizeof text, std::string(pattern).c_str(), number, number);
  return text;
}

}  // namespace

std::string ByteDisplayText(uint8_t byte, const DisplaySwitches& switches) {
  if (byte < 32) {
    if (!switches.showCrLf && (byte == kCr || byte == kLf))
      return {};
    return FormatCharacter(byte, true, true);
  }
  if (byte > 126 || switches.braces)
    return FormatCharacter(byte, true, true);
  return std::string(1, static_cast<char>(byte));
}

void AppendPaneText(std::span<const uint8_t> bytes, const DisplaySwitches& switches,
                    std::string& out) {
  for (const uint8_t byte : bytes) {
    // Plain characters are by far the most common; they skip the formatter.
    if (byte >= 32 && byte <= 126 && !switches.braces)
      out += static_cast<char>(byte);
    else
      out += ByteDisplayText(byte, switches);
    if (byte == switches.endOfLine)
      out += '\n';
  }
}

std::string BreakLongLines(std::string_view text, std::size_t& column) {
  std::string out;
  out.reserve(text.size() + text.size() / kPaneLongestLine + 1);
  for (const char c : text) {
    if (c != '\n' && column == kPaneLongestLine) {
      out += '\n';
      column = 0;
    }
    out += c;
    column = c == '\n' ? 0 : column + 1;
  }
  return out;
}

PaneTrim TrimFor(std::span<const int> lineLengths) {
  const auto rows = [](int length) {
    return length <= kPaneWrapColumns ? 1 : (length + kPaneWrapColumns - 1) / kPaneWrapColumns;
  };
  long long total = 0;
  for (const int length : lineLengths)
    total += rows(length);
  PaneTrim trim;
  if (total <= kPaneLineLimit)
    return trim;
  const int count = static_cast<int>(lineLengths.size());
  while (total > kPaneLinesKept && trim.lines < count - 1)
    total -= rows(lineLengths[static_cast<std::size_t>(trim.lines++)]);
  // One endless line is left: only its start can go.
  if (total > kPaneLinesKept)
    trim.characters = static_cast<int>(total - kPaneLinesKept) * kPaneWrapColumns;
  return trim;
}

LampPair LineLamps(LineState state) {
  switch (state) {
    case LineState::On:
      return {Lamp::DarkGreen, Lamp::BrightRed};
    case LineState::Off:
      return {Lamp::BrightGreen, Lamp::DarkRed};
    case LineState::Unknown:
      return {Lamp::Grey, Lamp::Grey};
    case LineState::Closed:
      break;
  }
  return {Lamp::DarkGreen, Lamp::DarkRed};
}

Lamp SwitchLamp(bool on) {
  return on ? Lamp::BrightGreen : Lamp::BrightRed;
}

Lamp PortLamp(bool open, bool paused) {
  if (!open)
    return Lamp::BrightRed;
  return paused ? Lamp::Grey : Lamp::BrightGreen;
}

Lamp PausedLamp(bool open, bool paused) {
  if (!open)
    return Lamp::DarkRed;
  return paused ? Lamp::BrightGreen : Lamp::BrightRed;
}

std::string BaudText(int baud) {
  switch (baud) {
    case 300:
    case 600:
    case 1200:
    case 2400:
    case 4800:
    case 9600:
      return std::to_string(baud);
    case 14400:
      return "14.4K";
    case 19200:
      return "19.2K";
    case 38400:
      return "38.4K";
    case 57600:
      return "57.6K";
    case 115200:
      return "115.2K";
    default:
      return "???";
  }
}

std::string_view ParityText(Parity parity) {
  switch (parity) {
    case Parity::None:
      return "N";
    case Parity::Odd:
      return "O";
    case Parity::Even:
      return "E";
    case Parity::Mark:
      return "M";
    case Parity::Space:
      return "S";
  }
  return "???";
}

std::string_view StopBitsText(StopBits stopBits) {
  switch (stopBits) {
    case StopBits::One:
      return "1";
    case StopBits::OnePointFive:
      return "1.5";
    case StopBits::Two:
      return "2";
  }
  return "???";
}

std::string WindowCaption(int port, const LineSettings& settings) {
  std::string caption = WithNumber(text::kCaption, port);
  caption += BaudText(settings.baud);
  caption += '-';
  caption += ParityText(settings.parity);
  caption += '-';
  caption += std::to_string(settings.dataBits);
  caption += '-';
  caption += StopBitsText(settings.stopBits);
  return caption;
}

std::string PortItemText(int port) {
  return port < 0 ? std::string(text::kPortItemNoPort) : WithNumber(text::kPortItem, port);
}

std::string UnableToOpenText(int port) {
  return WithNumber(text::kUnableToOpen, port) + std::string(text::kNotInstalled);
}

std::string GapMarkText(std::size_t dropped) {
  char text[96];
  std::snprintf(text, sizeof text, std::string(text::kGapMark).c_str(), dropped);
  return text;
}

std::string PortGoneText(int port) {
  return WithNumberTwice(text::kPortGone, port);
}

}  // namespace mx::terminal
