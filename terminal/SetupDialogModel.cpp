#include "terminal/SetupDialogModel.h"

#include <algorithm>

namespace mx::terminal {
namespace {

template <typename T, std::size_t N>
T Offered(const std::array<Choice<T>, N>& choices, T value, T fallback) {
  const bool known = std::any_of(choices.begin(), choices.end(),
                                 [&](const Choice<T>& choice) { return choice.value == value; });
  return known ? value : fallback;
}

}  // namespace

SetupDialogModel::SetupDialogModel(Services& services, const PortSettings& inUse,
                                   bool enableAllLines, const UserButtons& userButtons,
                                   int fontSize)
    : selected(inUse),
      enableAll(enableAllLines),
      buttons(userButtons),
      printerFontSize(Offered(kPrinterFontChoices, fontSize, kStandardPrinterFont)),
      services_(services) {
  selected.baud = Offered(kBaudChoices, inUse.baud, 9600);
  selected.parity = Offered(kParityChoices, inUse.parity, 'N');
  selected.dataBits = Offered(kDataBitsChoices, inUse.dataBits, '5');
  selected.stopBits = Offered(kStopBitsChoices, inUse.stopBits, '1');
}

void SetupDialogModel::RunPortCheck() {
  int firstOpened = 0;
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    portEnabled[static_cast<std::size_t>(port)] = enableAll || services_.TestOpen(port);
    if (portEnabled[static_cast<std::size_t>(port)] && firstOpened == 0)
      firstOpened = port;
  }
  const bool selectable = selected.port >= kFirstComPort && selected.port <= kLastComPort &&
                          portEnabled[static_cast<std::size_t>(selected.port)];
  if (!selectable && firstOpened != 0)
    selected.port = firstOpened;
}

void SetupDialogModel::SetEnableAll(bool on) {
  enableAll = on;
  RunPortCheck();
}

bool SetupDialogModel::FindMx() {
  const std::optional<PortSettings> found = services_.FindInterface();
  if (!found)
    return false;
  selected = *found;
  RunPortCheck();
  return true;
}

}  // namespace mx::terminal
