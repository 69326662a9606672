// The Toggle Sw tab: which operations the read switch settings allow, against the image bytes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

#include "core/FieldCodes.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

constexpr const char* kStepForward = "Toggle left = Step back, Toggle right = Step forward";
constexpr const char* kRestart =
    "Toggle left = Step back, Toggle right = Restart custom read sequence";
constexpr const char* kReadActive = "Toggle left = Step back, Toggle right = Read active channel";
constexpr const char* kReadChannels = "Toggle left = Read channels, Toggle right = Read channels";

struct ToggleBench : test::WindowBench {
  // The image is prepared first; the tab is then shown, which loads it.
  explicit ToggleBench(ModelIndex model, const std::function<void(ParameterImage&)>& prepare = {}) {
    View().SelectModelCommand(model);
    if (prepare)
      prepare(Image());
    View().Tabs()->setCurrentIndex(kToggleTab);
  }
  QWidget* Page() { return View().Pages().Page(kToggleTab); }
  QRadioButton* Operation(const char* name) {
    auto* button = test::FindNamed<QRadioButton>(Page(), name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  QLineEdit* MaxChannel() {
    return test::FindNamed<QLineEdit>(Page(), "Maximum channel number (1 to 99)");
  }
  // The enabled buttons and boxes of the page, by accessible name.
  std::vector<QString> Enabled() {
    std::vector<QString> names;
    for (QWidget* control : Page()->findChildren<QWidget*>()) {
      if ((qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) &&
          control->isEnabled())
        names.push_back(test::AccessibleName(control));
    }
    return names;
  }
};

TEST(TogglePageTest, EachColumnAndEachOfItsControlsIsNamedAfterItsDirection) {
  ToggleBench bench(6, [](ParameterImage& image) { image.Set(fld::toggleMode, uint8_t{4}); });
  std::vector<QString> names;
  for (QWidget* control : bench.Page()->findChildren<QAbstractButton*>())
    names.push_back(test::AccessibleName(control));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  for (const char* column : {"Toggle left", "Toggle right"}) {
    EXPECT_EQ(test::AccessibleName(test::FindGroup(bench.Page(), column)), column);
    EXPECT_NE(test::FindNamed<QCheckBox>(bench.Page(), QString("%1, Channel A").arg(column)),
              nullptr);
  }
}

TEST(TogglePageTest, TwoChannelModelsLeaveEverythingAsStored) {
  ToggleBench bench(3, [](ParameterImage& image) { image.Set(fld::toggleMode, uint8_t{5}); });
  EXPECT_TRUE(bench.Enabled().empty());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 5);
}

TEST(TogglePageTest, StepModeOnAnyChannelMakesTheSwitchStep) {
  ToggleBench bench(4,
                    [](ParameterImage& image) { image.Set(fld::readSwitchMode, uint8_t{7}, 1); });
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 1);
  EXPECT_TRUE(bench.Operation(kStepForward)->isChecked());
  EXPECT_EQ(bench.Enabled(), std::vector<QString>{kStepForward});
  EXPECT_EQ(QApplication::focusWidget(), bench.Operation(kStepForward));
}

TEST(TogglePageTest, CustomSequenceWithLedRestartsTheSequence) {
  ToggleBench bench(7, [](ParameterImage& image) {
    image.Set(fld::readSwitchMode, uint8_t{6}, 0);
    image.Set(fld::useLedForNext, uint8_t{1});
    image.Set(fld::toggleMaxChannel, int8_t{0});
  });
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 5);
  EXPECT_TRUE(bench.Operation(kRestart)->isChecked());
  EXPECT_EQ(bench.MaxChannel()->text(), "4");
  EXPECT_EQ(bench.Image().Get(fld::toggleMaxChannel), 4);
  const std::vector<QString> expected{"Maximum channel number (1 to 99)", kRestart};
  auto enabled = bench.Enabled();
  std::sort(enabled.begin(), enabled.end());
  EXPECT_EQ(enabled, expected);
  EXPECT_EQ(QApplication::focusWidget(), bench.Operation(kRestart));

  const struct {
    const char* typed;
    int stored;
  } cases[] = {{"0", 4}, {"150", 99}, {"", 4}, {"12", 12}};
  for (const auto& c : cases) {
    bench.MaxChannel()->setText(c.typed);
    emit bench.MaxChannel()->editingFinished();
    EXPECT_EQ(bench.MaxChannel()->text(), QString::number(c.stored)) << c.typed;
    EXPECT_EQ(bench.Image().Get(fld::toggleMaxChannel), c.stored) << c.typed;
  }
}

TEST(TogglePageTest, StepAndRestartTurnIntoDisabledWithoutTheirReadSwitchSettings) {
  for (const uint8_t mode : {toggle::kStepBackStepForward, toggle::kRestartSequence}) {
    ToggleBench bench(6, [mode](ParameterImage& image) { image.Set(fld::toggleMode, mode); });
    EXPECT_EQ(bench.Image().Get(fld::toggleMode), 0) << int{mode};
    EXPECT_TRUE(test::FindButton(bench.Page(), "Disabled")->isChecked());  // not Read Sw's
    EXPECT_FALSE(bench.Operation(kStepForward)->isEnabled());
  }
}

TEST(TogglePageTest, ChannelColumnsWorkOnlyForReadChannelsAndKeepTheirValues) {
  ToggleBench bench(5);
  QAbstractButton* leftC = bench.Button("Channel C", "Toggle left");
  EXPECT_FALSE(leftC->isEnabled());
  bench.Operation(kReadChannels)->click();
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 4);
  leftC->click();
  bench.Button("Continuous read", "Toggle right")->click();
  EXPECT_EQ(bench.Image().Get(fld::toggleLeftChannels, 2), 1);
  EXPECT_EQ(bench.Image().Get(fld::toggleRightChannels, 2), 0);
  EXPECT_EQ(bench.Image().Get(fld::toggleRightContinuous), 1);
  bench.Operation(kReadActive)->click();
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 2);
  EXPECT_FALSE(leftC->isEnabled());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::toggleLeftChannels, 2), 1);
  EXPECT_TRUE(leftC->isChecked());
}

TEST(TogglePageTest, ReadSwitchChoicesCountWhenTheTabIsShown) {
  ToggleBench bench(5);
  bench.View().Tabs()->setCurrentIndex(kReadSwitchTab);
  bench.Click("Custom read sequence", "Read Switch Operation: ");
  bench.Click("Use LED to show next channel to read", "Read Switch Operation: ");
  bench.View().Tabs()->setCurrentIndex(kToggleTab);
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 5);
  EXPECT_TRUE(bench.Operation(kRestart)->isChecked());

  bench.View().Tabs()->setCurrentIndex(kReadSwitchTab);
  bench.Click("Single read on channel", "Read Switch Operation: ");
  bench.View().ChannelSelect(3);
  bench.Click("Continuous read on a channel & stay on current channel", "Read Switch Operation: ");
  bench.View().Tabs()->setCurrentIndex(kToggleTab);
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 1);
  EXPECT_TRUE(bench.Operation(kStepForward)->isChecked());
}

}  // namespace
}  // namespace mx::editor
