#include <gtest/gtest.h>

#include "report/PageSelection.h"

namespace mx::report {
namespace {

using Pages = std::vector<PageKind>;
constexpr PageKind kGlobal = PageKind::Global;
constexpr PageKind kA = PageKind::ChannelA;
constexpr PageKind kB = PageKind::ChannelB;

TEST(PageSelection, DefaultJobIsTheGlobalPageAndChannelA) {
  EXPECT_EQ(BuildPageList(PageSelection{}, 0), (Pages{kGlobal, kA}));
  PageSelection all;
  all.pages.fill(true);
  EXPECT_EQ(BuildPageList(all, 4), Pages(kPageKinds.begin(), kPageKinds.end()));
  // Channels a two-channel model lacks give no pages, whatever was selected before.
  EXPECT_EQ(BuildPageList(all, 2), (Pages{kGlobal, kA, kB}));
  EXPECT_EQ(BuildPageList(all, 9), (Pages{kGlobal, kA, kB}));
}

TEST(PageSelection, TwoChannelModelsDisableChannelsCToE) {
  PageSelection stored;
  stored.pages = {false, false, true, true, true, true};  // chosen under a five-channel model
  SelectionDialogState dialog(stored, 1, SelectionMode::Print);
  for (const PageKind kind : kPageKinds)
    EXPECT_EQ(dialog.Enabled(kind), ChannelOf(kind) <= 1) << ChannelOf(kind);
  EXPECT_EQ(dialog.Boxes().pages, (std::array<bool, 6>{false, false, true, false, false, false}));
  dialog.SetChecked(PageKind::ChannelD, true);
  EXPECT_FALSE(dialog.Checked(PageKind::ChannelD));
  dialog.SelectAll();
  EXPECT_EQ(dialog.Boxes().pages, (std::array<bool, 6>{true, true, true, false, false, false}));

  SelectionDialogState five(stored, 5, SelectionMode::Print);
  EXPECT_EQ(five.Boxes(), stored);
  five.SelectAll();
  EXPECT_EQ(BuildPageList(five.Boxes(), 5).size(), 6u);
}

TEST(PageSelection, ActionNeedsAtLeastOnePage) {
  PageSelection stored;
  stored.pages = {false, false, false, true, false, false};
  // Only a channel this model lacks was selected: nothing to print from the start.
  SelectionDialogState dialog(stored, 0, SelectionMode::Preview);
  EXPECT_EQ(dialog.Title(), "Print Preview Selection");
  EXPECT_FALSE(dialog.ActionEnabled());
  dialog.SetChecked(kA, true);
  EXPECT_TRUE(dialog.ActionEnabled());
  dialog.SetChecked(kA, false);
  EXPECT_FALSE(dialog.ActionEnabled());
  dialog.SelectAll();
  dialog.ClearAll();
  EXPECT_FALSE(dialog.ActionEnabled());
  EXPECT_EQ(dialog.Boxes().pages, (std::array<bool, 6>{}));
}

}  // namespace
}  // namespace mx::report
