#include <gtest/gtest.h>

#include <set>

#include "core/ImageOperations.h"
#include "report/PrintPage.h"
#include "report/ReportBody.h"
#include "support/RecordingCanvas.h"

namespace mx::report {
namespace {

using test::RecordingCanvas;

// With the recording canvas, Arial 9 text is 108 high: P = 162, S = 118, G = 237.
constexpr int P = 162;
constexpr int S = 118;
constexpr int G = 237;

ParameterImage Defaults(ModelIndex model) {
  ParameterImage image;
  ResetImageToDefaults(image, model);
  return image;
}

RecordingCanvas DrawBody(const PageBody& body) {
  RecordingCanvas canvas;
  PrintPage page(canvas);
  page.SelectFont(FontFace::Arial, 9);
  DrawPageBody(page, body);
  return canvas;
}

const BodyLine* LineOf(const PageBody& body, std::string_view label) {
  for (const BodyLine& line : body.lines) {
    if (line.label == label)
      return &line;
  }
  ADD_FAILURE() << "no line " << label;
  return nullptr;
}

std::string ValueOf(const PageBody& body, std::string_view label) {
  const BodyLine* line = LineOf(body, label);
  return line ? line->value : "<missing>";
}

struct Drawn {
  std::string text;
  int x, y;
  uint32_t style;
  bool operator==(const Drawn&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Drawn& d) {
  return out << '"' << d.text << "\" at " << d.x << "," << d.y << " style " << std::hex << d.style
             << std::dec;
}

TEST(ReportBody, GlobalPageOfADefaultTwoChannelModel) {
  const RecordingCanvas canvas = DrawBody(BuildGlobalPage(Defaults(0), 0));
  // W = max(23 x 45, 26 x 45 + 100) = 1270; "=" at W + 300, values at W + 500.
  std::vector<Drawn> expected;
  int y = 0;
  auto section = [&](const char* text, int at) {
    y = at;
    expected.push_back({text, 0, y, style::kHeading});
  };
  auto row = [&](int x, int pitch, const char* label, const char* value) {
    y += pitch;
    expected.push_back({label, x, y, style::kLabel});
    expected.push_back({"=", 1570, y, style::kCentred});
    if (*value)
      expected.push_back({value, 1770, y, style::kLabel});
  };
  section("Global Setup Parameters", 900);
  row(100, P, "Mesurix Model", "Mesurix3 Plus");
  y += P;
  expected.push_back({"Serial Communications:", 100, y, style::kLabel});
  row(200, S, "Parameters", "9600:N-8-1");
  row(200, S, "Handshake", "None");
  row(100, P, "Starting Channel Number", "A (1)");
  row(100, P, "Description", "");
  section("Network Setup Parameters", y + G);
  row(100, P, "Connection Status", "Network not available on this Mesurix model");
  for (const char* label : {"Connection Type", "TCP/IP Address", "Subnet Mask", "Base Port Number",
                            "Number of Network Channels", "Measurement Output Targets"})
    row(100, P, label, "");
  section("Toggle Switch Parameters", y + G);
  row(100, P, "Toggle switch operation", "Toggle switch not available on this Mesurix model");
  row(200, S, "Max channel number", "");
  section("Channel Summary", y + G);
  // Label column 19 x 45 = 855, column pitch 18 x 45 = 810: centres at 1360 and 2170.
  y += P;
  expected.push_back({"Channel A", 1360, y, style::kColumnHead});
  expected.push_back({"Channel B", 2170, y, style::kColumnHead});
  for (auto [label, cell] : {std::pair{"Gage Type", "Auto"},
                             {"Output Format", "Standard"},
                             {"Read Switch", "Single"},
                             {"RS232 Gage", "--"}}) {
    y += P;
    expected.push_back({label, 100, y, style::kLabel});
    expected.push_back({cell, 1360, y, style::kCentred});
    expected.push_back({cell, 2170, y, style::kCentred});
  }

  std::vector<Drawn> drawn;
  for (const auto& t : canvas.texts) {
    drawn.push_back({t.text, t.x, t.y, t.style});
    EXPECT_EQ(t.font.points, 9);
  }
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(y, 3909 + 5 * P);
}

TEST(ReportBody, ChannelPagePitches) {
  const RecordingCanvas canvas = DrawBody(BuildChannelPage(Defaults(5), 0));
  // Every placement rule once: first section, row after a section, sub-row after a row, row after
  // a sub-row, sub-header, sub-rows after it, a later section, the two sub-rows a row apart, a row
  // with "=" and no value, and the last row, which adds up every step before it.
  struct Case {
    const char* label;
    int x, y;
  } cases[] = {
      {"Basic Tab", 0, 900},
      {"Gage Type", 100, 900 + P},
      {"Calculated results", 200, 900 + 2 * P + S},
      {"Output Format (TIR / Custom / Calculated)", 100, 900 + 3 * P + S},
      {"TIR & Calculated Output Setup:", 100, 900 + 6 * P + S},
      {"Output order", 200, 900 + 6 * P + 2 * S},
      {"String after end of data", 200, 900 + 6 * P + 5 * S},
      {"Read Switch Tab", 0, 900 + 6 * P + 5 * S + G},
      {"Use LED to show next channel", 200, 900 + 8 * P + 5 * S + G},
      {"Start/stop continuous read & TIR", 200, 900 + 9 * P + 5 * S + G},
      {"Parsing:", 100, 900 + 14 * P + 5 * S + 2 * G},
      {"Remove end-of-packet character", 200, 900 + 14 * P + 6 * S + 2 * G},
      {"Custom features", 100, 900 + 21 * P + 16 * S + 3 * G},
  };
  for (const Case& c : cases) {
    const RecordingCanvas::Text* text = canvas.Find(c.label);
    ASSERT_NE(text, nullptr) << c.label;
    EXPECT_EQ(text->x, c.x) << c.label;
    EXPECT_EQ(text->y, c.y) << c.label;
  }
  // W = 41 x 45 + 100: "=" at 2245; "Parsing:" has it but no value.
  const auto parsing = canvas.AtY(canvas.Find("Parsing:")->y);
  ASSERT_EQ(parsing.size(), 2u);
  EXPECT_EQ(parsing[1].text, "=");
  EXPECT_EQ(parsing[1].x, 2245);
  EXPECT_EQ(canvas.AtY(canvas.Find("Gage Type")->y).at(2).x, 2445);
}

// A channel B set up so that every row of its page has something to print.
ParameterImage EveryRowSet(int gageType, bool transferAsReceived) {
  ParameterImage image = Defaults(5);
  const int c = 1;
  image.Set(fld::gageType, static_cast<int8_t>(gageType), c);
  image.Set(fld::transferAsReceived, transferAsReceived, c);
  image.Set(fld::outputFormat, 4, c);
  image.Set(fld::includeCalculated, 1, c);
  image.Set(fld::calcReadingCount, 7, c);
  image.SetText(fld::customFormatText, "MMMM", c);
  image.Set(fld::idMode, 1, c);
  image.SetText(fld::idText, "B", c);
  image.Set(fld::tirReadingCount, 3, c);
  image.SetText(fld::afterDataText, "\\x0d", c);
  image.Set(fld::readSwitchMode, 2, c);
  image.Set(fld::useCharPositions, 1, c);
  image.Set(fld::readCommandMode, 3, c);
  image.SetText(fld::commandText, "R", c);
  image.Set(fld::unitsConversion, 1, c);
  image.Set(fld::absoluteValue, 1, c);
  image.Set(fld::equationEnabled, 1, c);
  image.Set(fld::equationA, 1.5f, c);
  return image;
}

TEST(ReportBody, BlankRulesOfTheChannelPage) {
  const std::set<std::string> unlessPassThrough = {"Output Format",
                                                   "Calculated results",
                                                   "Output Format (TIR / Custom / Calculated)",
                                                   "Channel or Measurement ID",
                                                   "End of Output String",
                                                   "Output order",
                                                   "Output individual measurements",
                                                   "Number of TIR readings",
                                                   "String after end of data",
                                                   "Remove end-of-packet character",
                                                   "Character positions",
                                                   "Find first numeric field",
                                                   "Units Conversion",
                                                   "Absolute value",
                                                   "Equation constant  (A)",
                                                   "Equation slope  (B)",
                                                   "Decimal places"};
  const std::set<std::string> rs232Only = {"Baud Rate",
                                           "Communication Parameters",
                                           "End of Packet Identifier",
                                           "Remove end-of-packet character",
                                           "Character positions",
                                           "Find first numeric field",
                                           "Transfer packet as received",
                                           "Read Command",
                                           "Time to wait for reading",
                                           "Action to take if device does not respond"};
  // Empty on channel B's page whatever is set: channel A and E rows, and the two without a value.
  const std::set<std::string> never = {"Use LED to show next channel",
                                       "Send commands to next Mesurix",
                                       "Parsing:", "Custom features"};
  struct Case {
    int gageType;
    bool transfer;
    std::set<std::string> blank;
  } cases[] = {
      {5, true, unlessPassThrough},  // pass-through: RS232 gage sending packets as received
      {5, false, {"Transfer packet as received"}},
      {0, true, rs232Only},  // packets as received mean nothing without an RS232 gage
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.gageType << " " << c.transfer);
    for (const BodyLine& line : BuildChannelPage(EveryRowSet(c.gageType, c.transfer), 1).lines) {
      if (line.kind != LineKind::Row && line.kind != LineKind::SubRow)
        continue;
      const bool blank = c.blank.count(line.label) || never.count(line.label);
      EXPECT_EQ(line.value.empty(), blank) << line.label << " = " << line.value;
    }
  }
}

TEST(ReportBody, CalculatedOutputRows) {
  struct Case {
    uint8_t format;
    uint8_t includeCalculated;
    const char* order;
    const char* individual;
    const char* formatText;
  } cases[] = {
      {0, 0, "", "", ""},
      {4, 0, "Num    Min    Max    TIR    ", "No", "MMMM"},
      {0, 1, "Num    Min    Max    TIR    ", "No", "MMMM"},
      {5, 0, "", "", "MMMM"},  // custom format: its text, but no calculated output
  };
  for (const Case& c : cases) {
    ParameterImage image = Defaults(4);
    image.Set(fld::outputFormat, c.format, 2);
    image.Set(fld::includeCalculated, c.includeCalculated, 2);
    image.SetText(fld::customFormatText, "MMMM", 2);
    const PageBody body = BuildChannelPage(image, 2);
    EXPECT_EQ(ValueOf(body, "Output order"), c.order);
    EXPECT_EQ(ValueOf(body, "Output individual measurements"), c.individual);
    EXPECT_EQ(ValueOf(body, "Output Format (TIR / Custom / Calculated)"), c.formatText);
  }
  ParameterImage image = Defaults(4);
  image.Set(fld::outputFormat, 4, 0);
  image.Set(fld::orderSd, 1, 0);  // shares position 1 with Num, and comes after it
  image.Set(fld::orderTir, 9, 0);
  EXPECT_EQ(ValueOf(BuildChannelPage(image, 0), "Output order"),
            "Num    SD    Min    Max    TIR    ");
}

// Image setters for the value tables below, one expression each.
using Setter = void (*)(ParameterImage&);

TEST(ReportBody, ChannelValueTexts) {
  struct Case {
    const char* label;
    Setter set;
    const char* value;
  } cases[] = {
      {"Equation constant  (A)", [](ParameterImage& i) { i.Set(fld::equationA, 0.0f); }, ""},
      {"Equation constant  (A)", [](ParameterImage& i) { i.Set(fld::equationA, 0.1f); }, "0.1"},
      {"Equation slope  (B)", [](ParameterImage& i) { i.Set(fld::equationB, 1e-7f); }, "1e-07"},
      {"Equation slope  (B)", [](ParameterImage& i) { i.Set(fld::equationB, 123456789.0f); },
       "1.23457e+08"},
      {"End of Packet Identifier",
       [](ParameterImage& i) { i.Set(fld::endOfPacketMode, 3), i.Set(fld::endOfPacketChar, 13); },
       "Custom (hex):    0d"},
      {"Units Conversion", [](ParameterImage& i) { i.Set(fld::unitsConversion, 1); },
       "Convert from mm to inch,  Decimal places = Variable"},
      {"Units Conversion", [](ParameterImage& i) { i.Set(fld::unitsConversion, 3); }, "???"},
      {"Read Switch Operation",
       [](ParameterImage& i) {
         i.Set(fld::readSwitchMode, 6), i.SetText(fld::customReadSequence, "ABBA");
       },
       "Custom read sequence:    ABBA"},
      {"Use LED to show next channel",
       [](ParameterImage& i) { i.Set(fld::readSwitchMode, 6), i.Set(fld::useLedForNext, 1); },
       "Yes"},
      {"Start/stop continuous read & TIR",
       [](ParameterImage& i) { i.Set(fld::readSwitchMode, 4), i.Set(fld::continuousStartStop, 1); },
       "Press and release read switch to start.  To stop, press & release read switch."},
      {"Start/stop continuous read & TIR",
       [](ParameterImage& i) { i.Set(fld::readSwitchMode, 2), i.Set(fld::continuousStartStop, 2); },
       "???"},
      {"End of Output String", [](ParameterImage& i) { i.Set(fld::endOfOutputMode, 2); },
       "Carriage return & Line feed"},
      {"Action to take if device does not respond",
       [](ParameterImage& i) { i.Set(fld::readCommandMode, 1), i.Set(fld::noResponseAction, 1); },
       "Accept this reading whenever it arrives"},
  };
  for (const Case& c : cases) {
    ParameterImage image = Defaults(6);  // RS232 gages, so the RS232 rows print
    image.Set(fld::equationEnabled, 1);
    c.set(image);
    EXPECT_EQ(ValueOf(BuildChannelPage(image, 0), c.label), c.value) << c.label;
  }
  // The LED and chaining rows belong to channels A and E alone.
  ParameterImage image = Defaults(6);
  image.Set(fld::readSwitchMode, 6, 1);
  image.Set(fld::useLedForNext, 1);
  image.Set(fld::chainCommands, 1);
  EXPECT_EQ(ValueOf(BuildChannelPage(image, 1), "Use LED to show next channel"), "");
  EXPECT_EQ(ValueOf(BuildChannelPage(image, 1), "Send commands to next Mesurix"), "");
  EXPECT_EQ(ValueOf(BuildChannelPage(image, 4), "Send commands to next Mesurix"), "Yes");
}

TEST(ReportBody, GlobalValueTexts) {
  struct Case {
    ModelIndex model;
    const char* label;
    Setter set;
    const char* value;
  } cases[] = {
      {0, "Handshake", [](ParameterImage& i) { i.Set(fld::hostHandshake, 2); }, "Software"},
      {0, "Handshake", [](ParameterImage& i) { i.Set(fld::hostHandshake, 3); }, "???"},
      {0, "Parameters",
       [](ParameterImage& i) { i.Set(fld::hostBaud, 19200), i.Set(fld::hostDataBits, '7'); },
       "19.2K:N-7-1"},
      {0, "Parameters",
       [](ParameterImage& i) { i.Set(fld::hostBaud, 38400), i.Set(fld::hostParity, 'M'); },
       "???:???"
       "-8-1"},  // split: no trigraph
      {0, "Starting Channel Number",
       [](ParameterImage& i) {
         i.Set(fld::startChannelMode, 5), i.Set(fld::startChannelNumber, 42);
       },
       "Custom:    42"},
      {0, "Description", [](ParameterImage& i) { i.SetText(fld::description, "Line\r\xE9"); },
       "Line{CR}\xC3\xA9"},  // one printable line, Latin-1 shown as such
      {9, "Mesurix Model", [](ParameterImage&) {}, "???"},
      {5, "Measurement Output Targets",
       [](ParameterImage& i) { i.Set(fld::outputToRs232Port, 0), i.Set(fld::networkOutput, 7, 3); },
       "N/W Ch 1,  N/W Ch 4"},
      {4, "Toggle switch operation",
       [](ParameterImage& i) {
         i.Set(fld::toggleMode, 4), i.Set(fld::toggleLeftChannels, 1, 0),
             i.Set(fld::toggleLeftChannels, 1, 2);
       },
       "Toggle left = Single read on A C       Toggle right = Single read on none"},
      {4, "Toggle switch operation",
       [](ParameterImage& i) {
         i.Set(fld::toggleMode, 4), i.Set(fld::toggleRightContinuous, 1),
             i.Set(fld::toggleRightChannels, 1, 4), i.Set(fld::toggleLeftChannels, 2, 1);
       },
       "Toggle left = Single read on none       Toggle right = Continuous read on E"},
      {4, "Toggle switch operation", [](ParameterImage& i) { i.Set(fld::toggleMode, 6); }, "???"},
      {4, "Max channel number", [](ParameterImage& i) { i.Set(fld::toggleMode, 5); }, "4"},
      // A model without the switch shows none of its settings.
      {3, "Max channel number", [](ParameterImage& i) { i.Set(fld::toggleMode, 5); }, ""},
  };
  for (const Case& c : cases) {
    ParameterImage image = Defaults(c.model == 9 ? 0 : c.model);
    c.set(image);
    EXPECT_EQ(ValueOf(BuildGlobalPage(image, c.model), c.label), c.value) << c.label;
  }
}

TEST(ReportBody, SummaryTableCells) {
  ParameterImage image = Defaults(5);
  image.Set(fld::gageType, int8_t{6}, 0);
  image.Set(fld::gageType, int8_t{5}, 1);
  image.Set(fld::gageBaud, 38400, 1);
  image.Set(fld::gageParity, 'N', 1);
  image.Set(fld::gageType, int8_t{5}, 2);
  image.Set(fld::gageParity, 'X', 2);  // the whole cell, not only the framing
  image.Set(fld::gageType, int8_t{5}, 3);
  image.Set(fld::gageBaud, 300, 3);
  image.Set(fld::gageType, int8_t{12}, 4);
  image.Set(fld::readSwitchMode, 8, 0);
  image.Set(fld::readSwitchMode, 9, 1);
  image.Set(fld::readSwitchMode, 10, 2);
  image.Set(fld::outputFormat, 6, 3);
  const PageBody body = BuildGlobalPage(image, 5);
  using Cells = std::vector<std::string>;
  EXPECT_EQ(LineOf(body, "Gage Type")->cells,
            (Cells{"Disabled", "RS232", "RS232", "RS232", "???"}));
  EXPECT_EQ(LineOf(body, "RS232 Gage")->cells,
            (Cells{"--", "38.4K:N-8-1", "???", "???:E-7-1", "--"}));
  EXPECT_EQ(LineOf(body, "Read Switch")->cells,
            (Cells{"Cont & No step", "Send string", "???", "Single", "Disabled"}));
  EXPECT_EQ(LineOf(body, "Output Format")->cells,
            (Cells{"Standard", "Standard", "Standard", "???", "Standard"}));
}

}  // namespace
}  // namespace mx::report

