#include "nettest/LtnFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mx::nettest {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

LtnFields Custom() {
  LtnFields f;
  f.fontSize = 12;
  f.port = -7;
  f.serverAddress = "gage-7.plant.example";
  f.mode = kLtnModeServer;
  f.endOfPacket = 10;
  f.buttonLabels = {"Zero", "", "Read", std::string(300, 'L')};
  f.buttonCommands = {std::string("\0\r\xff", 3), "", "{", std::string(100, 'x')};
  f.charactersInBraces = 1;
  f.hexFlag = 1;
  f.crToCrLf = 1;
  f.beepAtEndOfPacket = 1;
  return f;
}

TEST(LtnFormat, DefaultDocumentLayoutIsByteExact) {
  const std::vector<uint8_t> out = SerializeLtn(LtnFields{});
  ASSERT_EQ(out[0], 44);
  EXPECT_EQ(std::string(out.begin() + 1, out.begin() + 45), kLtnHeaderText);
  EXPECT_EQ(out[45], 6);
  EXPECT_EQ(std::string(out.begin() + 46, out.begin() + 52), "1.00-A");
  // Font size 10 and port 5000 little-endian at 52, then the empty address, mode 2, CR.
  const std::vector<uint8_t> fixed{10, 0, 0, 0, 0x88, 0x13, 0, 0, 0, 2, 0, 0, 0, 13};
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 52, out.begin() + 66), fixed);
  EXPECT_EQ(out[66], 6);
  EXPECT_EQ(std::string(out.begin() + 67, out.begin() + 73), "User 1");
  const std::size_t commands = 66 + 4 * 7;
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + commands, out.begin() + commands + 4),
            (std::vector<uint8_t>{33, 0, 0, 0}));
  EXPECT_EQ(out[commands + 4 + 32], '\r');
  EXPECT_EQ(out.size(), commands + 4 * (4 + 33) + 16);
}

TEST(LtnFormat, RoundTripKeepsEveryField) {
  const LtnFields custom = Custom();
  const LtnLoadResult back = ParseLtn(SerializeLtn(custom));
  ASSERT_EQ(back.status, LtnLoadStatus::Ok);
  EXPECT_EQ(back.fields, custom);
  EXPECT_EQ(back.fields.buttonCommands[0], std::string("\0\r\xff", 3));

  std::string allBytes;
  for (int b = 0; b < 256; ++b)
    allBytes.push_back(static_cast<char>(b));
  LtnFields every;
  every.buttonCommands[3] = allBytes;
  every.serverAddress = allBytes;
  EXPECT_EQ(ParseLtn(SerializeLtn(every)).fields, every);
}

TEST(LtnFormat, TextLengthPrefixesSwitchAt255AndFFFF) {
  struct Case {
    std::size_t length;
    std::vector<uint8_t> prefix;
  };
  const Case cases[] = {
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFE, {0xFF, 0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    LtnFields f;
    f.serverAddress.assign(c.length, 'a');
    const std::vector<uint8_t> out = SerializeLtn(f);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 60,
                                   out.begin() + 60 + static_cast<long>(c.prefix.size())),
              c.prefix)
        << c.length;
    EXPECT_EQ(ParseLtn(out).fields.serverAddress.size(), c.length);
  }
}

TEST(LtnFormat, WrongHeaderOrVersionKeepsDefaults) {
  std::vector<uint8_t> upper = SerializeLtn(Custom());
  upper[1] = 'l';  // "linkTest_Network ..."
  LtnLoadResult r = ParseLtn(upper);
  EXPECT_EQ(r.status, LtnLoadStatus::WrongHeader);
  EXPECT_EQ(r.fields, LtnFields{});

  std::vector<uint8_t> versionB = SerializeLtn(Custom());
  versionB[51] = 'B';
  r = ParseLtn(versionB);
  EXPECT_EQ(r.status, LtnLoadStatus::WrongHeader);
  EXPECT_EQ(r.fields, LtnFields{});

  EXPECT_EQ(ParseLtn({}).status, LtnLoadStatus::WrongHeader);
  EXPECT_EQ(ParseLtn(Bytes("PK\x03\x04 not ours")).status, LtnLoadStatus::WrongHeader);
}

TEST(LtnFormat, EveryTruncationFailsWithDefaults) {
  const std::vector<uint8_t> full = SerializeLtn(Custom());
  for (std::size_t n = 52; n < full.size(); ++n) {
    const LtnLoadResult r = ParseLtn(std::span(full.data(), n));
    ASSERT_EQ(r.status, LtnLoadStatus::Truncated) << n;
    ASSERT_EQ(r.fields, LtnFields{}) << n;
  }
  // Bytes after the last flag are ignored.
  std::vector<uint8_t> longer = full;
  longer.push_back(0x55);
  EXPECT_EQ(ParseLtn(longer).status, LtnLoadStatus::Ok);
}

TEST(LtnFormat, HugeLengthClaimsAreRejectedWithoutAllocating) {
  std::vector<uint8_t> head = SerializeLtn(LtnFields{});
  head.resize(60);  // header, version, font size, port

  std::vector<uint8_t> text4g = head;
  text4g.insert(text4g.end(), 7, uint8_t{0xFF});
  text4g.resize(text4g.size() + 100, 'a');
  EXPECT_EQ(ParseLtn(text4g).status, LtnLoadStatus::Truncated);

  std::vector<uint8_t> command4g = SerializeLtn(LtnFields{});
  const std::size_t firstCommand = 66 + 4 * 7;
  for (std::size_t i = 0; i < 4; ++i)
    command4g[firstCommand + i] = 0xFF;
  const LtnLoadResult r = ParseLtn(command4g);
  EXPECT_EQ(r.status, LtnLoadStatus::Truncated);
  EXPECT_EQ(r.offset, firstCommand + 4);
}

}  // namespace
}  // namespace mx::nettest
