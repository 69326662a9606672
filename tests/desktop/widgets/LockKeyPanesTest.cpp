// The CAP, NUM and SCRL panes: lit for a lock that is on, greyed for one that is off, and gone
// where the platform cannot tell.
#include <gtest/gtest.h>
#include <QLabel>
#include <QStatusBar>

#include "desktop/widgets/LockKeyPanes.h"

namespace mx::desktop {
namespace {

const std::array<QString, 3> kCaptions = {"CAP", "NUM", "SCRL"};

TEST(LockKeyPanesTest, PanesFollowTheLocks) {
  QStatusBar bar;
  bar.show();
  std::optional<LockStates> states = LockStates{true, false, true};
  LockKeyPanes panes(&bar, kCaptions, [&] { return states; });
  const std::pair<LockStates, std::array<bool, 3>> cases[] = {
      {{true, false, true}, {true, false, true}}, {{false, true, false}, {false, true, false}}};
  for (const auto& [locks, lit] : cases) {
    states = locks;
    panes.Refresh();
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(panes.Pane(i)->isVisible()) << i;
      EXPECT_EQ(panes.Pane(i)->isEnabled(), lit[static_cast<std::size_t>(i)]) << i;
      EXPECT_EQ(panes.Pane(i)->text(), kCaptions[static_cast<std::size_t>(i)]);
    }
  }
}

TEST(LockKeyPanesTest, NoPanesWhereThePlatformCannotTell) {
  QStatusBar bar;
  bar.show();
  LockKeyPanes offscreen(&bar, kCaptions);  // the offscreen platform has no keyboard to ask
  for (int i = 0; i < 3; ++i)
    EXPECT_FALSE(offscreen.Pane(i)->isVisible()) << i;
}

}  // namespace
}  // namespace mx::desktop
