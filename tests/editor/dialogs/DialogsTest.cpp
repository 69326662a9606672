// The Copy Channels and Reset dialogs, opened from the Setup menu and worked as a user would.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/ImageOperations.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/frame/CommandIds.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using test::FindButton;
using test::WindowBench;

QAbstractButton* In(QWidget* dialog, const QString& group, const QString& caption) {
  QAbstractButton* button = FindButton(dialog, caption, group);
  EXPECT_NE(button, nullptr) << group.toStdString() << " / " << caption.toStdString();
  return button;
}

// Distinct values in every channel, so a copy shows.
void MarkChannels(ParameterImage& image) {
  for (int channel = 0; channel < 5; ++channel) {
    image.Set(fld::gageType, static_cast<int8_t>(channel + 1), channel);
    image.Set(fld::unitsDecimals, static_cast<uint8_t>(10 + channel), channel);
  }
}

TEST(DialogsTest, CopyChannelsFollowsSourceAndTargetRulesOnATwoChannelModel) {
  WindowBench bench;
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Copy Channels");
    EXPECT_EQ(dialog->frameGeometry().topLeft(),
              desktop::ScreenPlacement(dialog->screen()->availableGeometry(),
                                       dialog->frameGeometry().size()));
    const QString sources = "Source: ", targets = "Targets: ";
    EXPECT_FALSE(In(dialog, sources, "Channel C")->isEnabled());
    EXPECT_TRUE(In(dialog, sources, "Channel B")->isEnabled());
    for (const char* channel : {"Channel A", "Channel B", "Channel C"})
      EXPECT_FALSE(In(dialog, targets, channel)->isEnabled());
    QAbstractButton* copy = FindButton(dialog, "Copy");
    EXPECT_FALSE(copy->isEnabled());

    In(dialog, sources, "Channel A")->click();
    EXPECT_TRUE(In(dialog, targets, "Channel B")->isEnabled());
    EXPECT_FALSE(In(dialog, targets, "Channel A")->isEnabled());
    EXPECT_FALSE(In(dialog, targets, "Channel D")->isEnabled());
    In(dialog, targets, "Channel B")->click();
    EXPECT_TRUE(copy->isEnabled());

    In(dialog, sources, "Channel B")->click();
    EXPECT_FALSE(In(dialog, targets, "Channel B")->isChecked());
    EXPECT_FALSE(In(dialog, targets, "Channel B")->isEnabled());
    EXPECT_FALSE(copy->isEnabled());
    FindButton(dialog, "Cancel")->click();
  });
  MarkChannels(bench.Image());
  const ParameterImage before = bench.Image();
  bench.Trigger(cmd::kCopyChannels);
  EXPECT_TRUE(bench.watcher.dialogActions.empty());
  EXPECT_TRUE(bench.Image() == before);
}

TEST(DialogsTest, CopyWritesTheTargetsAndStoresThePagesFirst) {
  WindowBench bench;
  bench.Choose("Mesurix5 Plus");
  MarkChannels(bench.Image());
  QLineEdit* description = bench.frame->findChildren<QLineEdit*>().last();
  description->setText("typed before the copy");

  ParameterImage expected = bench.Image();
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    In(dialog, "Source: ", "Channel A")->click();
    In(dialog, "Targets: ", "Channel B")->click();
    In(dialog, "Targets: ", "Channel E")->click();
    FindButton(dialog, "Copy")->click();
  });
  bench.Trigger(cmd::kCopyChannels);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  expected.SetText(fld::description, "typed before the copy");
  CopyChannel(expected, 0, 1);
  CopyChannel(expected, 0, 4);
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals, 1), 10);
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals, 4), 10);
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals, 2), 12);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 4), expected.Get(fld::gageType, 4));
  EXPECT_EQ(bench.Image().Text(fld::description), "typed before the copy");
  for (std::size_t i = 0; i < kImageSize - 4; ++i)
    ASSERT_EQ(bench.Image().Bytes()[i], expected.Bytes()[i]) << "byte " << i;
}

TEST(DialogsTest, SelectAllOnATwoChannelModelTicksOnlyWhatExists) {
  WindowBench bench;
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Reset to Default Values");
    const QString group = "Parameters to Reset: ";
    QAbstractButton* reset = FindButton(dialog, "Reset");
    EXPECT_FALSE(reset->isEnabled());
    EXPECT_FALSE(In(dialog, group, "Channel C")->isEnabled());
    FindButton(dialog, "Select All")->click();
    EXPECT_TRUE(reset->isEnabled());
    for (const char* box :
         {"Status tab parameters", "Network tab parameters", "Channel A", "Channel B"})
      EXPECT_TRUE(In(dialog, group, box)->isChecked()) << box;
    for (const char* box : {"Channel C", "Channel D", "Channel E"})
      EXPECT_FALSE(In(dialog, group, box)->isChecked()) << box;
    for (const char* box :
         {"Status tab parameters", "Network tab parameters", "Channel A", "Channel B"})
      In(dialog, group, box)->click();
    EXPECT_FALSE(reset->isEnabled());
    FindButton(dialog, "Cancel")->click();
  });
  bench.Trigger(cmd::kReset);
  EXPECT_TRUE(bench.watcher.dialogActions.empty());
}

TEST(DialogsTest, ResetReturnsTheChosenGroupsIncludingUnstoredEdits) {
  WindowBench bench;
  bench.Choose("Mesurix6 Plus");
  MarkChannels(bench.Image());
  bench.Image().Set(fld::toggleMode, uint8_t{3});
  bench.Click("1200", "Baud Rate: ");
  bench.frame->findChildren<QLineEdit*>().last()->setText("typed, then reset");

  ParameterImage expected = bench.Image();
  expected.SetText(fld::description, "typed, then reset");
  expected.Set(fld::hostBaud, uint16_t{1200});
  ResetHostSerialDefaults(expected);
  ResetGlobalDefaults(expected);
  ResetChannelDefaults(expected, 3, 6);

  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    In(dialog, "Parameters to Reset: ", "Status tab parameters")->click();
    In(dialog, "Parameters to Reset: ", "Channel D")->click();
    FindButton(dialog, "Reset")->click();
  });
  bench.Trigger(cmd::kReset);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());
  EXPECT_EQ(bench.Image().Text(fld::description), expected.Text(fld::description));
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), expected.Get(fld::hostBaud));
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals, 3), expected.Get(fld::unitsDecimals, 3));
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals, 2), 12);
  EXPECT_EQ(bench.Image().Get(fld::toggleMode), 3);
  EXPECT_EQ(bench.Image().Get(fld::modelIndex), 6);
  for (std::size_t i = 0; i < kImageSize - 4; ++i)
    ASSERT_EQ(bench.Image().Bytes()[i], expected.Bytes()[i]) << "byte " << i;
  // The page shows what the image now holds.
  EXPECT_TRUE(
      bench.Button(bench.Image().Get(fld::hostBaud) == 9600 ? "9600" : "19.2K", "Baud Rate: ")
          ->isChecked());
}

}  // namespace
}  // namespace mx::editor
