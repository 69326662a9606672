#include "link/ParameterTransfer.h"

#include "core/ImageOperations.h"
#include "link/InterfaceDiscovery.h"
#include "link/LinkMessages.h"
#include "link/ReplyParsers.h"

namespace mx {
namespace {

// A command cancelled from outside (mxtool's signals) stops before its next step; an interface
// switched to transfer speed is sent back first, as after a failed transfer.
bool StopsHere(DeviceLink& link, SerialPort& port, bool switched) {
  if (!link.host.CancelRequested())
    return false;
  if (switched)
    port.WriteText(kLeaveTransferRequest);
  return true;
}

void SelectIdentifiedModel(DeviceLink& link) {
  if (const ModelInfo* info = ModelByIndex(link.host.CurrentModel()))
    link.host.ModelSelect(info->index);
}

void Fail(DeviceLink& link, std::string_view text) {
  SetConnectionStatus(link, false);
  ShowLinkFailure(link, text);
}

}  // namespace

bool EnterTransferSpeed(DeviceLink& link, SerialPort& port) {
  const LinkSettings& s = link.state.linkSettings;
  if (s.baudRate == 9600 && s.parity == 'N' && s.dataBits == '8' && s.stopBits == '1')
    return false;
  port.WriteText(kEnterTransferRequest);
  link.clock.SleepMs(kTransferSwitchWaitMs);
  port.SetLineSettings(9600, 'N', '8');
  link.clock.SleepMs(kTransferSwitchWaitMs);
  return true;
}

uint32_t AcknowledgeTimeoutMs(int identificationBaud) {
  // A stored place can hold any number; a speed of 0 or below would divide by zero, and such a
  // place can only have matched a foreign device, so it gets the time-out of 9600 baud.
  const double baud = identificationBaud > 0 ? identificationBaud : 9600;
  return static_cast<uint32_t>(3301000.0 / (baud * 0.1) + 2000.0);
}

bool ReadParameters(DeviceLink& link) {
  DeviceCommandHost& host = link.host;
  SerialPort port(link.line, link.clock, link.ports);
  if (!LocateInterface(link, port) || StopsHere(link, port, false))
    return false;
  SelectIdentifiedModel(link);
  EnterTransferSpeed(link, port);
  if (StopsHere(link, port, true))  // "<$F" follows every read, switched or not
    return false;

  host.SetWaitCursor(true);
  host.OpenNotice(msg::kReading, "");
  ParameterImage received;
  port.WriteText(kReadImageRequest);
  const int count =
      port.ReadCount(received.Bytes().data(), static_cast<int>(kImageSize), kImageSilenceMs);
  host.CloseNotice();
  port.WriteText(kLeaveTransferRequest);
  host.SetWaitCursor(false);

  if (count < static_cast<int>(kImageSize)) {
    Fail(link, msg::kUnableToRead);
    return false;
  }
  if (!ChecksumMatches(received)) {
    Fail(link, msg::kInvalidChecksum);
    return false;
  }
  ApplyLoadFixups(received);
  host.Document().AcceptReceivedImage(received);
  host.RefreshPages();
  SetConnectionStatus(link, true);
  ShowLinkMessage(link, msg::kReceived);
  return true;
}

bool SendParameters(DeviceLink& link) {
  DeviceCommandHost& host = link.host;
  LinkState& state = link.state;
  SetupDocument& document = host.Document();
  SerialPort port(link.line, link.clock, link.ports);
  if (!LocateInterface(link, port) || StopsHere(link, port, false))
    return false;

  const bool networkEdited = document.NetworkSettingsEdited();
  SelectIdentifiedModel(link);
  const ModelIndex model = host.CurrentModel();
  if (IsNetworkModel(model))
    document.SetNetworkSettingsEdited(networkEdited);
  const bool switched = EnterTransferSpeed(link, port);

  if (IsNetworkModel(model) && !document.NetworkSettingsEdited()) {
    ReadNetworkStatus(link, port);
    const NetworkStatus& net = state.networkStatus;
    if (!net.netStatusValid) {
      if (switched)
        port.WriteText(kLeaveTransferRequest);
      Fail(link, msg::kNetworkUnreadable);
      return false;
    }
    host.CommitNetworkPage();
    StoreNetworkSettings(net, document.Image());
  }
  document.SetNetworkSettingsEdited(false);
  host.RefreshNetworkPage();

  // Once the image is on its way the interface takes it; before that a Cancel must still stop it.
  if (StopsHere(link, port, switched))
    return false;
  host.SetWaitCursor(true);
  host.OpenNotice(msg::kSending, "");
  host.ImageSent();
  host.CommitPages();
  const ParameterImage& image = document.Image();
  const bool sent = port.WriteText(kSendImageRequest) &&
                    port.WriteBytes(image.Bytes().data(), static_cast<int>(kImageSize));
  // An interface that did not get the whole image has nothing to acknowledge: no reply is waited
  // for, and the transfer fails as one that got no answer.
  const std::string reply =
      sent ? port.ReadLine(kVerdictLimit, AcknowledgeTimeoutMs(port.baudRate), '\r') : "";
  host.CloseNotice();
  host.SetWaitCursor(false);

  switch (ParseVerdict(reply)) {
    case Verdict::Pass: {
      LinkSettings& settings = state.linkSettings;
      settings.baudRate = image.Get(fld::hostBaud);
      settings.parity = static_cast<unsigned char>(image.Get(fld::hostParity));
      settings.dataBits = static_cast<unsigned char>(image.Get(fld::hostDataBits));
      settings.stopBits = static_cast<unsigned char>(image.Get(fld::hostStopBits));
      state.identityTexts[1] = LineSettingsText(settings);
      NetworkStatus& net = state.networkStatus;
      int i = 0;
      for (int& byte : net.netAddress)
        byte = image.Get(fld::ipAddress, i++);
      net.netPort = image.Get(fld::basePort);
      net.netServerMode = image.Get(fld::serverMode);
      net.netEnabled = image.Get(fld::networkEnabled);
      net.netStatusValid = true;
      SetConnectionStatus(link, true);
      ShowLinkMessage(link,
                      std::string(msg::kAcknowledged) + "\n" + std::string(msg::kWaitForReset));
      return true;
    }
    case Verdict::Failed:
      if (switched)
        port.WriteText(kLeaveTransferRequest);
      Fail(link, std::string(msg::kTransferFailed) + std::string(ReplyText(reply)));
      return false;
    case Verdict::Unknown:
      break;
  }
  if (switched)
    port.WriteText(kLeaveTransferRequest);
  Fail(link, msg::kNoResponse);
  return false;
}

}  // namespace mx
