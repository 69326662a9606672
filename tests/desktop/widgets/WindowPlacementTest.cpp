// Where dialogs and the device command windows open, as arithmetic on rectangles.
#include <gtest/gtest.h>

#include "desktop/widgets/WindowPlacement.h"

namespace mx::desktop {
namespace {

TEST(WindowPlacementTest, DialogsSitCentredAQuarterDownTheFreeRoom) {
  EXPECT_EQ(ScreenPlacement(QRect(0, 0, 1024, 768), QSize(301, 201)), QPoint(361, 141));
  // A panel at the top and a second screen to the right: the free area keeps its own origin.
  EXPECT_EQ(ScreenPlacement(QRect(1920, 32, 1280, 992), QSize(400, 300)), QPoint(2360, 205));
}

TEST(WindowPlacementTest, DeviceWindowsSitFourteenThirtySecondsDownTheMainWindow) {
  EXPECT_EQ(OverParentPlacement(QRect(100, 50, 640, 760), QSize(340, 120)), QPoint(250, 330));
}

}  // namespace
}  // namespace mx::desktop
