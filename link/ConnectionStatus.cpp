#include "link/ConnectionStatus.h"

#include <cstdio>

#include "link/LinkMessages.h"

namespace mx {

void ForgetConnection(LinkState& state) {
  for (std::string& text : state.identityTexts)
    text.clear();
  state.linkSettings.portNumber = -1;
  state.portPath.clear();
}

std::string NetworkStatusLine(const NetworkStatus& status, ModelIndex model) {
  if (!IsNetworkModel(model))
    return std::string(msg::kNetworkNotSupported);
  if (status.netEnabled == 0)
    return std::string(msg::kNetworkDisabled);
  if (!status.netStatusValid)
    return std::string(msg::kNetworkUnknown);
  char address[96];
  std::snprintf(address, sizeof address, "  @  %d.%d.%d.%d      Port  %u", status.netAddress[0],
                status.netAddress[1], status.netAddress[2], status.netAddress[3],
                static_cast<unsigned>(status.netPort));
  return std::string(status.netServerMode == 0 ? msg::kClient : msg::kServer) + address;
}

ConnectionStatusLines ComposeConnectionStatus(const LinkState& state, ModelIndex model) {
  ConnectionStatusLines lines;
  lines.serial = state.identityTexts[0] + "  @  " + state.identityTexts[1];
  lines.network = NetworkStatusLine(state.networkStatus, model);
  lines.serialNumber = state.identityTexts[2];
  lines.modelAndVersion = state.identityTexts[3];
  return lines;
}

}  // namespace mx
