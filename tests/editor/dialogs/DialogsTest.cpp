// The Copy Channels and Reset dialogs, opened from the Setup menu and worked as a user would.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "core/ImageOperations.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/frame/CommandIds.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using test::FindButton;
using test::WindowBench;

enum Channel { A, B, C, D, E };

// Looks a button up by its caption (in the group box `group` when one is given). A missing button
// fails the test and stops the caller: ASSERT_ returns only from void functions, hence the out
// parameter and ASSERT_NO_FATAL_FAILURE at the callers.
void Find(QWidget* dialog, const QString& group, const QString& caption, QAbstractButton*& button) {
  button = FindButton(dialog, caption, group);
  ASSERT_NE(button, nullptr) << group.toStdString() << " / " << caption.toStdString();
}

QString ChannelName(int channel) {
  return QString("Channel %1").arg(QChar('A' + channel));
}

struct CopyButtons {
  std::array<QAbstractButton*, 5> source{};
  std::array<QAbstractButton*, 5> target{};
  QAbstractButton* copy = nullptr;
  QAbstractButton* cancel = nullptr;
};

void FindButtons(QWidget* dialog, CopyButtons& d) {
  for (int channel = A; channel <= E; ++channel) {
    const auto at = static_cast<std::size_t>(channel);
    ASSERT_NO_FATAL_FAILURE(Find(dialog, "Source: ", ChannelName(channel), d.source[at]));
    ASSERT_NO_FATAL_FAILURE(Find(dialog, "Targets: ", ChannelName(channel), d.target[at]));
  }
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Copy", d.copy));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Cancel", d.cancel));
}

struct ResetButtons {
  QAbstractButton* status = nullptr;
  QAbstractButton* network = nullptr;
  std::array<QAbstractButton*, 5> channel{};
  QAbstractButton* selectAll = nullptr;
  QAbstractButton* reset = nullptr;
  QAbstractButton* cancel = nullptr;
};

void FindButtons(QWidget* dialog, ResetButtons& d) {
  const QString group = "Parameters to Reset: ";
  ASSERT_NO_FATAL_FAILURE(Find(dialog, group, "Status tab parameters", d.status));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, group, "Network tab parameters", d.network));
  for (int channel = A; channel <= E; ++channel) {
    ASSERT_NO_FATAL_FAILURE(
        Find(dialog, group, ChannelName(channel), d.channel[static_cast<std::size_t>(channel)]));
  }
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Select All", d.selectAll));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Reset", d.reset));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Cancel", d.cancel));
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
    CopyButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, d));
    EXPECT_FALSE(d.source[C]->isEnabled());
    EXPECT_TRUE(d.source[B]->isEnabled());
    for (Channel channel : {A, B, C})
      EXPECT_FALSE(d.target[channel]->isEnabled()) << channel;
    EXPECT_FALSE(d.copy->isEnabled());

    d.source[A]->click();
    EXPECT_TRUE(d.target[B]->isEnabled());
    EXPECT_FALSE(d.target[A]->isEnabled());
    EXPECT_FALSE(d.target[D]->isEnabled());
    d.target[B]->click();
    EXPECT_TRUE(d.copy->isEnabled());

    d.source[B]->click();
    EXPECT_FALSE(d.target[B]->isChecked());
    EXPECT_FALSE(d.target[B]->isEnabled());
    EXPECT_FALSE(d.copy->isEnabled());
    d.cancel->click();
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
  bench.View().Pages().RefreshPages();  // as if the marked image had been opened
  QLineEdit* description = bench.frame->findChildren<QLineEdit*>().last();
  description->setText("typed before the copy");

  ParameterImage expected = bench.Image();
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    CopyButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, d));
    d.source[A]->click();
    d.target[B]->click();
    d.target[E]->click();
    d.copy->click();
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
    ResetButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, d));
    EXPECT_FALSE(d.reset->isEnabled());
    EXPECT_FALSE(d.channel[C]->isEnabled());
    d.selectAll->click();
    EXPECT_TRUE(d.reset->isEnabled());
    const std::array<QAbstractButton*, 4> present = {d.status, d.network, d.channel[A],
                                                     d.channel[B]};
    for (QAbstractButton* box : present)
      EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    for (Channel channel : {C, D, E})
      EXPECT_FALSE(d.channel[channel]->isChecked()) << channel;
    for (QAbstractButton* box : present)
      box->click();
    EXPECT_FALSE(d.reset->isEnabled());
    d.cancel->click();
  });
  bench.Trigger(cmd::kReset);
  EXPECT_TRUE(bench.watcher.dialogActions.empty());
}

TEST(DialogsTest, ResetReturnsTheChosenGroupsIncludingUnstoredEdits) {
  WindowBench bench;
  bench.Choose("Mesurix6 Plus");
  MarkChannels(bench.Image());
  bench.Image().Set(fld::toggleMode, uint8_t{3});
  bench.View().Pages().RefreshPages();  // as if the marked image had been opened
  bench.Click("1200", "Baud Rate: ");
  bench.frame->findChildren<QLineEdit*>().last()->setText("typed, then reset");

  ParameterImage expected = bench.Image();
  expected.SetText(fld::description, "typed, then reset");
  expected.Set(fld::hostBaud, uint16_t{1200});
  ResetHostSerialDefaults(expected);
  ResetGlobalDefaults(expected);
  ResetChannelDefaults(expected, 3, 6);

  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    ResetButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, d));
    d.status->click();
    d.channel[D]->click();
    d.reset->click();
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
