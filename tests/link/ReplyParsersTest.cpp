// The reply lines: identification against the settings in use, the network columns, verdicts.
#include <gtest/gtest.h>

#include "link/ReplyParsers.h"

namespace mx {
namespace {

TEST(ReplyParsersTest, IdentificationMustMatchTheSettingsInUse) {
  EXPECT_EQ(MatchIdentification("MX3-PLUS-00: 9600-N-8-1", 9600, 'N', '8'), 0);
  EXPECT_EQ(MatchIdentification("MX6-NTWK-00: 19200-O-7-1", 19200, 'O', '7'), 7);
  EXPECT_EQ(MatchIdentification("MX4-NTWK-00: 9600-N-8-1", 4800, 'N', '8'), -1);
  EXPECT_EQ(MatchIdentification("MX4-NTWK-00: 9600-N-8-1 ", 9600, 'N', '8'), -1);
  EXPECT_EQ(MatchIdentification("mx4-ntwk-00: 9600-N-8-1", 9600, 'N', '8'), -1);
  EXPECT_EQ(MatchIdentification("MX9-PLUS-00: 9600-N-8-1", 9600, 'N', '8'), -1);
  // A C text ends at its NUL, as the reply buffer did.
  EXPECT_EQ(MatchIdentification(std::string("MX5-PLUS-00: 2400-E-7-1\0junk", 28), 2400, 'E', '7'),
            4);
  EXPECT_EQ(IdentificationSuffix(1200, 'E', '7'), ": 1200-E-7-1");
}

TEST(ReplyParsersTest, NetworkColumns) {
  NetworkStatus status;
  ParseNetworkStatus("100  1 1 192 168   1  20 255.255.255.  0  3001", status);
  EXPECT_TRUE(status.netStatusValid);
  EXPECT_EQ(status.netEnabled, 1);
  EXPECT_EQ(status.netServerMode, 1);
  EXPECT_EQ(status.netAddress, (std::array<int, 4>{192, 168, 1, 20}));
  EXPECT_EQ(status.netPort, 3001);

  // A wrong status code keeps the fields but not the verdict.
  ParseNetworkStatus("101  0 0  10   0   0   7 xxxxxxxxxxxxxxxx 10001", status);
  EXPECT_FALSE(status.netStatusValid);
  EXPECT_EQ(status.netAddress, (std::array<int, 4>{10, 0, 0, 7}));
  EXPECT_EQ(status.netPort, 10001);
  EXPECT_EQ(status.netServerMode, 0);
}

TEST(ReplyParsersTest, NetworkRangesAndMissingFields) {
  const char* invalid[] = {
      "100  2 0  10   0   0   7 xxxxxxxxxxxxxxxx 10001",  // enabled not 0/1
      "100  1 0  10 256   0   7 xxxxxxxxxxxxxxxx 10001",  // address byte
      "100  1 0  10   0   0  -1 xxxxxxxxxxxxxxxx 10001",
      "100  1 0  10   0   0   7 xxxxxxxxxxxxxxxx 65536",  // port
      "100  1 0  10   0   0   7 xxxxxxxxxxxxxxxx",        // port column beyond the end
      "100  1 0  10   0   x   7 xxxxxxxxxxxxxxxx 10001",  // no digits
      "100  1 0  10   0   0   7 xxxxxxxxxxxxxxxx 99999999999999999999999",
      "",
  };
  for (const char* line : invalid) {
    NetworkStatus status;
    ParseNetworkStatus(line, status);
    EXPECT_FALSE(status.netStatusValid) << line;
  }
  NetworkStatus status;
  const std::string signedLine = "+100 0 1   +0   0   0   0" + std::string(16, '.') + "+0";
  ASSERT_EQ(signedLine.find("+0", 25), 41u);
  ParseNetworkStatus(signedLine, status);
  EXPECT_TRUE(status.netStatusValid);  // "%d" takes a sign
}

TEST(ReplyParsersTest, Verdicts) {
  EXPECT_EQ(ParseVerdict("Pass"), Verdict::Pass);
  EXPECT_EQ(ParseVerdict("PASS"), Verdict::Unknown);
  EXPECT_EQ(ParseVerdict("Pass "), Verdict::Unknown);
  EXPECT_EQ(ParseVerdict("Transfer Failed:"), Verdict::Failed);
  EXPECT_EQ(ParseVerdict("Transfer Failed: checksum error"), Verdict::Failed);
  EXPECT_EQ(ParseVerdict("Transfer Failed"), Verdict::Unknown);
  EXPECT_EQ(ParseVerdict(""), Verdict::Unknown);
}

}  // namespace
}  // namespace mx
