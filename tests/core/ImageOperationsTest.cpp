#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/ImageOperations.h"

namespace mx {
namespace {

ParameterImage DefaultImage(ModelIndex model = 0) {
  ParameterImage image;
  ResetImageToDefaults(image, model);
  return image;
}

TEST(Checksum, PublishedVectors) {
  ParameterImage image;
  EXPECT_EQ(ImageChecksum(image), 0u);
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(ChecksumBytes(abc), 0xE20F9DD6u);
  image.Bytes()[0] = 'a';
  image.Bytes()[1] = 'b';
  image.Bytes()[2] = 'c';
  EXPECT_EQ(ImageChecksum(image), 0x42A62D31u);
}

TEST(Checksum, IgnoresItsOwnBytesAndIsStoredLittleEndian) {
  ParameterImage image = DefaultImage();
  const uint32_t sum = ImageChecksum(image);
  image.Set(fld::checksum, 0xDEADBEEFu);
  EXPECT_EQ(ImageChecksum(image), sum);
  EXPECT_FALSE(ChecksumMatches(image));
  StoreChecksum(image);
  EXPECT_TRUE(ChecksumMatches(image));
  EXPECT_EQ(image.Bytes()[3297], sum & 0xFF);
  EXPECT_EQ(image.Bytes()[3300], sum >> 24);
}

TEST(HexEscapes, DecodesAndNormalisesTheTypedText) {
  struct Case {
    std::string in, normalised;
    std::vector<uint8_t> bytes;
  };
  const std::vector<Case> cases = {
      {"AB\\X0D\\x0a", "AB\\x0d\\x0a", {'A', 'B', 0x0D, 0x0A}},
      {"\\xFf", "\\xff", {0xFF}},
      {"\\x0", "\\x0", {'\\', 'x', '0'}},  // incomplete escape copied as typed
      {"\\xg1", "\\xg1", {'\\', 'x', 'g', '1'}},
      {"a\\", "a\\", {'a', '\\'}},
      {"\\\\x41", "\\\\x41", {'\\', 'A'}},  // no escape for the backslash itself
      {"", "", {}},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    std::vector<uint8_t> out(32, 0xEE);
    const uint16_t n = TranslateHexEscapes(text, out);
    EXPECT_EQ(text, c.normalised) << c.in;
    ASSERT_EQ(n, c.bytes.size()) << c.in;
    EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), out.begin())) << c.in;
    EXPECT_EQ(out[n], 0xEE) << "no terminator written: " << c.in;
  }
}

TEST(HexEscapes, NeverWritesPastTheOutputBuffer) {
  std::string text(100, 'z');
  std::vector<uint8_t> out(10);
  EXPECT_EQ(TranslateHexEscapes(text, out), 10);
}

TEST(Defaults, PerModelGageTypesAndReadSwitch) {
  const ParameterImage plus3 = DefaultImage(0);
  const ParameterImage network6 = DefaultImage(7);
  const ParameterImage unknown = DefaultImage(12);
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(plus3.Get(fld::gageType, c), c == 4 ? 5 : 0);
    EXPECT_EQ(plus3.Get(fld::readSwitchMode, c), c == 4 ? 0 : 1);
    EXPECT_EQ(network6.Get(fld::gageType, c), 5);
    EXPECT_EQ(unknown.Get(fld::gageType, c), c == 4 ? 5 : 0);
  }
  EXPECT_EQ(network6.Get(fld::modelIndex), 7);
}

TEST(Defaults, WireBytesOfTheHeaderAndKnownFields) {
  const ParameterImage image = DefaultImage();
  const std::vector<uint8_t> header = {0x31, 0x2E, 0x30, 0x30, 0x20, 0x20, 0x20, 0x20,
                                       0x20, 0x00, 0xE5, 0x0C, 0,    0,    1};
  EXPECT_TRUE(std::equal(header.begin(), header.end(), image.Bytes().begin()));
  EXPECT_EQ(image.Bytes()[97], 192);
  EXPECT_EQ(image.Bytes()[100], 10);
  EXPECT_EQ(image.Get(fld::basePort), 5000);
  EXPECT_EQ(image.Get(fld::hostBaud), 9600);
  EXPECT_EQ(image.Get(fld::gageParity, 3), 'E');
  EXPECT_EQ(image.Get(fld::unitsDecimals, 2), 0xFF);
  uint32_t bits = 0;
  std::memcpy(&bits, image.Span(fld::equationB, 1).data(), 4);
  EXPECT_EQ(bits, 0x3F800000u);
  EXPECT_EQ(image.Get(fld::networkOutput, 0), 1);
  EXPECT_EQ(image.Get(fld::networkOutput, 5), 0);
  EXPECT_EQ(image.Get(fld::toggleMaxChannel), 4);
  EXPECT_EQ(image.Get(fld::gapTimeMs, 4), 100);
  EXPECT_EQ(image.Get(fld::checksum), 0u) << "the first commit fills it";
}

