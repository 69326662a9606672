// One channel's page: the Basic, Read Switch, RS232 and Extended tab settings of that channel.
#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "report/ReportBody.h"
#include "report/ValueTexts.h"

namespace mx::report {

namespace {

std::string OutputOrderText(const ParameterImage& image, int c) {
  const std::pair<Field<FieldType::I8>, std::string_view> items[] = {
      {fld::orderNum, "Num    "}, {fld::orderMin, "Min    "}, {fld::orderMax, "Max    "},
      {fld::orderTir, "TIR    "}, {fld::orderAvg, "Avg    "}, {fld::orderSd, "SD    "}};
  std::string text;
  for (int position = 1; position <= 9; ++position) {
    for (const auto& [field, name] : items) {
      if (image.Get(field, c) == position)
        text += name;
    }
  }
  return text;
}

std::string ReadSwitchText(const ParameterImage& image, int c) {
  const int mode = image.Get(fld::readSwitchMode, c);
  if (mode == readSwitch::kCustomSequence)
    return "Custom read sequence:    " + StoredText(image, fld::customReadSequence, c);
  return CodeText(mode, {"Disabled", "Single read on channel", "Continuous read on channel",
                         "Single read on all channels", "Continuous read on all channels",
                         "Step mode: Single read & do not step to next channel",
                         "",  // composed above
                         "Step mode: Single read & step to next channel",
                         "Step mode: Continuous read & do not step to next channel",
                         "Send string to host computer"});
}

std::string EndOfPacketText(const ParameterImage& image, int c) {
  switch (image.Get(fld::endOfPacketMode, c)) {
    case endOfPacket::kNone:
      return "None  (Immediate pass through mode)";
    case endOfPacket::kCr:
      return "Carriage return  (hex = 0d)";
    case endOfPacket::kLf:
      return "Line feed  (hex = 0a)";
    case endOfPacket::kCustom:
      return Printf("Custom (hex):    %02x", image.Get(fld::endOfPacketChar, c));
    case endOfPacket::kGap:
      return Printf("%d msec gap time", image.Get(fld::gapTimeMs, c));
    default:
      return std::string(kUnknownCodeText);
  }
}

std::string ReadCommandText(const ParameterImage& image, int c) {
  switch (image.Get(fld::readCommandMode, c)) {
    case readCommand::kAcceptAll:
      return "Accept  all readings from serial device";
    case readCommand::kAcceptNext:
      return "Accept next reading with read switch press or computer command";
    case readCommand::kHandshakeLow:
      return Printf("Set handshake low for %d msec", image.Get(fld::handshakeLowMs, c));
    case readCommand::kCommandString:
      return "Command string:    " + StoredText(image, fld::commandText, c);
    default:
      return std::string(kUnknownCodeText);
  }
}

std::string UnitsText(const ParameterImage& image, int c) {
  const int conversion = image.Get(fld::unitsConversion, c);
  if (conversion == unitsConversion::kNone)
    return {};
  if (conversion > unitsConversion::kInchToMm)
    return std::string(kUnknownCodeText);
  std::string text = conversion == unitsConversion::kMmToInch ? "Convert from mm to inch"
                                                              : "Convert from inch to mm";
  const uint8_t decimals = image.Get(fld::unitsDecimals, c);
  return text + (decimals == decimals::kVariable ? std::string(",  Decimal places = Variable")
                                                 : Printf(",  Decimal places = %d", decimals));
}

// An equation term: "%g" of the single-precision value, empty when it is 0.
std::string EquationTermText(float value) {
  return value != 0.0f ? Printf("%g", static_cast<double>(value)) : std::string();
}

}  // namespace

PageBody BuildChannelPage(const ParameterImage& image, int c) {
  PageBody body{
      "Output Format (TIR / Custom / Calculated)", "Action to take if device does not respond", {}};
  auto& l = body.lines;

  const int gageType = image.Get(fld::gageType, c);
  const bool rs232 = gageType == gage::kRs232;
  const bool passThrough = rs232 && image.Get(fld::transferAsReceived, c) == 1;
  const int outputFormat = image.Get(fld::outputFormat, c);
  const bool includeCalculated = image.Get(fld::includeCalculated, c) == 1;
  const bool calculated = outputFormat == outputFormat::kTir || includeCalculated;
  // Rows that mean nothing when packets pass through unchanged, or without an RS232 gage.
  auto unlessPassThrough = [&](std::string text) { return passThrough ? std::string() : text; };
  auto rs232Only = [&](std::string text) { return rs232 ? text : std::string(); };
  auto yesIf = [](bool on) { return on ? std::string(kYes) : std::string(); };

  l.push_back(BodyLine::Section("Basic Tab"));
  l.push_back(BodyLine::Row(
      "Gage Type",
      CodeText(gageType, {"Auto Select (non RS232)", "CDI (Chicago Dial Indicator)", "Federal",
                          "Mitutoyo", "Ono Sokki", "RS232", "Disable channel"})));
  l.push_back(BodyLine::Row(
      "Output Format",
      unlessPassThrough(
          CodeText(outputFormat, {"Standard (10 digit field)", "Left-justify",
                                  "Pulseport Printer mode", "Mitutoyo MUX10", "TIR", "Custom"}))));
  l.push_back(BodyLine::SubRow(
      "Calculated results",
      unlessPassThrough(includeCalculated
                            ? Printf("Use %d measurements", image.Get(fld::calcReadingCount, c))
                            : std::string())));
  const bool formatText = outputFormat == outputFormat::kTir ||
                          outputFormat == outputFormat::kCustom || includeCalculated;
  l.push_back(BodyLine::Row(
      "Output Format (TIR / Custom / Calculated)",
      unlessPassThrough(formatText ? StoredText(image, fld::customFormatText, c) : std::string())));
  const int idPlace = image.Get(fld::idMode, c);
  const std::string idText = StoredText(image, fld::idText, c);
  l.push_back(BodyLine::Row(
      "Channel or Measurement ID",
      unlessPassThrough(CodeText(idPlace, {"", "Prefix:    " + idText, "Suffix:    " + idText}))));
  const int endMode = image.Get(fld::endOfOutputMode, c);
  l.push_back(
      BodyLine::Row("End of Output String",
                    unlessPassThrough(CodeText(
                        endMode, {"None", "Carriage return", "Carriage return & Line feed",
                                  "Custom:    " + StoredText(image, fld::endOfOutputText, c)}))));
  l.push_back(BodyLine::SubHeader("TIR & Calculated Output Setup:"));
  l.push_back(BodyLine::SubRow(
      "Output order", unlessPassThrough(calculated ? OutputOrderText(image, c) : std::string())));
  l.push_back(BodyLine::SubRow(
      "Output individual measurements",
      unlessPassThrough(calculated
                            ? (image.Get(fld::outputIndividual, c) == 1 ? std::string(kYes) : "No")
                            : std::string())));
  const int tirReadings = image.Get(fld::tirReadingCount, c);
  l.push_back(BodyLine::SubRow(
      "Number of TIR readings",
      unlessPassThrough(tirReadings > 0 ? Printf("%d", tirReadings) : std::string())));
  l.push_back(BodyLine::SubRow(
      "String after end of data",
      unlessPassThrough(calculated ? StoredText(image, fld::afterDataText, c) : std::string())));

  l.push_back(BodyLine::Section("Read Switch Tab"));
  const int readSwitch = image.Get(fld::readSwitchMode, c);
  l.push_back(BodyLine::Row("Read Switch Operation", ReadSwitchText(image, c)));
  // Only channel A runs a custom sequence with the LED.
  l.push_back(BodyLine::SubRow("Use LED to show next channel",
                               yesIf(c == 0 && readSwitch == readSwitch::kCustomSequence &&
                                     image.Get(fld::useLedForNext) == 1),
                               true));
  std::string startStop;
  if (readSwitch == readSwitch::kContinuousOnChannel ||
      readSwitch == readSwitch::kContinuousOnAll) {
    startStop = CodeText(image.Get(fld::continuousStartStop, c),
                         {"Press and hold read switch.  Release read switch to stop",
                          "Press and release read switch to start.  To stop, press & release "
                          "read switch."});
  }
  l.push_back(BodyLine::SubRow("Start/stop continuous read & TIR", startStop, true));
  l.push_back(
      BodyLine::Row("Contact Bounce", readSwitch != readSwitch::kDisabled
                                          ? Printf("%u msec", image.Get(fld::contactBounceMs, c))
                                          : std::string()));

  l.push_back(BodyLine::Section("RS232 Tab"));
  l.push_back(BodyLine::Row("Baud Rate", rs232Only(BaudText(image.Get(fld::gageBaud, c), true))));
  const std::string framing = GageFramingText(image.Get(fld::gageParity, c));
  l.push_back(BodyLine::Row("Communication Parameters",
                            rs232Only(framing.empty() ? std::string(kUnknownCodeText) : framing)));
  l.push_back(BodyLine::Row("End of Packet Identifier", rs232Only(EndOfPacketText(image, c))));
  l.push_back(BodyLine::Row("Parsing:"));
  auto parsing = [&](bool on) { return unlessPassThrough(rs232Only(yesIf(on))); };
  l.push_back(BodyLine::SubRow("Remove end-of-packet character",
                               parsing(image.Get(fld::removeEndOfPacket, c) == 1)));
  l.push_back(BodyLine::SubRow(
      "Character positions",
      unlessPassThrough(
          rs232Only(image.Get(fld::useCharPositions, c) == 1
                        ? Printf("Start at position %d,  End at position %d",
                                 image.Get(fld::charStart, c), image.Get(fld::charEnd, c))
                        : std::string()))));
  l.push_back(BodyLine::SubRow("Find first numeric field",
                               parsing(image.Get(fld::findFirstNumeric, c) == 1)));
  l.push_back(BodyLine::SubRow("Transfer packet as received",
                               rs232Only(yesIf(image.Get(fld::transferAsReceived, c) == 1))));
  const int command = image.Get(fld::readCommandMode, c);
  l.push_back(BodyLine::Row("Read Command", rs232Only(ReadCommandText(image, c))));
  l.push_back(BodyLine::SubHeader("Device Response Time:"));
  std::string wait;
  std::string action;
  if (command != readCommand::kAcceptAll) {
    wait = Printf("%d msec", image.Get(fld::responseWaitMs, c));
    action =
        CodeText(image.Get(fld::noResponseAction, c),
                 {"Accept any reading when it arrives", "Accept this reading whenever it arrives",
                  "Discard this reading if it arrives after wait time"});
  }
  l.push_back(BodyLine::SubRow("Time to wait for reading", rs232Only(wait)));
  l.push_back(BodyLine::SubRow("Action to take if device does not respond", rs232Only(action)));
  l.push_back(BodyLine::SubHeader("Mesurix Chaining:"));
  // Only channel E passes commands down the chain.
  l.push_back(
      BodyLine::SubRow("Send commands to next Mesurix",
                       yesIf(c == kChannelCount - 1 && image.Get(fld::chainCommands) != 0)));

  l.push_back(BodyLine::Section("Extended Tab"));
  l.push_back(BodyLine::Row("Units Conversion", unlessPassThrough(UnitsText(image, c))));
  l.push_back(BodyLine::SubHeader("Math Functions:"));
  l.push_back(BodyLine::SubRow("Absolute value",
                               unlessPassThrough(yesIf(image.Get(fld::absoluteValue, c) == 1))));
  l.push_back(BodyLine::SubHeader("Equation Setup (y = A + Bx):"));
  const bool equation = image.Get(fld::equationEnabled, c) == 1;
  auto equationOnly = [&](std::string text) {
    return unlessPassThrough(equation ? text : std::string());
  };
  l.push_back(BodyLine::SubRow("Equation constant  (A)",
                               equationOnly(EquationTermText(image.Get(fld::equationA, c)))));
  l.push_back(BodyLine::SubRow("Equation slope  (B)",
                               equationOnly(EquationTermText(image.Get(fld::equationB, c)))));
  const uint8_t decimals = image.Get(fld::equationDecimals, c);
  l.push_back(BodyLine::SubRow(
      "Decimal places", equationOnly(decimals == decimals::kVariable ? std::string("Variable")
                                                                     : Printf("%d", decimals))));
  l.push_back(BodyLine::Row("Custom features"));
  return body;
}

PageBody BuildPageBody(const ParameterImage& image, ModelIndex model, PageKind kind) {
  if (kind == PageKind::Global)
    return BuildGlobalPage(image, model);
  return BuildChannelPage(image, ChannelOf(kind));
}

}  // namespace mx::report
