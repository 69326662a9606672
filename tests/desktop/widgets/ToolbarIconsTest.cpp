// The drawn toolbar pictures: every one is drawn at both sizes, and no two look alike.
#include <gtest/gtest.h>
#include <QImage>
#include <QPixmap>

#include "desktop/widgets/ToolbarIcons.h"

namespace mx::desktop {
namespace {

QImage Picture(int which, int scale) {
  const QIcon icon = MakeToolbarIcon(static_cast<ToolbarIcon>(which));
  return icon.pixmap(QSize(20, 20), scale).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ToolbarIconsTest, EveryPictureIsDrawnAtBothSizesAndNoTwoAreAlike) {
  std::vector<QImage> pictures;
  for (int which = 0; which < kToolbarIconCount; ++which) {
    for (int scale : {1, 2}) {
      const QImage picture = Picture(which, scale);
      ASSERT_EQ(picture.size(), QSize(20 * scale, 20 * scale)) << which;
      bool inked = false;
      for (int y = 0; y < picture.height() && !inked; ++y) {
        for (int x = 0; x < picture.width() && !inked; ++x)
          inked = qAlpha(picture.pixel(x, y)) != 0;
      }
      EXPECT_TRUE(inked) << "picture " << which << " is blank at scale " << scale;
    }
    pictures.push_back(Picture(which, 1));
  }
  for (std::size_t a = 0; a < pictures.size(); ++a) {
    for (std::size_t b = a + 1; b < pictures.size(); ++b)
      EXPECT_NE(pictures[a], pictures[b]) << "pictures " << a << " and " << b;
  }
}

TEST(ToolbarIconsTest, DisabledPicturesAreGreyAndFaded) {
  for (int which = 0; which < kToolbarIconCount; ++which) {
    const QIcon icon = MakeToolbarIcon(static_cast<ToolbarIcon>(which));
    const QImage normal = icon.pixmap(QSize(20, 20), 1.0).toImage();
    const QImage greyed = icon.pixmap(QSize(20, 20), 1.0, QIcon::Disabled)
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(greyed.size(), normal.size()) << which;
    int strongest = 0;
    bool grey = true;
    for (int y = 0; y < greyed.height(); ++y) {
      for (int x = 0; x < greyed.width(); ++x) {
        const QRgb pixel = greyed.pixel(x, y);
        strongest = std::max(strongest, qAlpha(pixel));
        grey = grey && (qAlpha(pixel) == 0 ||
                        (qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)));
      }
    }
    EXPECT_TRUE(grey) << "picture " << which;
    EXPECT_LE(strongest, 255 / 2) << "picture " << which << " is not faded";
  }
}

}  // namespace
}  // namespace mx::desktop
