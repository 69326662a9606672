#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/ParameterImage.h"

namespace mx {
namespace {

TEST(FieldTable, CoversEveryImageByteExactlyOnce) {
  std::vector<int> owners(kImageSize, 0);
  for (const FieldInfo& f : kFieldTable) {
    ASSERT_GT(f.size, 0) << f.name;
    for (std::size_t b = 0; b < std::size_t{f.size} * f.count; ++b) {
      ASSERT_LT(f.offset + b, kImageSize) << f.name;
      ++owners[f.offset + b];
    }
  }
  for (std::size_t b = 0; b < kImageSize; ++b)
    EXPECT_EQ(owners[b], 1) << "byte " << b;
}

TEST(FieldTable, NamesAreUniqueAndInOffsetOrder) {
  std::set<std::string_view> names;
  uint16_t last = 0;
  for (const FieldInfo& f : kFieldTable) {
    EXPECT_TRUE(names.insert(f.name).second) << f.name;
    EXPECT_GE(f.offset, last) << f.name;
    last = f.offset;
    EXPECT_EQ(FindField(f.name), static_cast<std::size_t>(&f - kFieldTable.data()));
  }
  EXPECT_EQ(FindField("noSuchField"), kFieldCount);
}

TEST(ParameterImage, ChannelElementsFollowEachOtherLittleEndian) {
  ParameterImage image;
  image.Set(fld::calcReadingCount, uint16_t{0x1234}, 1);  // base 312, channel B at 314..315
  EXPECT_EQ(image.Bytes()[314], 0x34);
  EXPECT_EQ(image.Bytes()[315], 0x12);
  image.Set(fld::networkSource, uint8_t{1}, 5 * 2 + 3);  // network channel 3, channel D
  EXPECT_EQ(image.Bytes()[2348 + 5 * 2 + 3], 1);
  image.Set(fld::equationB, 1.0f, 4);
  EXPECT_EQ(image.Bytes()[2267 + 16 + 3], 0x3F);
  EXPECT_EQ(image.Get(fld::equationB, 4), 1.0f);
}

TEST(ParameterImage, TextsStayTerminatedInTheirBuffers) {
  ParameterImage image;
  image.SetText(fld::endOfOutputText, std::string(40, 'x'), 2);  // 17-byte buffer
  EXPECT_EQ(image.Text(fld::endOfOutputText, 2), std::string(16, 'x'));
  EXPECT_EQ(image.Span(fld::endOfOutputText, 2)[16], 0);
  EXPECT_EQ(image.Span(fld::endOfOutputText, 3)[0], 0) << "next channel untouched";
  image.SetText(fld::endOfOutputText, "ab", 2);
  EXPECT_EQ(image.Text(fld::endOfOutputText, 2), "ab");
  EXPECT_EQ(image.Span(fld::endOfOutputText, 2)[5], 0) << "old tail cleared";
}

}  // namespace
}  // namespace mx
