// What the three channel tabs share: the focus after a tab switch and a name for every control.
#include <gtest/gtest.h>

#include "editor/pages/SetupPages.h"
#include "tests/editor/pages/PageBench.h"

namespace mx::editor {
namespace {

using test::PageBench;

TEST(ChannelPagesTest, FocusLandsOnTheFirstChoiceAndEveryControlIsNamed) {
  const struct {
    int tab;
    const char* choice;
    const char* group;
  } cases[] = {{kBasicTab, "Auto select", "Gage Type: "},
               {kReadSwitchTab, "Single read on channel", "Read Switch Operation: "},
               {kExtendedTab, "None", "Units Conversion:"}};
  PageBench bench;
  for (const auto& c : cases) {
    bench.ShowTab(c.tab);
    EXPECT_EQ(QApplication::focusWidget(), bench.Button(c.choice, c.group)) << c.choice;
    for (QWidget* control : bench.View().Pages().Page(c.tab)->findChildren<QWidget*>()) {
      const bool operable = control->inherits("QAbstractButton") ||
                            control->inherits("QLineEdit") || control->inherits("QComboBox");
      if (operable) {
        EXPECT_FALSE(test::AccessibleName(control).trimmed().isEmpty()) << c.tab;
      }
    }
  }
}

}  // namespace
}  // namespace mx::editor
