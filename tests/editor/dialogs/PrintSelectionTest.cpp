// The print selection dialog, opened from the File menu and worked through its boxes and buttons.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QDialog>
#include <array>

#include "editor/frame/CommandIds.h"
#include "editor/frame/PrintCommands.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using test::FindButton;
using test::WindowBench;

enum Box { Global, A, B, C, D, E };

struct SelectionButtons {
  std::array<QAbstractButton*, 6> box{};
  QAbstractButton* selectAll = nullptr;
  QAbstractButton* clearAll = nullptr;
  QAbstractButton* action = nullptr;
  QAbstractButton* cancel = nullptr;
};

// Each control by its caption; a missing one fails the test and stops the caller.
void Find(QWidget* dialog, const QString& group, const QString& caption, QAbstractButton*& button) {
  button = FindButton(dialog, caption, group);
  ASSERT_NE(button, nullptr) << caption.toStdString();
}

void FindButtons(QWidget* dialog, const QString& action, SelectionButtons& d) {
  const QString group = "Parameters to Preview: ";
  ASSERT_NO_FATAL_FAILURE(Find(dialog, group, "Global settings && channel summary", d.box[Global]));
  for (int channel = A; channel <= E; ++channel) {
    ASSERT_NO_FATAL_FAILURE(Find(dialog, group, QString("Channel %1").arg(QChar('A' + channel - A)),
                                 d.box[static_cast<std::size_t>(channel)]));
  }
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Select All", d.selectAll));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Clear All", d.clearAll));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, action, d.action));
  ASSERT_NO_FATAL_FAILURE(Find(dialog, {}, "Cancel", d.cancel));
}

// The boxes as a user sees them: checked ones as 1, enabled ones in `enabled`.
void ExpectBoxes(const SelectionButtons& d, const std::array<bool, 6>& checked,
                 const std::array<bool, 6>& enabled) {
  for (std::size_t i = 0; i < d.box.size(); ++i) {
    EXPECT_EQ(d.box[i]->isChecked(), checked[i]) << d.box[i]->text().toStdString();
    EXPECT_EQ(d.box[i]->isEnabled(), enabled[i]) << d.box[i]->text().toStdString();
  }
}

constexpr std::array<bool, 6> kAll{true, true, true, true, true, true};
constexpr std::array<bool, 6> kTwoChannels{true, true, true, false, false, false};
constexpr std::array<bool, 6> kNone{};

TEST(PrintSelectionTest, ChannelsTheModelLacksStayOffAndTheButtonsFollowTheBoxes) {
  WindowBench bench;
  bench.Choose("Mesurix5 Plus");
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Print Preview Selection");
    SelectionButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, "Print Preview", d));
    ExpectBoxes(d, {true, true, false, false, false, false}, kAll);
    // The caption shows one ampersand, and that is the name a screen reader reads.
    QAccessibleInterface* global = QAccessible::queryAccessibleInterface(d.box[Global]);
    EXPECT_EQ(global->text(QAccessible::Name), "Global settings & channel summary");
    d.selectAll->click();
    ExpectBoxes(d, kAll, kAll);
    d.action->click();
  });
  bench.Trigger(cmd::kFilePrintPreview);  // the preview that follows is closed unseen
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  // Every page was chosen under a five-channel model; a two-channel model offers only its own.
  bench.Choose("Mesurix3 Plus");
  bench.View().Printing().SetPrinterCheck([] { return true; });
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Print Selection");
    SelectionButtons d;
    ASSERT_NO_FATAL_FAILURE(FindButtons(dialog, "Print", d));
    ExpectBoxes(d, kTwoChannels, kTwoChannels);
    d.clearAll->click();
    ExpectBoxes(d, kNone, kTwoChannels);
    EXPECT_FALSE(d.clearAll->isEnabled());
    EXPECT_FALSE(d.action->isEnabled());
    d.box[B]->click();
    EXPECT_TRUE(d.clearAll->isEnabled());
    EXPECT_TRUE(d.action->isEnabled());
    d.box[B]->click();
    EXPECT_FALSE(d.action->isEnabled());
    d.selectAll->click();
    ExpectBoxes(d, kTwoChannels, kTwoChannels);
    EXPECT_TRUE(d.action->isEnabled());
    d.cancel->click();
  });
  bench.Trigger(cmd::kFilePrint);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());
  // Cancel keeps the selection of the last job.
  EXPECT_EQ(bench.View().Printing().Selection().pages, kAll);
}

}  // namespace
}  // namespace mx::editor
