// The test burst: its bytes, checked against a generator written apart from the production one,
// and the slices that keep the driver from ever making the window wait.
#include "terminal/TestBurst.h"

#include <gtest/gtest.h>

#include <string>

namespace mx::terminal {
namespace {

// The burst as a reader of the line sees it, composed another way round: the pattern repeated
// from its alphabet, the number padded by hand.
std::string ExpectedBurst() {
  std::string all;
  for (int n = 1; n <= 2000; ++n) {
    std::string number = std::to_string(n);
    number.insert(0, 5 - number.size(), ' ');
    std::string alphabet = "1234567890";
    if (n % 4 == 2)
      alphabet = "abcdefghijklmnopqrstuvwxyz";
    else if (n % 4 == 0)
      alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string pattern;
    while (pattern.size() < 80)
      pattern += alphabet[pattern.size() % alphabet.size()];
    all += "Line " + number + " - " + pattern + " - End\r";
  }
  return all;
}

TEST(TestBurstTest, TwoThousandLinesOfAHundredBytes) {
  EXPECT_EQ(
      TestBurstLine(4),
      "Line     4 - "
      "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZAB - End\r");
  std::string all;
  for (int n = 1; n <= kTestBurstLines; ++n)
    all += TestBurstLine(n);
  EXPECT_EQ(all.size(), 200000u);
  EXPECT_EQ(all, ExpectedBurst());
}

TEST(TestBurstTest, SlicesFollowTheLineAndStayShort) {
  // 9600-E-7-2: eleven bits a byte, 872 bytes a second.
  const LineSettings line{9600, Parity::Even, 7, StopBits::Two};
  TestBurstSender sender;
  uint32_t now = 4'294'967'000u;  // the tick counter wraps during the burst
  sender.Start(line, now);
  std::string sent;
  std::size_t largest = 0;
  while (sender.Running()) {
    const auto slice = sender.NextSlice(now);
    largest = std::max(largest, slice.size());
    sent.append(slice.begin(), slice.end());
    sender.Taken(slice.size());
    now += 75;
  }
  EXPECT_EQ(sent, ExpectedBurst());
  // A fifth of a second ahead, never more: 174 bytes at this speed.
  EXPECT_EQ(largest, 174u);
  const uint32_t elapsed = now - 4'294'967'000u;
  EXPECT_NEAR(elapsed, 200000.0 * 11 / 9600 * 1000, 300);

  // At 115200 the queue ahead is capped at 2 KB even when the timer comes a second late.
  sender.Start({115200, Parity::None, 8, StopBits::One}, 0);
  EXPECT_EQ(sender.NextSlice(0).size(), 2048u);
  sender.Taken(100);  // the driver took less than offered
  EXPECT_EQ(sender.NextSlice(1000).size(), 2048u);
  EXPECT_EQ(sender.BytesSent(), 100u);
  sender.Stop();
  EXPECT_TRUE(sender.NextSlice(2000).empty());
}

TEST(TestBurstTest, StopEndsTheBurstAtTheEndOfTheCurrentLine) {
  TestBurstSender sender;
  sender.Start({115200, Parity::None, 8, StopBits::One}, 0);
  sender.Taken(250);  // in the middle of line 3
  sender.StopAtLineEnd();
  ASSERT_TRUE(sender.Running());
  const std::span<const uint8_t> rest = sender.NextSlice(1000);
  ASSERT_EQ(rest.size(), 50u);
  EXPECT_EQ(rest.back(), '\r');
  sender.Taken(rest.size());
  EXPECT_FALSE(sender.Running());
  EXPECT_EQ(sender.BytesSent(), 300u);

  sender.Start({115200, Parity::None, 8, StopBits::One}, 0);
  sender.Taken(200);  // between two lines: nothing more goes out
  sender.StopAtLineEnd();
  EXPECT_FALSE(sender.Running());
}

}  // namespace
}  // namespace mx::terminal