// Each default group must set its own fields and leave every other byte alone.
TEST(Defaults, GroupsTouchOnlyTheirOwnFields) {
  const ParameterImage defaults = DefaultImage(0);
  struct Group {
    const char* name;
    std::function<void(ParameterImage&)> apply;
    std::vector<std::pair<std::size_t, std::size_t>>
        ranges;  // [first, last] byte offsets the group may write
  };
  const std::vector<Group> groups = {
      {"global", ResetGlobalDefaults, {{0, 95}, {2342, 2342}, {2470, 3296}}},
      {"host serial", ResetHostSerialDefaults, {{109, 116}}},
      {"network", ResetNetworkDefaults, {{96, 108}, {2325, 2331}, {2343, 2382}}},
      {"toggle", ResetToggleDefaults, {{2297, 2309}, {2324, 2324}}},
  };
  for (const Group& g : groups) {
    ParameterImage image;
    image.Bytes().fill(0xAA);
    g.apply(image);
    for (std::size_t b = 0; b < kImageSize; ++b) {
      bool inside = false;
      for (auto [first, last] : g.ranges)
        inside = inside || (b >= first && b <= last);
      if (inside) {
        EXPECT_EQ(image.Bytes()[b], defaults.Bytes()[b]) << g.name << " byte " << b;
      } else {
        EXPECT_EQ(image.Bytes()[b], 0xAA) << g.name << " wrote byte " << b;
      }
    }
  }
}

TEST(Defaults, ChannelResetTouchesOnlyThatChannel) {
  ParameterImage image;
  image.Bytes().fill(0xAA);
  ResetChannelDefaults(image, 2, 0);
  const ParameterImage defaults = DefaultImage(0);
  int changed = 0;
  for (std::size_t b = 0; b < kImageSize; ++b) {
    if (image.Bytes()[b] == 0xAA)
      continue;
    ++changed;
    EXPECT_EQ(image.Bytes()[b], defaults.Bytes()[b]) << b;
  }
  EXPECT_GT(changed, 300);
  // Channel C's gage type is set; A's and the chain flags of E are not.
  EXPECT_EQ(image.Get(fld::gageType, 2), 0);
  EXPECT_EQ(image.Bytes()[297], 0xAA);
  EXPECT_EQ(image.Get(fld::chainCommands), 0xAA);
  EXPECT_EQ(image.Get(fld::useLedForNext), 0xAA);
  ResetChannelDefaults(image, 4, 0);
  EXPECT_EQ(image.Get(fld::chainCommands), 0);
  ResetChannelDefaults(image, 0, 0);
  EXPECT_EQ(image.Get(fld::useLedForNext), 0);
}

TEST(CopyChannel, CopiesChannelArraysButNotGapTimeOrRouting) {
  ParameterImage image = DefaultImage(4);
  image.SetText(fld::idText, "LEFT", 0);
  image.Set(fld::contactBounceMs, uint32_t{777}, 0);
  image.Set(fld::equationA, 2.5f, 0);
  image.Set(fld::transferAsReceived, uint8_t{1}, 0);
  image.Set(fld::continuousStartStop, uint8_t{1}, 0);
  image.Set(fld::gapTimeMs, uint16_t{900}, 0);
  image.Set(fld::rs232Source, uint8_t{1}, 0);
  image.Set(fld::readSwitchMode, uint8_t{6}, 0);
  CopyChannel(image, 0, 1);
  EXPECT_EQ(image.Text(fld::idText, 1), "LEFT");
  EXPECT_EQ(image.Get(fld::contactBounceMs, 1), 777u);
  EXPECT_EQ(image.Get(fld::equationA, 1), 2.5f);
  EXPECT_EQ(image.Get(fld::transferAsReceived, 1), 1);
  EXPECT_EQ(image.Get(fld::continuousStartStop, 1), 1);
  EXPECT_EQ(image.Get(fld::readSwitchMode, 1), 6);
  EXPECT_EQ(image.Get(fld::gapTimeMs, 1), 100);
  EXPECT_EQ(image.Get(fld::rs232Source, 1), 0);
}

TEST(CopyChannel, ChannelEStaysAnRs232InputWithoutReadSwitch) {
  ParameterImage image = DefaultImage(4);
  image.Set(fld::chainCommands, uint8_t{1});
  image.Set(fld::chainDefaultBaudE, uint8_t{1});
  image.Set(fld::gageType, int8_t{0}, 0);
  CopyChannel(image, 0, 4);
  EXPECT_EQ(image.Get(fld::gageType, 4), 5);
  EXPECT_EQ(image.Get(fld::readSwitchMode, 4), 0);
  EXPECT_EQ(image.Get(fld::chainCommands), 0);
  EXPECT_EQ(image.Get(fld::chainDefaultBaudE), 0);
  image.Set(fld::gageType, int8_t{6}, 1);
  CopyChannel(image, 1, 4);
  EXPECT_EQ(image.Get(fld::gageType, 4), 6);
}

