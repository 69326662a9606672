#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/ImageOperations.h"

namespace mx {
namespace {

using Items = std::vector<std::pair<char, int>>;

Items Compile(const std::string& text, ParameterImage& image, int channel = 0) {
  image.SetText(fld::customFormatText, text, channel);
  CompileCustomFormat(image, channel);
  Items items;
  const std::size_t count = image.Get(fld::customFormatCount, channel);
  const auto kinds = image.Span(fld::customFormatKind, channel);
  const auto values = image.Span(fld::customFormatValue, channel);
  for (std::size_t i = 0; i < count; ++i)
    items.emplace_back(static_cast<char>(kinds[i]), values[i]);
  return items;
}

Items Compile(const std::string& text) {
  ParameterImage image;
  return Compile(text, image);
}

TEST(CustomFormat, FieldsLiteralsAndEscapes) {
  EXPECT_EQ(Compile("LLLLLL MMMMMMMMMM.CCC\\U"),
            (Items{{'L', 6}, {'Z', ' '}, {'M', 10}, {'Z', '.'}, {'C', 3}, {'Z', 'U'}}));
  EXPECT_EQ(Compile(std::string(25, 'M')), (Items{{'M', 20}}));
  EXPECT_EQ(Compile("CCCCCCCCCCCC"), (Items{{'C', 9}}));
  EXPECT_EQ(Compile("LLLLLLLLLLLLL"), (Items{{'L', 10}}));
  EXPECT_EQ(Compile("UuuU"), (Items{{'U', 4}}));
  EXPECT_EQ(Compile("uU"), (Items{{'Z', 'u'}, {'U', 1}})) << "a units run starts only with U";
  EXPECT_EQ(Compile("mcl"), (Items{{'Z', 'm'}, {'Z', 'c'}, {'Z', 'l'}}));
  EXPECT_EQ(Compile("\\M\\C"), (Items{{'Z', 'M'}, {'Z', 'C'}}));
  EXPECT_EQ(Compile("M\\"), (Items{{'M', 1}, {'Z', 0}}));
  EXPECT_EQ(Compile("M\\x2cC"), (Items{{'M', 1}, {'Z', ','}, {'C', 1}}));
  EXPECT_EQ(Compile("MM\\x00CC"), (Items{{'M', 2}})) << "a decoded NUL ends the format";
}

TEST(CustomFormat, ShorterTextLeavesOldItemsBeyondTheCount) {
  ParameterImage image;
  Compile("M.C.L", image);
  EXPECT_EQ(Compile("MM", image), (Items{{'M', 2}}));
  EXPECT_EQ(image.Span(fld::customFormatKind, 0)[1], 'Z');
  EXPECT_EQ(image.Span(fld::customFormatValue, 0)[1], '.');
  EXPECT_EQ(image.Span(fld::customFormatKind, 0)[4], 'L');
}

TEST(CustomFormat, EmptyTextClearsEveryItem) {
  ParameterImage image;
  Compile("M.C", image, 3);
  Compile("", image, 3);
  EXPECT_EQ(image.Get(fld::customFormatCount, 3), 0);
  for (uint8_t b : image.Span(fld::customFormatKind, 3))
    EXPECT_EQ(b, 0);
  for (uint8_t b : image.Span(fld::customFormatValue, 3))
    EXPECT_EQ(b, 0);
}

TEST(CustomFormat, FullBufferWithoutTerminatorStaysInBounds) {
  ParameterImage image;
  auto text = image.Span(fld::customFormatText, 1);
  std::fill(text.begin(), text.end(), uint8_t{'z'});  // 51 bytes, no NUL
  CompileCustomFormat(image, 1);
  EXPECT_EQ(image.Get(fld::customFormatCount, 1), 50);
  EXPECT_EQ(image.Span(fld::customFormatText, 2)[0], 0) << "neighbour untouched";
}

}  // namespace
}  // namespace mx
