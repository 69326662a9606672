#include "link/InterfaceDiscovery.h"

#include <cstdio>

#include "link/LinkMessages.h"
#include "link/ReplyParsers.h"

namespace mx {
namespace {

constexpr int kScanBauds[] = {9600, 4800, 2400, 1200, 19200};
struct Framing {
  char parity;
  char dataBits;
};
constexpr Framing kScanFramings[] = {{'N', '8'}, {'E', '7'}, {'O', '7'}};

std::string Format(std::string_view pattern, int value) {
  char text[96];
  std::snprintf(text, sizeof text, std::string(pattern).c_str(), value);
  return text;
}

void CopyToPort(const LinkSettings& settings, SerialPort& port) {
  port.portNumber = settings.portNumber;
  port.baudRate = settings.baudRate;
  port.parity = static_cast<char>(settings.parity);
  port.dataBits = static_cast<char>(settings.dataBits);
  port.stopBits = static_cast<char>(settings.stopBits);
}

std::string Ask(SerialPort& port, const char* request, int limit, uint32_t timeoutMs) {
  port.PurgeInput();
  port.WriteText(request);
  return std::string(ReplyText(port.ReadLine(limit, timeoutMs, '\r')));
}

// Opens a port for probing. One that another program holds open (a terminal that takes no lock)
// would lose its bytes to the probe: it is left out as busy, unless the user named it.
bool OpenForProbe(DeviceLink& link, SerialPort& port, const LinkSettings& at, LineResult& why) {
  why = {};
  if (const auto path = link.ports.PathOf(at.portNumber)) {
    if (LineResult held = link.line.HeldElsewhere(*path); !held.ok()) {
      if (!link.probeHeldPorts) {
        why = std::move(held);
        return false;
      }
      link.host.PortProbedWhileHeld(at.portNumber, held.detail);
    }
  }
  if (port.Open(at.portNumber, at.baudRate, static_cast<char>(at.parity),
                static_cast<char>(at.dataBits), static_cast<char>(at.stopBits)))
    return true;
  why = port.LastOpenError();
  return false;
}

// An interface that streams readings goes on sending them around its identification: lines that
// are not the identification for these settings are passed over until it comes. The reply may wait
// behind what the interface had queued, which at a slow speed takes longer than a silent interface
// is given, so the search ends only when both its time and a byte allowance are spent (or on the
// usual silence). Whether anything at all arrived goes to `heard`.
constexpr std::size_t kPassedOverBytes = 192;

ModelIndex AwaitIdentification(DeviceLink& link, SerialPort& port, int baud, char parity,
                               char dataBits, bool& heard) {
  const uint32_t start = link.clock.NowMs();
  std::size_t passedOver = 0;
  heard = false;
  for (;;) {
    const uint32_t elapsed = link.clock.NowMs() - start;
    if (elapsed >= kIdentifyTimeoutMs && passedOver >= kPassedOverBytes)
      return -1;
    // A line that comes empty (the end of a reading begun before the purge) is no silence.
    bool any = false;
    const std::string reply = port.ReadLine(kIdentifyLimit, kIdentifyTimeoutMs, '\r', any);
    if (!any)
      return -1;
    heard = true;
    const ModelIndex model = MatchIdentification(reply, baud, parity, dataBits);
    if (model >= 0)
      return model;
    passedOver += reply.size() + 1;
  }
}

}  // namespace

void SetConnectionStatus(DeviceLink& link, bool connected) {
  if (!connected)
    ForgetConnection(link.state);
  link.host.UpdateConnectionStatus(connected);
}

void ShowLinkMessage(DeviceLink& link, std::string_view text) {
  link.host.ShowMessage(link.state.messageCaption, text);
}

void ShowLinkFailure(DeviceLink& link, std::string_view text) {
  link.host.ShowFailure(link.state.messageCaption, text);
}

bool ProbeStoredSettings(DeviceLink& link, SerialPort& port) {
  LinkSettings& settings = link.state.linkSettings;
  link.state.portsInUse.clear();
  LoadLinkSettings(link.store, settings);
  if (link.onlyPort != 0 && settings.portNumber != link.onlyPort)
    settings.portNumber = -1;
  if (settings.portNumber == -1)
    return false;
  if (LineResult why; !OpenForProbe(link, port, settings, why)) {
    settings.portNumber = -1;
    return false;
  }
  port.PurgeInput();
  port.WriteText(kIdentifyRequest);
  bool heard = false;
  const ModelIndex model =
      AwaitIdentification(link, port, settings.baudRate, static_cast<char>(settings.parity),
                          static_cast<char>(settings.dataBits), heard);
  if (!heard) {
    settings.portNumber = -1;
    port.Close();
    return false;
  }
  if (model < 0)
    return false;
  link.host.SetCurrentModel(model);
  CopyToPort(settings, port);
  link.state.portPath = link.ports.PathOf(settings.portNumber).value_or("");
  ReadIdentity(link, port);
  return true;
}

bool ScanForInterface(DeviceLink& link, SerialPort& port) {
  DeviceCommandHost& host = link.host;
  SetConnectionStatus(link, false);
  link.state.portsInUse.clear();
  host.OpenProgressWindow();
  int counter = 0;
  bool found = false;
  bool cancelled = false;
  const int first = link.onlyPort != 0 ? link.onlyPort : kFirstComPort;
  const int last = link.onlyPort != 0 ? link.onlyPort : kLastComPort;
  const int total = 5 * (last - first + 1);  // 100 for the whole scan: five for each port
  for (int number = first; number <= last && !found && !cancelled; ++number) {
    port.Close();
    // The window's Cancel is only seen at the pumps below; a Cancel from outside (a signal) can
    // come at any time, and must not reach into another port.
    if (host.CancelRequested()) {
      cancelled = true;
      break;
    }
    host.ScanningPort(number);
    host.SetProgressLine(0, Format(msg::kCheckingPort, number));
    host.SetProgressLine(1, "");
    if (LineResult why; !OpenForProbe(link, port, {number, 9600, 'N', '8', '1'}, why)) {
      if (why.error == LineError::Busy)
        link.state.portsInUse.push_back({number, why.detail});
      host.PortUnavailable(number, LineFailureText(why));
      host.SetProgress(counter, total);
      host.PumpMessages();
      if (host.CancelRequested()) {
        cancelled = true;
        break;
      }
      counter += 5;
      link.clock.SleepMs(kMissingPortWaitMs);
      continue;
    }
    for (int baud : kScanBauds) {
      host.SetProgressLine(1, Format(msg::kCheckingBaud, baud));
      host.SetProgress(counter, total);
      host.PumpMessages();
      if (host.CancelRequested()) {
        cancelled = true;
        break;
      }
      ++counter;
      for (const Framing& framing : kScanFramings) {
        port.SetLineSettings(baud, framing.parity, framing.dataBits);
        port.WriteText(kIdentifyRequest);
        bool heard = false;
        const ModelIndex model =
            AwaitIdentification(link, port, baud, framing.parity, framing.dataBits, heard);
        if (model < 0)
          continue;
        host.SetCurrentModel(model);
        link.state.linkSettings = LinkSettings{number, baud, framing.parity, framing.dataBits, '1'};
        CopyToPort(link.state.linkSettings, port);
        link.state.portPath = link.ports.PathOf(number).value_or("");
        ReadIdentity(link, port);
        found = true;
        break;
      }
      if (found)
        break;
    }
  }
  host.CloseProgressWindow();
  if (found) {
    link.state.portsInUse.clear();
    SetConnectionStatus(link, true);
    return true;
  }
  ShowLinkFailure(link, msg::kCannotFind);
  return false;
}

bool LocateInterface(DeviceLink& link, SerialPort& port) {
  if (ProbeStoredSettings(link, port))
    return true;
  return !link.host.CancelRequested() && ScanForInterface(link, port);
}

void ReadIdentity(DeviceLink& link, SerialPort& port) {
  IdentityTexts& texts = link.state.identityTexts;
  const LinkSettings& settings = link.state.linkSettings;
  for (std::string& text : texts)
    text.clear();
  texts[0] = Format("COM%d", settings.portNumber);
  texts[1] = LineSettingsText(settings);
  const char* requests[] = {kSerialNumberRequest, kVersionRequest, kDescriptionRequest};
  for (int i = 0; i < 3; ++i) {
    std::string reply = Ask(port, requests[i], kIdentityLimit, kIdentityTimeoutMs);
    if (reply.empty())
      return;
    if (i == 2)
      reply.erase(0, reply.find_first_not_of(" \t\n\v\f\r"));
    texts[static_cast<std::size_t>(2 + i)] = reply;
  }
  ReadNetworkStatus(link, port);
}

void ReadNetworkStatus(DeviceLink& link, SerialPort& port) {
  if (!IsNetworkModel(link.host.CurrentModel()))
    return;
  const std::string reply = Ask(port, kNetworkRequest, kNetworkLimit, kNetworkTimeoutMs);
  link.state.networkStatus.netStatusValid = false;
  if (reply.empty())
    return;
  ParseNetworkStatus(reply, link.state.networkStatus);
}

void StoreNetworkSettings(const NetworkStatus& net, ParameterImage& image) {
  // A valid status holds bytes 0..255 and a port 0..65535 (ParseNetworkStatus checks).
  int i = 0;
  for (const int byte : net.netAddress)
    image.Set(fld::ipAddress, static_cast<uint8_t>(byte), i++);
  image.Set(fld::basePort, static_cast<uint16_t>(net.netPort));
  image.Set(fld::serverMode, static_cast<uint8_t>(net.netServerMode));
}

bool FindInterface(DeviceLink& link) {
  DeviceCommandHost& host = link.host;
  LinkState& state = link.state;
  SerialPort port(link.line, link.clock, link.ports);
  if (ProbeStoredSettings(link, port)) {
    SetConnectionStatus(link, true);
    host.LocatedOn(state.linkSettings.portNumber);
    host.OpenNotice(msg::kLocated, state.identityTexts[0] + ":" + state.identityTexts[1]);
    link.clock.SleepMs(kLocatedNoticeMs);
    host.CloseNotice();
  } else if (host.CancelRequested() || !ScanForInterface(link, port)) {
    state.interfaceFound = false;
    return false;
  }
  state.interfaceFound = true;
  const ModelIndex model = host.CurrentModel();
  if (const ModelInfo* info = ModelByIndex(model))
    host.ModelSelect(info->index);
  const NetworkStatus& net = state.networkStatus;
  if (IsNetworkModel(model) && net.netStatusValid) {
    host.CommitNetworkPage();
    ParameterImage& image = host.Document().Image();
    StoreNetworkSettings(net, image);
    image.Set(fld::networkEnabled, static_cast<uint8_t>(net.netEnabled));
    host.Document().SetNetworkSettingsEdited(false);
    host.RefreshNetworkPage();
  }
  SaveLinkSettings(link.store, state.linkSettings);
  return true;
}

bool RunFindCommand(DeviceLink& link) {
  if (!FindInterface(link))
    return false;
  DeviceCommandHost& host = link.host;
  host.CommitStatusPage();
  ParameterImage& image = host.Document().Image();
  image.Set(fld::hostBaud, static_cast<uint16_t>(link.state.linkSettings.baudRate));
  image.Set(fld::hostParity, static_cast<char>(link.state.linkSettings.parity));
  host.RefreshStatusPage();
  return true;
}

}  // namespace mx
