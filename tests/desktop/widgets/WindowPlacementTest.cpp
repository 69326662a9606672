// Where windows open and how large they may be, as arithmetic on frames and free areas.
#include <gtest/gtest.h>

#include "desktop/widgets/WindowPlacement.h"

namespace mx::desktop {
namespace {

TEST(WindowPlacementTest, DialogsSitCentredAQuarterDownTheFreeRoom) {
  EXPECT_EQ(ScreenPlacement(QRect(0, 0, 1024, 768), QSize(301, 201)), QPoint(361, 141));
  // A panel at the top and a second screen to the right: the free area keeps its own origin.
  EXPECT_EQ(ScreenPlacement(QRect(1920, 32, 1280, 992), QSize(400, 300)), QPoint(2360, 205));
  // A frame taller or wider than the free room starts at its corner: the title bar stays on screen.
  EXPECT_EQ(ScreenPlacement(QRect(0, 30, 1366, 738), QSize(1400, 776)), QPoint(0, 30));
}

TEST(WindowPlacementTest, DeviceWindowsSitFourteenThirtySecondsDownTheMainWindow) {
  EXPECT_EQ(OverParentPlacement(QRect(100, 50, 640, 760), QSize(340, 120)), QPoint(250, 330));
}

TEST(WindowPlacementTest, AClientAreaShrinksUntilItsFrameFitsTheFreeArea) {
  const QMargins titleAndBorder(1, 25, 1, 1);
  // A laptop screen with a 30-pixel taskbar: 746 wanted, 712 left once the frame is counted.
  EXPECT_EQ(FitOnScreen(QSize(660, 746), titleAndBorder, QSize(1366, 738)), QSize(660, 712));
  EXPECT_EQ(FitOnScreen(QSize(660, 600), titleAndBorder, QSize(1366, 738)), QSize(660, 600));
  EXPECT_EQ(FitOnScreen(QSize(1400, 600), titleAndBorder, QSize(1366, 738)), QSize(1364, 600));
}

TEST(WindowPlacementTest, AFractionOfTheFreeAreaIsCentredInIt) {
  EXPECT_EQ(CentredFraction(QRect(0, 0, 1366, 768), 95), QRect(34, 19, 1297, 729));
  EXPECT_EQ(CentredFraction(QRect(100, 40, 1000, 500), 50), QRect(350, 165, 500, 250));
}

}  // namespace
}  // namespace mx::desktop
