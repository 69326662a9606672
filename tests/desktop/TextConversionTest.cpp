// The two encodings of the desktop programs: program texts in UTF-8, image and document texts one
// character per byte.
#include <gtest/gtest.h>

#include "desktop/TextConversion.h"

namespace mx::desktop {
namespace {

TEST(TextConversionTest, EveryByteValueSurvivesTheWayToTheScreenAndBack) {
  std::string bytes;
  for (int value = 0; value < 256; ++value)
    bytes += static_cast<char>(value);
  const QString shown = FromLatin1(bytes);
  ASSERT_EQ(shown.size(), 256);
  for (int value = 0; value < 256; ++value)
    EXPECT_EQ(shown[value].unicode(), value);
  EXPECT_EQ(ToLatin1(shown), bytes);
  // A character typed that no byte can hold is stored as '?', never as two bytes.
  EXPECT_EQ(ToLatin1(QString::fromUtf8("a\u20acb")), "a?b");
}

TEST(TextConversionTest, ProgramTextsAreUtf8) {
  // The sign is two bytes in the source and one character on the screen.
  const QString notice = FromUtf8("Copyright \u00a9");
  ASSERT_EQ(notice.size(), 11);
  EXPECT_EQ(notice.back().unicode(), 0xa9);
  EXPECT_EQ(FromUtf8(std::string_view("ab\0c", 4)).size(), 4);
}

}  // namespace
}  // namespace mx::desktop
