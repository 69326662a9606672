#include "nettest/TrafficText.h"

#include <gtest/gtest.h>

#include <vector>

namespace mx::nettest {
namespace {

std::string Show(std::initializer_list<int> bytes, bool braces, uint8_t eop) {
  std::string out;
  for (int b : bytes)
    AppendTrafficText(static_cast<uint8_t>(b), {braces, eop}, out);
  return out;
}

TEST(TrafficText, PlainDisplayBreaksLinesAtTheEndOfPacket) {
  // CR ends packets: the CR is the line break, the LF that follows is inserted as it is.
  EXPECT_EQ(Show({'A', 'B', 13, 10}, false, 13), "AB\n\n");
  // LF ends packets: a CR is not shown at all.
  EXPECT_EQ(Show({'A', 'B', 13, 10}, false, 10), "AB\n");
  EXPECT_EQ(Show({0, 'x', 9, 200, '{'}, false, 13), "x\t\xc8{");
}

TEST(TrafficText, BracesShowControlAndHighBytesByName) {
  EXPECT_EQ(Show({65, 13, 10, 200}, true, 13), "A{CR}\n{LF}{200}");
  EXPECT_EQ(Show({65, 13, 10, 200}, true, 10), "A{CR}{LF}\n{200}");
  // Printable bytes stay themselves here: no {Space} and no {{}.
  EXPECT_EQ(Show({' ', ',', '.', '{', 0, 27, 127, 255}, true, 13), " ,.{{NUL}{Esc}{127}{255}");
}

TEST(TrafficText, OnlyTheEndOfPacketByteReportsAPacket) {
  std::string out;
  EXPECT_TRUE(AppendTrafficText(13, {false, 13}, out));
  EXPECT_FALSE(AppendTrafficText(10, {false, 13}, out));
  EXPECT_TRUE(AppendTrafficText(10, {true, 10}, out));
}

TEST(TrafficText, TheTailIsTheEndOfTheWholeTextInWholeBytes) {
  const std::vector<uint8_t> bytes = {'a', 0, 200, 'b', 13, 10, 'c'};
  struct Case {
    bool braces;
    int wanted;
    std::string tail;
  };
  const Case cases[] = {
      {false, 2, "\nc"},    // LF then c
      {false, 3, "\n\nc"},  // the CR of the end of packet
      {false, 100,
       "a\xc8"
       "b\n\nc"},          // fewer than wanted: all of it; NUL shows as nothing
      {true, 4, "{LF}c"},  // a byte's text comes whole
      {true, 5, "{LF}c"},
      {true, 6, "{CR}\n{LF}c"},
      {true, 0, ""},
  };
  for (const Case& c : cases) {
    const TrafficTail tail = TailOfTrafficText(bytes, {c.braces, 13}, c.wanted);
    EXPECT_EQ(tail.text, c.tail) << c.braces << " " << c.wanted;
    EXPECT_EQ(tail.width, static_cast<int>(c.tail.size()));
    std::string whole;
    for (uint8_t b : bytes)
      AppendTrafficText(b, {c.braces, 13}, whole);
    EXPECT_TRUE(whole.ends_with(tail.text));
  }
}

TEST(TrafficText, TypedTextSendsOneCrPerLineUnlessLfEndsPackets) {
  EXPECT_EQ(TypedBytesFromText("A\nB", false), "A\rB");
  EXPECT_EQ(TypedBytesFromText("A\nB", true), "A\r\nB");
  EXPECT_EQ(TypedBytesFromText("A\r\nB\r\n", false), "A\rB\r");
  EXPECT_EQ(TypedBytesFromText("\n\n", false), "\r\r");
  EXPECT_EQ(TypedBytesFromText("lone\rCR", false), "lone\rCR");
  EXPECT_EQ(TypedBytesFromText("", false), "");
}

}  // namespace
}  // namespace mx::nettest
