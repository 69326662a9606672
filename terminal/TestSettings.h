#pragma once
// What the communications test remembers between two openings of its window: kept by the owner
// of the document beside the parameters, set to the defaults at start and never saved.

#include <cstdint>

#include "link/LinkSettings.h"

namespace mx::terminal {

// A port and its line as the test window and its setup dialog speak of them: the letters and
// digits of the dialog (parity N E O M S, data bits 5..8, stop bits 1, 0 for one and a half, 2).
struct PortSettings {
  int port = 1;  // COM1..COM20; -1 before the window first tried one
  int baud = 9600;
  char parity = 'N';
  char dataBits = '8';
  char stopBits = '1';
  bool operator==(const PortSettings&) const = default;
};

// Where discovery last found the interface, in the same terms; port -1 while unknown.
inline PortSettings FoundPort(const LinkSettings& found) {
  return PortSettings{found.portNumber, found.baudRate, static_cast<char>(found.parity),
                      static_cast<char>(found.dataBits), static_cast<char>(found.stopBits)};
}

inline constexpr int kStandardPrinterFont = 9;
inline constexpr int kSmallPrinterFont = 7;

struct TestSettings {
  bool useFound = true;         // open where discovery found the interface, when it knows
  bool enableAllPorts = false;  // the setup dialog's "Enable all"
  uint8_t endOfLine = 13;       // the byte that starts a new line in the pane
  bool braces = false;          // "Characters in { }"
  bool showCrLf = false;        // "Show CR & LF in { }"
  PortSettings line;            // the port and line the user chose
  int printerFontSize = kStandardPrinterFont;
};

}  // namespace mx::terminal
