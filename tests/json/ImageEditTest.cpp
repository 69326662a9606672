// Elements by name: the differences between two images and assignments that import would accept.
#include <gtest/gtest.h>

#include "core/ImageOperations.h"
#include "json/ImageEdit.h"

namespace mx {
namespace {

struct Images {
  ParameterImage image;
  ExtensionBlock extension;
  Images() {
    ResetImageToDefaults(image, 5);
    extension.ResetToDefaults();
    StoreChecksum(image);
  }
};

TEST(ImageEdit, SetAndDiffNameTheSameElements) {
  const Images base;
  const EditedImage edited = SetImageFields(
      base.image, base.extension,
      {"gageType[C]=3", "networkSource[2][c]=1", "ipAddress=192.168.0.20", "description=\"Line 3\"",
       "networkOutput[5]=1", "commandText[E]=\"\\\\x0d\""});
  ASSERT_TRUE(edited.ok) << edited.error;
  const ParameterImage& image = edited.image;
  EXPECT_EQ(image.Get(fld::gageType, 2), 3);
  EXPECT_EQ(image.Get(fld::networkSource, 2 * kChannelCount + 2), 1);
  EXPECT_EQ(image.Get(fld::ipAddress, 3), 20);
  EXPECT_EQ(image.Text(fld::description), "Line 3");
  EXPECT_EQ(image.Get(fld::commandLength, 4), 1);  // derived as an import derives it
  EXPECT_TRUE(ChecksumMatches(image));
  EXPECT_TRUE(edited.replaced.empty());

  const std::vector<std::string> lines =
      DiffImages(base.image, base.extension, image, edited.extension);
  const std::vector<std::string> expected = {
      std::string("description: \"") + base.image.Text(fld::description) + "\" -> \"Line 3\"",
      "ipAddress: " + std::to_string(base.image.Get(fld::ipAddress, 0)) + "." +
          std::to_string(base.image.Get(fld::ipAddress, 1)) + "." +
          std::to_string(base.image.Get(fld::ipAddress, 2)) + "." +
          std::to_string(base.image.Get(fld::ipAddress, 3)) + " -> 192.168.0.20",
      "gageType[C]: " + std::to_string(base.image.Get(fld::gageType, 2)) + " -> 3",
      "commandText[E]: \"\" -> \"\\\\x0d\"",
      "commandBytes[E]: [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
      "0, "
      "0, 0, 0, 0, 0] -> [13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
      "0, 0, 0, 0, 0, 0]",
      "commandLength[E]: 0 -> 1",
      "networkOutput[5]: 0 -> 1",
      "networkSource[2][C]: 0 -> 1",
  };
  ASSERT_EQ(lines.size(), expected.size() + 1) << ::testing::PrintToString(lines);
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(lines[i], expected[i]);
  EXPECT_EQ(lines.back().rfind("checksum: ", 0), 0u);  // the checksum last
  EXPECT_TRUE(DiffImages(image, edited.extension, image, edited.extension).empty());

  ExtensionBlock other = base.extension;
  other.bytes[40] ^= 1;
  other.bytes[41] ^= 1;
  EXPECT_EQ(DiffImages(base.image, base.extension, base.image, other),
            std::vector<std::string>{"extensionBlock: 2 bytes differ, the first at byte 40"});
}

TEST(ImageEdit, AnInvalidAssignmentIsNamedAndChangesNothing) {
  const Images base;
  const struct {
    std::string assignment;
    std::string error;
  } cases[] = {
      {"gageTyp[C]=3", "unknown field \"gageTyp\""},
      {"gageType=3", "channel letter A..E"},
      {"gageType[F]=3", "channel letter A..E"},
      {"networkOutput[6]=1", "index 0..5"},
      {"networkSource[C][2]=1", "index 0..5"},
      {"description[0]=\"x\"", "more brackets"},
      {"gageType[C]", "FIELD=VALUE"},
      {"description=Line 3", "not one JSON value"},
      {"gageType[C]=300", "must be an integer from -128 to 127"},
      {"ipAddress=192.168.0.256", "must be an integer from 0 to 255"},
      {"ipAddress=192.168.0", "not one JSON value"},
      {"description=\"" + std::string(81, 'x') + "\"", "the limit is 80"},
  };
  for (const auto& c : cases) {
    const EditedImage edited =
        SetImageFields(base.image, base.extension, {"orderNum[A]=1", c.assignment});
    EXPECT_FALSE(edited.ok) << c.assignment;
    EXPECT_EQ(edited.error.rfind(c.assignment + ": ", 0), 0u) << edited.error;
    EXPECT_NE(edited.error.find(c.error), std::string::npos)
        << c.assignment << ": " << edited.error;
  }
}

TEST(ImageEdit, DerivedFieldsSetDirectlyOrOutOfStepAreSaid) {
  Images base;
  const EditedImage direct = SetImageFields(base.image, base.extension, {"checksum=1"});
  ASSERT_TRUE(direct.ok) << direct.error;
  EXPECT_TRUE(ChecksumMatches(direct.image));
  EXPECT_EQ(direct.replaced, std::vector<std::string>{"checksum"});

  // An image that came out of step (an exact import) is put right by any set, and says so.
  base.image.Span(fld::commandBytes, 0)[0] = 'X';
  StoreChecksum(base.image);
  const EditedImage fixed = SetImageFields(base.image, base.extension, {"gageType[A]=3"});
  ASSERT_TRUE(fixed.ok) << fixed.error;
  EXPECT_EQ(fixed.image.Span(fld::commandBytes, 0)[0], 0);
  EXPECT_EQ(fixed.replaced, (std::vector<std::string>{"commandBytes", "checksum"}));
}

}  // namespace
}  // namespace mx
