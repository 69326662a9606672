#pragma once
// What the device link knows about the interface. Lives in the document, never saved.

#include <array>
#include <string>
#include <vector>

#include "link/LinkSettings.h"

namespace mx {

// [0] port ("COM1"), [1] line settings ("9600-N-8-1"), [2] serial number, [3] model and version,
// [4] description.
using IdentityTexts = std::array<std::string, 5>;

struct NetworkStatus {
  std::array<int, 4> netAddress{};
  int netPort = 0;
  int netServerMode = 0;
  int netEnabled = 0;
  bool netStatusValid = false;
  bool operator==(const NetworkStatus&) const = default;
};

// A port of the scan that another program holds, and who: "in use by process 1234 (minicom)".
struct PortInUse {
  int port = 0;
  std::string holder;
  bool operator==(const PortInUse&) const = default;
};

struct LinkState {
  IdentityTexts identityTexts;
  LinkSettings linkSettings;
  std::string messageCaption = "Mesurix Setup";
  bool interfaceFound = false;
  NetworkStatus networkStatus;
  // The device path behind identityTexts[0], for front ends that show it beside "COMn".
  std::string portPath;
  // The ports held by other programs when the last scan found nothing: the likeliest reason why.
  std::vector<PortInUse> portsInUse;
};

// What UpdateConnectionStatus(false) does to the state: texts emptied, no known port.
void ForgetConnection(LinkState& state);

}  // namespace mx
