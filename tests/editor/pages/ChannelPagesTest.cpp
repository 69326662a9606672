// What the three channel tabs share: the focus after a tab switch and a name for every control.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QWheelEvent>

#include "core/ParameterImage.h"
#include "editor/pages/FieldBinding.h"
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

TEST(ChannelPagesTest, WhatIsGreyedSaysSoInItsLabelsTitlesAndTooltip) {
  PageBench bench;
  bench.ShowTab(kRs232Tab);  // channel A's gage is not an RS232 one
  EXPECT_TRUE(TitleDimmed(test::FindGroup(bench.frame.get(), "Parsing: ")));
  bench.ShowTab(kExtendedTab);
  QWidget* extended = bench.View().Pages().Page(kExtendedTab);
  EXPECT_FALSE(test::FindNamed<QLabel>(extended, "Equation constant  ( A )")->isEnabled());
  EXPECT_TRUE(extended->toolTip().isEmpty());
  bench.Click("Enable equation", "Equation Setup: ");
  EXPECT_TRUE(test::FindNamed<QLabel>(extended, "Equation constant  ( A )")->isEnabled());

  bench.Image().Set(fld::transferAsReceived, uint8_t{1}, 0);
  bench.Reload();
  EXPECT_TRUE(extended->toolTip().contains("\"Transfer packet as received\""));
}

TEST(ChannelPagesTest, NoWheelStepOrArrowKeyChoosesAnything) {
  PageBench bench;
  bench.ShowTab(kBasicTab);
  bench.Click("Federal", "Gage Type: ");
  bench.ShowTab(kExtendedTab);
  bench.ShowTab(kBasicTab);
  QAbstractButton* federal = bench.Button("Federal", "Gage Type: ");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), federal);  // Tab enters at the checked button
  QTest::keyClick(federal, Qt::Key_Down);
  QAbstractButton* next = bench.Button("Mitutoyo", "Gage Type: ");
  EXPECT_EQ(QApplication::focusWidget(), next);
  EXPECT_TRUE(federal->isChecked());
  QTest::keyClick(next, Qt::Key_Space);
  EXPECT_TRUE(next->isChecked());

  const auto wheel = [](QComboBox* list) {
    QWheelEvent step(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &step);
  };
  bench.Image().Set(fld::unitsConversion, uint8_t{1}, 0);
  bench.ShowTab(kExtendedTab);
  auto* list = bench.View().Tabs()->currentWidget()->findChild<QComboBox*>();
  ASSERT_TRUE(list->isEnabled());
  const int shown = list->currentIndex();
  wheel(list);
  EXPECT_EQ(list->currentIndex(), shown);
  list->setFocus();
  wheel(list);
  EXPECT_NE(list->currentIndex(), shown);

  bench.View().SelectModelCommand(5);
  bench.ShowTab(kNetworkTab);
  QComboBox* count = nullptr;
  for (QComboBox* each : bench.frame->findChildren<QComboBox*>()) {
    if (each->accessibleName() == "Active network channels")
      count = each;
  }
  ASSERT_NE(count, nullptr);
  count->setFocus();
  const int channels = count->currentIndex();
  wheel(count);
  EXPECT_EQ(count->currentIndex(), channels);
}

}  // namespace
}  // namespace mx::editor
