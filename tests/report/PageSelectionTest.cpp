#include <gtest/gtest.h>

#include "report/PageSelection.h"

namespace mx::report {
namespace {

using Pages = std::vector<int>;

TEST(PageSelection, DefaultJobIsTheGlobalPageAndChannelA) {
  EXPECT_EQ(BuildPageList(PageSelection{}, 0), (Pages{kGlobalPage, 1}));
  PageSelection all;
  all.pages.fill(true);
  EXPECT_EQ(BuildPageList(all, 4), (Pages{0, 1, 2, 3, 4, 5}));
  // Channels a two-channel model lacks give no pages, whatever was selected before.
  EXPECT_EQ(BuildPageList(all, 2), (Pages{0, 1, 2}));
  EXPECT_EQ(BuildPageList(all, 9), (Pages{0, 1, 2}));
}

TEST(PageSelection, TwoChannelModelsDisableChannelsCToE) {
  PageSelection stored;
  stored.pages = {false, false, true, true, true, true};  // chosen under a five-channel model
  SelectionDialogState dialog(stored, 1, SelectionMode::Print);
  for (int kind = 0; kind < kPageKindCount; ++kind)
    EXPECT_EQ(dialog.Enabled(kind), kind <= 2) << kind;
  EXPECT_EQ(dialog.Boxes().pages, (std::array<bool, 6>{false, false, true, false, false, false}));
  dialog.SetChecked(4, true);
  EXPECT_FALSE(dialog.Checked(4));
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
  dialog.SetChecked(1, true);
  EXPECT_TRUE(dialog.ActionEnabled());
  dialog.SetChecked(1, false);
  EXPECT_FALSE(dialog.ActionEnabled());
  dialog.SelectAll();
  dialog.ClearAll();
  EXPECT_FALSE(dialog.ActionEnabled());
  EXPECT_EQ(dialog.Boxes().pages, (std::array<bool, 6>{}));
}

}  // namespace
}  // namespace mx::report
