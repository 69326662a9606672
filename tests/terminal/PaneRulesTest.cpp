// What the pane, the lamps and the caption show, as pure functions.
#include "terminal/PaneRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace mx::terminal {
namespace {

std::string Pane(const std::string& bytes, DisplaySwitches switches) {
  std::string out;
  AppendPaneText({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, switches, out);
  return out;
}

TEST(PaneRulesTest, EachByteClassUnderEachSwitch) {
  struct Case {
    uint8_t byte;
    const char* plain;     // both switches off
    const char* braces;    // "Characters in { }"
    const char* showCrLf;  // "Show CR & LF in { }"
  };
  const std::vector<Case> cases = {
      {'A', "A", "A", "A"},
      {' ', " ", "{Space}", " "},
      {',', ",", "{Comma}", ","},
      {'.', ".", "{Period}", "."},
      {'{', "{", "{{}", "{"},
      {'}', "}", "}", "}"},
      {7, "{BEL}", "{BEL}", "{BEL}"},
      {27, "{Esc}", "{Esc}", "{Esc}"},
      {13, "", "", "{CR}"},
      {10, "", "", "{LF}"},
      {127, "{127}", "{127}", "{127}"},
      {200, "{200}", "{200}", "{200}"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ByteDisplayText(c.byte, {}), c.plain) << int(c.byte);
    EXPECT_EQ(ByteDisplayText(c.byte, {.braces = true}), c.braces) << int(c.byte);
    EXPECT_EQ(ByteDisplayText(c.byte, {.showCrLf = true}), c.showCrLf) << int(c.byte);
  }
}

TEST(PaneRulesTest, EndOfLineStartsANewLineWhetherOrNotItShows) {
  EXPECT_EQ(Pane("OK\r\n", {}), "OK\n");
  EXPECT_EQ(Pane("OK\r\n", {.showCrLf = true}), "OK{CR}\n{LF}");
  EXPECT_EQ(Pane("a,b\r", {.braces = true}), "a{Comma}b\n");
  EXPECT_EQ(Pane("x\ny", {.endOfLine = 10}), "x\ny");
}

TEST(PaneRulesTest, AnEndlessLineIsBrokenAfterAThousandCharacters) {
  std::size_t column = 998;
  EXPECT_EQ(BreakLongLines("abc\nde", column), "ab\nc\nde");
  EXPECT_EQ(column, 2u);
  column = 1000;
  EXPECT_EQ(BreakLongLines("\n", column), "\n");
  EXPECT_EQ(column, 0u);
}

TEST(PaneRulesTest, TrimsFromOverFiveHundredRowsToFourHundred) {
  struct Case {
    std::vector<int> lengths;
    PaneTrim trim;
  };
  std::vector<int> shortThenLong(399, 8);
  shortThenLong.push_back(20'000);  // 200 rows
  const Case cases[] = {
      {std::vector<int>(500, 8), {0, 0}},
      {std::vector<int>(501, 8), {101, 0}},
      {std::vector<int>(2000, 8), {1600, 0}},
      {{50'000}, {0, 0}},                      // exactly 500 rows
      {{50'001}, {0, 10'100}},                 // one endless line loses its start
      {std::vector<int>(10, 10'000), {6, 0}},  // wrapped lines count as their rows
      {shortThenLong, {199, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TrimFor(c.lengths), c.trim) << c.lengths.size() << " lines";
}

TEST(PaneRulesTest, LampLooks) {
  EXPECT_EQ(LineLamps(LineState::On), (LampPair{Lamp::DarkGreen, Lamp::BrightRed}));
  EXPECT_EQ(LineLamps(LineState::Off), (LampPair{Lamp::BrightGreen, Lamp::DarkRed}));
  EXPECT_EQ(LineLamps(LineState::Closed), (LampPair{Lamp::DarkGreen, Lamp::DarkRed}));
  EXPECT_EQ(LineLamps(LineState::Unknown), (LampPair{Lamp::Grey, Lamp::Grey}));
  EXPECT_EQ(PortLamp(true, false), Lamp::BrightGreen);
  EXPECT_EQ(PortLamp(true, true), Lamp::Grey);
  EXPECT_EQ(PortLamp(false, false), Lamp::BrightRed);
  EXPECT_EQ(PausedLamp(true, true), Lamp::BrightGreen);
  EXPECT_EQ(PausedLamp(true, false), Lamp::BrightRed);
  EXPECT_EQ(PausedLamp(false, false), Lamp::DarkRed);
  EXPECT_EQ(SwitchLamp(true), Lamp::BrightGreen);
  EXPECT_EQ(SwitchLamp(false), Lamp::BrightRed);
}

TEST(PaneRulesTest, CaptionAndPortItem) {
  EXPECT_EQ(WindowCaption(1, {}), "Mesurix Communications Test  --  COM1:9600-N-8-1");
  EXPECT_EQ(WindowCaption(12, {115200, Parity::Space, 7, StopBits::OnePointFive}),
            "Mesurix Communications Test  --  COM12:115.2K-S-7-1.5");
  EXPECT_EQ(WindowCaption(3, {19200, Parity::Odd, 8, StopBits::Two}),
            "Mesurix Communications Test  --  COM3:19.2K-O-8-2");
  const std::vector<std::pair<int, const char*>> bauds = {{300, "300"},     {14400, "14.4K"},
                                                          {38400, "38.4K"}, {57600, "57.6K"},
                                                          {230400, "???"},  {0, "???"}};
  for (const auto& [baud, text] : bauds)
    EXPECT_EQ(BaudText(baud), text);
  EXPECT_EQ(PortItemText(-1), "Serial port");
  EXPECT_EQ(PortItemText(7), "Serial port  (COM7)");
}

}  // namespace
}  // namespace mx::terminal
