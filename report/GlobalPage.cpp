// The global page: host port, starting channel, network, toggle switch, and the channel summary.
#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/ModelTable.h"
#include "report/ReportBody.h"
#include "report/ValueTexts.h"

namespace mx::report {

namespace {

std::string HostSerialText(const ParameterImage& image) {
  auto oneOf = [](char c, std::string_view allowed) {
    return allowed.find(c) != std::string_view::npos ? std::string(1, c)
                                                     : std::string(kUnknownCodeText);
  };
  return BaudText(image.Get(fld::hostBaud), false) + ":" +
         oneOf(image.Get(fld::hostParity), "ENO") + "-" +
         oneOf(image.Get(fld::hostDataBits), "78") + "-" + oneOf(image.Get(fld::hostStopBits), "1");
}

std::string StartChannelText(const ParameterImage& image) {
  const int mode = image.Get(fld::startChannelMode);
  if (mode == startChannel::kCustom)
    return Printf("Custom:    %d", image.Get(fld::startChannelNumber));
  return CodeText(mode, {"A (1)", "B (2)", "C (3)", "D (4)", "E (5)"});
}

std::string AddressText(const ParameterImage& image, Field<FieldType::U8> field) {
  return Printf("%d.%d.%d.%d", image.Get(field, 0), image.Get(field, 1), image.Get(field, 2),
                image.Get(field, 3));
}

std::string OutputTargetsText(const ParameterImage& image) {
  std::string text;
  if (image.Get(fld::outputToRs232Port) == 1)
    text = "RS232 port";
  for (int n = 1; n <= kNetworkChannelCount; ++n) {
    if (image.Get(fld::networkOutput, n - 1) == 0)
      continue;
    if (!text.empty())
      text += ",  ";
    text += Printf("N/W Ch %d", n);
  }
  return text;
}

// "Single read on A C" / "Continuous read on none" for one side of the toggle switch.
std::string ToggleSideText(const ParameterImage& image, bool continuous,
                           Field<FieldType::U8> channels) {
  std::string text = continuous ? "Continuous" : "Single";
  text += " read on";
  bool any = false;
  for (int c = 0; c < kChannelCount; ++c) {
    if (image.Get(channels, c) == 1) {
      text += ' ';
      text += ChannelLetter(c);
      any = true;
    }
  }
  return any ? text : text + " none";
}

std::string ToggleText(const ParameterImage& image, ModelIndex model) {
  if (!HasToggleSwitch(model))
    return "Toggle switch not available on this Mesurix model";
  const int mode = image.Get(fld::toggleMode);
  if (mode == toggle::kReadChannels) {
    return "Toggle left = " +
           ToggleSideText(image, image.Get(fld::toggleLeftContinuous) != 0,
                          fld::toggleLeftChannels) +
           "       Toggle right = " +
           ToggleSideText(image, image.Get(fld::toggleRightContinuous) != 0,
                          fld::toggleRightChannels);
  }
  return CodeText(
      mode, {"Disabled", "Toggle left = Step back       Toggle right = Step forward",
             "Toggle left = Step back       Toggle right = Single read & do not step",
             "Toggle left = Step back       Toggle right = Single read & step to next channel",
             "",  // composed above
             "Toggle left = Step back       Toggle right = Restart custom read sequence (Channel a "
             "only)"});
}

std::string GageCell(const ParameterImage& image, int c) {
  return CodeText(image.Get(fld::gageType, c),
                  {"Auto", "CDI", "Federal", "Mitutoyo", "Ono Sokki", "RS232", "Disabled"});
}

std::string Rs232GageCell(const ParameterImage& image, int c) {
  if (image.Get(fld::gageType, c) != gage::kRs232)
    return "--";
  const std::string framing = GageFramingText(image.Get(fld::gageParity, c));
  if (framing.empty())  // the whole cell, not only its framing
    return std::string(kUnknownCodeText);
  return BaudText(image.Get(fld::gageBaud, c), true) + ":" + framing;
}

}  // namespace

PageBody BuildGlobalPage(const ParameterImage& image, ModelIndex model) {
  PageBody body{"Starting Channel Number", "Measurement Output Targets", {}};
  auto& l = body.lines;
  const ModelInfo* info = ModelByIndex(model);
  const bool network = IsNetworkModel(model);
  auto networkOnly = [&](std::string text) { return network ? text : std::string(); };

  l.push_back(BodyLine::Section("Global Setup Parameters"));
  l.push_back(BodyLine::Row("Mesurix Model",
                            info ? std::string(info->name) : std::string(kUnknownCodeText)));
  l.push_back(BodyLine::SubHeader("Serial Communications:"));
  l.push_back(BodyLine::SubRow("Parameters", HostSerialText(image)));
  l.push_back(BodyLine::SubRow(
      "Handshake", CodeText(image.Get(fld::hostHandshake), {"None", "Hardware", "Software"})));
  l.push_back(BodyLine::Row("Starting Channel Number", StartChannelText(image)));
  l.push_back(BodyLine::Row("Description", StoredText(image, fld::description)));

  l.push_back(BodyLine::Section("Network Setup Parameters"));
  l.push_back(
      BodyLine::Row("Connection Status", !network ? "Network not available on this Mesurix model"
                                         : image.Get(fld::networkEnabled) == 1 ? "Enabled"
                                                                               : "Disabled"));
  l.push_back(BodyLine::Row("Connection Type",
                            networkOnly(image.Get(fld::serverMode) != 0 ? "Server" : "Client")));
  l.push_back(BodyLine::Row("TCP/IP Address", networkOnly(AddressText(image, fld::ipAddress))));
  l.push_back(BodyLine::Row("Subnet Mask", networkOnly(AddressText(image, fld::subnetMask))));
  l.push_back(
      BodyLine::Row("Base Port Number", networkOnly(Printf("%d", image.Get(fld::basePort)))));
  l.push_back(BodyLine::Row("Number of Network Channels",
                            networkOnly(Printf("%d", image.Get(fld::networkChannelCount)))));
  l.push_back(BodyLine::Row("Measurement Output Targets", networkOnly(OutputTargetsText(image))));

  l.push_back(BodyLine::Section("Toggle Switch Parameters"));
  l.push_back(BodyLine::Row("Toggle switch operation", ToggleText(image, model)));
  // The maximum belongs to toggle mode 5; a model without the switch has nothing to show.
  const bool restartMode =
      HasToggleSwitch(model) && image.Get(fld::toggleMode) == toggle::kRestartSequence;
  l.push_back(BodyLine::SubRow(
      "Max channel number",
      restartMode ? Printf("%d", image.Get(fld::toggleMaxChannel)) : std::string()));

  l.push_back(BodyLine::Section("Channel Summary"));
  const int columns = ChannelCount(model);
  BodyLine heads = BodyLine::Table(LineKind::TableHead);
  BodyLine gage = BodyLine::Table(LineKind::TableRow, "Gage Type");
  BodyLine format = BodyLine::Table(LineKind::TableRow, "Output Format");
  BodyLine readSwitch = BodyLine::Table(LineKind::TableRow, "Read Switch");
  BodyLine rs232 = BodyLine::Table(LineKind::TableRow, "RS232 Gage");
  for (int c = 0; c < columns; ++c) {
    heads.cells.push_back(Printf("Channel %c", ChannelLetter(c)));
    gage.cells.push_back(GageCell(image, c));
    format.cells.push_back(
        CodeText(image.Get(fld::outputFormat, c),
                 {"Standard", "Left-justify", "PP Printer", "MUX10", "TIR", "Custom"}));
    readSwitch.cells.push_back(
        CodeText(image.Get(fld::readSwitchMode, c),
                 {"Disabled", "Single", "Continuous", "Single All", "Cont All", "Read & No step",
                  "Custom", "Read & Step", "Cont & No step", "Send string"}));
    rs232.cells.push_back(Rs232GageCell(image, c));
  }
  for (BodyLine* line : {&heads, &gage, &format, &readSwitch, &rs232})
    l.push_back(std::move(*line));
  return body;
}

}  // namespace mx::report