namespace mx::report {
namespace {

TEST(ReportBody, AValueTooLongForItsLineGoesOnOntoTheNext) {
  PageBody body;
  body.widthLabel = "Description";
  std::string words;
  for (int i = 0; i < 30; ++i)
    words += "fixture ";
  body.lines = {BodyLine::Section("Global"), BodyLine::Row("Description", words),
                BodyLine::Row("Next")};
  const RecordingCanvas canvas = DrawBody(body);
  const int y = kFirstSectionY + P;
  const std::vector<RecordingCanvas::Text> first = canvas.AtY(y);
  ASSERT_EQ(first.size(), 3u);  // label, "=", the value's first line
  const std::vector<RecordingCanvas::Text> second = canvas.AtY(y + S);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].x, first[2].x);
  EXPECT_EQ(first[2].text + " " + second[0].text, words);
  for (const RecordingCanvas::Text& t : canvas.texts) {
    EXPECT_EQ(t.squeezeTo, 0) << t.text;
    EXPECT_LE(t.x + RecordingCanvas::CharWidth(9) * static_cast<int>(t.text.size()),
              kBodyLayoutWidth)
        << t.text;
  }
  EXPECT_EQ(canvas.Find("Next")->y, y + S + P);
}

TEST(ReportBody, ScaleFitsTheBodyAboveTheFooterOfAShortPage) {
  const PageBody body = BuildChannelPage(Defaults(5), 0);
  for (const int height : {10500, 7500, 5000}) {
    RecordingCanvas canvas;
    canvas.area = {8000, height};
    PrintPage page(canvas);
    page.SelectFont(FontFace::Arial, 9);
    page.SetMeasureOnly(true);
    const TextExtent reach = DrawPageBody(page, body);
    page.SetMeasureOnly(false);
    const double factor = BodyScale(page, body);
    const int footerTop = page.PageBottom() - 2 * page.LineHeight();
    SCOPED_TRACE(height);
    EXPECT_LE(factor, 1.0);
    EXPECT_LT(kFirstSectionY + (reach.height - kFirstSectionY) * factor, footerTop);
    if (reach.height < footerTop - page.LineHeight()) {
      EXPECT_EQ(factor, 1.0);
    }
  }
}

}  // namespace
}  // namespace mx::report