TEST(LoadFixups, CorrectTheThreeGroups) {
  ParameterImage image = DefaultImage();
  image.Set(fld::outputToRs232Port, uint8_t{0});
  image.Set(fld::networkOutput, uint8_t{0}, 0);
  image.Set(fld::networkChannelCount, int8_t{-1});
  image.Set(fld::gapTimeMs, uint16_t{19}, 0);
  image.Set(fld::gapTimeMs, uint16_t{20}, 1);
  image.Set(fld::gapTimeMs, uint16_t{0}, 2);
  ApplyLoadFixups(image);
  EXPECT_EQ(image.Get(fld::outputToRs232Port), 0);
  EXPECT_EQ(image.Get(fld::networkOutput, 0), 1);
  EXPECT_EQ(image.Get(fld::networkChannelCount), 1);
  EXPECT_EQ(image.Get(fld::gapTimeMs, 0), 100);
  EXPECT_EQ(image.Get(fld::gapTimeMs, 1), 20);
  EXPECT_EQ(image.Get(fld::gapTimeMs, 2), 100);

  image.Set(fld::outputToRs232Port, uint8_t{2});
  image.Set(fld::networkOutput, uint8_t{0}, 0);
  ApplyLoadFixups(image);
  EXPECT_EQ(image.Get(fld::outputToRs232Port), 1);
  EXPECT_EQ(image.Get(fld::networkOutput, 0), 1);

  image.Set(fld::outputToRs232Port, uint8_t{7});
  image.Set(fld::networkOutput, uint8_t{0}, 0);
  ApplyLoadFixups(image);
  EXPECT_EQ(image.Get(fld::outputToRs232Port), 7);
  EXPECT_EQ(image.Get(fld::networkOutput, 0), 0);
}

TEST(ModelRules, StepModesAndRs232OnlyInputs) {
  ParameterImage image = DefaultImage(4);
  image.Set(fld::readSwitchMode, uint8_t{7}, 0);
  image.Set(fld::readSwitchMode, uint8_t{6}, 1);
  image.Set(fld::readSwitchMode, uint8_t{8}, 3);
  image.Set(fld::gageType, int8_t{3}, 0);
  image.Set(fld::gageType, int8_t{6}, 1);
  ParameterImage toPlus5 = image;
  ApplyModelRules(toPlus5, 5);
  EXPECT_EQ(toPlus5, image) << "Mesurix5 keeps step modes and gage brands";

  ApplyModelRules(image, 0);
  EXPECT_EQ(image.Get(fld::readSwitchMode, 0), 1);
  EXPECT_EQ(image.Get(fld::readSwitchMode, 1), 6);
  EXPECT_EQ(image.Get(fld::readSwitchMode, 3), 1);
  EXPECT_EQ(image.Get(fld::gageType, 0), 3);
  ApplyModelRules(image, 2);
  EXPECT_EQ(image.Get(fld::gageType, 0), 5);
  EXPECT_EQ(image.Get(fld::gageType, 1), 6);
  EXPECT_EQ(image.Get(fld::gageType, 2), 5);
}

TEST(EncodeChannelTexts, DecodesOnlyWhatTheOwningModeUses) {
  ParameterImage image = DefaultImage();
  image.SetText(fld::idText, "ID\\X41", 1);
  image.Set(fld::idMode, uint8_t{0}, 1);
  image.Span(fld::idBytes, 1)[0] = 0x77;  // stale bytes from an earlier store
  image.SetText(fld::endOfOutputText, "\\x0d\\x0a", 1);
  image.Set(fld::endOfOutputMode, uint8_t{3}, 1);
  image.SetText(fld::commandText, "P\\x0D", 1);
  image.SetText(fld::hostStringText, "HOST\\x0d", 0);
  EncodeChannelTexts(image, 1);
  EXPECT_EQ(image.Get(fld::idLength, 1), 0);
  EXPECT_EQ(image.Span(fld::idBytes, 1)[0], 0);
  EXPECT_EQ(image.Text(fld::idText, 1), "ID\\X41") << "unused text stays as typed";
  EXPECT_EQ(image.Get(fld::endOfOutputLength, 1), 2);
  EXPECT_EQ(image.Span(fld::endOfOutputBytes, 1)[1], 0x0A);
  EXPECT_EQ(image.Get(fld::commandLength, 1), 2);
  EXPECT_EQ(image.Text(fld::commandText, 1), "P\\x0d");
  EXPECT_EQ(image.Get(fld::hostStringLength), 0) << "host string belongs to channel A";

  image.Set(fld::idMode, uint8_t{2}, 1);
  EncodeChannelTexts(image, 1);
  EncodeChannelTexts(image, 0);
  EXPECT_EQ(image.Get(fld::idLength, 1), 3);
  EXPECT_EQ(image.Span(fld::idBytes, 1)[2], 'A');
  EXPECT_EQ(image.Text(fld::idText, 1), "ID\\x41");
  EXPECT_EQ(image.Get(fld::hostStringLength), 5);
}

}  // namespace
}  // namespace mx
