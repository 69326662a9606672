// The main window: tabs and their captions, model and channel choice, keys, command state, help.
#include <gtest/gtest.h>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSizeGrip>
#include <QTabWidget>
#include <QTest>

#include "core/ImageOperations.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/frame/CommandIds.h"
#include "editor/frame/HelpWindow.h"
#include "editor/pages/StatusPage.h"
#include "tests/editor/EditorBench.h"
#include "tests/support/AccessibleNames.h"

namespace mx::editor {
namespace {

using test::WindowBench;

std::vector<QString> TabCaptions(WindowBench& bench) {
  std::vector<QString> captions;
  for (int i = 0; i < bench.View().Tabs()->count(); ++i)
    captions.push_back(bench.View().Tabs()->tabText(i));
  return captions;
}

TEST(MainWindowTest, SevenTabsWithTheChannelPrefixOnTheLastFour) {
  WindowBench bench;
  const std::vector<QString> expected = {" Status ",        " Network ",       " Toggle Sw ",
                                         " \"A\" Basic ",   " \"A\" Read Sw ", " \"A\" RS232 ",
                                         " \"A\" Extended "};
  EXPECT_EQ(TabCaptions(bench), expected);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - Untitled");
}

TEST(MainWindowTest, WindowWithItsFrameFitsALaptopScreen) {
  WindowBench bench;
  // 1366 x 768 less a 48-pixel taskbar and a 30-pixel title bar: the largest page must fit.
  const QSize wanted = bench.frame->sizeHint();
  EXPECT_LE(wanted.width(), 1366);
  EXPECT_LE(wanted.height(), 768 - 48 - 30);
  // Whatever the pages ask for, the window stays inside the free area of its screen.
  const QRect free = desktop::FreeArea(bench.frame.get());
  EXPECT_TRUE(free.contains(bench.frame->frameGeometry())) << bench.frame->frameGeometry().height();
  // Nothing offers to resize a window of fixed size.
  EXPECT_EQ(bench.frame->findChild<QSizeGrip*>(), nullptr);
}

TEST(MainWindowTest, TwoChannelModelBringsTheViewBackToChannelA) {
  WindowBench bench;
  bench.Choose("Mesurix5 Plus");
  bench.Trigger(cmd::kChannelCommands[3]);
  EXPECT_EQ(bench.document->CurrentChannel(), 3);
  EXPECT_EQ(TabCaptions(bench)[3], " \"D\" Basic ");
  EXPECT_TRUE(bench.frame->Action(cmd::kChannelCommands[3])->isChecked());

  bench.Choose("Mesurix3 Plus");
  EXPECT_EQ(bench.document->CurrentChannel(), 0);
  EXPECT_EQ(TabCaptions(bench)[6], " \"A\" Extended ");
  EXPECT_TRUE(bench.frame->Action(cmd::kChannelCommands[0])->isChecked());
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - Untitled");
}

TEST(MainWindowTest, ModelChangeAppliesTheModelRulesToEveryChannel) {
  WindowBench bench;
  for (int channel = 0; channel < 5; ++channel)
    bench.Image().Set(fld::gageType, static_cast<int8_t>(channel == 2 ? 6 : 1), channel);
  bench.Image().Set(fld::readSwitchMode, uint8_t{7}, 1);
  bench.Image().Set(fld::readSwitchMode, uint8_t{6}, 0);
  bench.View().Pages().RefreshPages();  // as if the image had been opened
  bench.Choose("Mesurix4 Network");
  EXPECT_EQ(bench.Model(), 3);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 0), 5);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 2), 6);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 4), 5);
  EXPECT_EQ(bench.Image().Get(fld::readSwitchMode, 1), 1);
  EXPECT_EQ(bench.Image().Get(fld::readSwitchMode, 0), 6);
  EXPECT_EQ(bench.Image().Get(fld::modelIndex), 3);
  EXPECT_TRUE(bench.MenuCommand("Mesurix4 Network")->isChecked());
  EXPECT_FALSE(bench.MenuCommand("Mesurix3 Plus")->isChecked());
  EXPECT_TRUE(bench.Button("Mesurix4 Network", "Mesurix Model: ")->isChecked());
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix4 Network - Untitled");
}

TEST(MainWindowTest, ChoosingTheCurrentModelKeepsTheConnectionLines) {
  WindowBench bench;
  LinkState& link = bench.document->Link();
  link.identityTexts = {"COM1", "9600-N-8-1", "SN 7", "MX3 V2", ""};
  link.linkSettings.portNumber = 1;
  bench.View().UpdateConnectionStatus(true);
  bench.Choose("Mesurix3 Plus");
  EXPECT_EQ(link.identityTexts[2], "SN 7");
  EXPECT_EQ(link.linkSettings.portNumber, 1);

  bench.Click("Mesurix5 Network", "Mesurix Model: ");
  EXPECT_EQ(bench.Model(), 5);
  EXPECT_TRUE(link.identityTexts[2].empty());
  EXPECT_EQ(link.linkSettings.portNumber, -1);
}

TEST(MainWindowTest, ChannelButtonsCToEOnlyOnFiveChannelModels) {
  WindowBench bench;
  for (const ModelInfo& model : kModelTable) {
    bench.Choose(model.name);
    for (int channel = 0; channel < 5; ++channel) {
      EXPECT_EQ(bench.frame->Action(cmd::kChannelCommands[channel])->isEnabled(),
                channel < 2 || model.index >= 4)
          << model.name << " " << channel;
    }
  }
}

TEST(MainWindowTest, ChannelChangeCommitsTheShownPagesFirst) {
  WindowBench bench;
  QLineEdit* description = bench.frame->findChild<StatusPage*>()->findChildren<QLineEdit*>().last();
  description->setText("typed, not yet stored");
  bench.Trigger(cmd::kChannelCommands[1]);
  EXPECT_EQ(bench.Image().Text(fld::description), "typed, not yet stored");
  EXPECT_TRUE(ChecksumMatches(bench.Image()));
  EXPECT_EQ(TabCaptions(bench)[4], " \"B\" Read Sw ");
}

TEST(MainWindowTest, ControlAndADigitChooseTheChannel) {
  WindowBench bench;
  bench.View().SelectModelCommand(6);
  for (int channel : {2, 4, 0}) {
    QTest::keyClick(bench.View().Tabs(), static_cast<Qt::Key>(Qt::Key_1 + channel),
                    Qt::ControlModifier);
    EXPECT_EQ(bench.document->CurrentChannel(), channel);
    EXPECT_TRUE(bench.frame->Action(cmd::kChannelCommands[channel])
                    ->toolTip()
                    .endsWith(QString("(Ctrl+%1)").arg(channel + 1)));
  }
}

TEST(MainWindowTest, ControlTabWalksTheTabsBothWaysAndWraps) {
  WindowBench bench;
  QTabWidget* tabs = bench.View().Tabs();
  QTest::keyClick(tabs, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(tabs->currentIndex(), 6);
  QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(tabs->currentIndex(), 0);
  QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST(MainWindowTest, LeavingTheStatusTabStoresItAndHelpFollowsTheTab) {
  WindowBench bench;
  bench.Click("4800", "Baud Rate: ");
  EXPECT_EQ(bench.View().CurrentHelpTopic(), 301);
  bench.View().Tabs()->setCurrentIndex(kExtendedTab);
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 4800);
  EXPECT_EQ(bench.View().CurrentHelpTopic(), 305);

  QTest::keyClick(bench.View().Tabs(), Qt::Key_F1);
  EXPECT_TRUE(bench.frame->Help()->isVisible());
  EXPECT_EQ(bench.frame->Help()->Topic(), 305);
  EXPECT_TRUE(bench.frame->Help()->TopicText().contains("Extended"));
  bench.Trigger(cmd::kQuickStart);
  EXPECT_EQ(bench.frame->Help()->Topic(), 100);
  bench.Trigger(cmd::kHelpTopics);
  EXPECT_EQ(bench.frame->Help()->Topic(), 200);
}

TEST(MainWindowTest, EveryTabHasItsOwnHelpTopic) {
  WindowBench bench;
  const int topics[] = {301, 306, 307, 303, 302, 304, 305};
  for (int tab = 0; tab < kTabCount; ++tab) {
    bench.View().Tabs()->setCurrentIndex(tab);
    EXPECT_EQ(bench.View().CurrentHelpTopic(), topics[tab]);
    EXPECT_TRUE(HelpWindow::HasTopic(topics[tab]));
  }
  EXPECT_TRUE(HelpWindow::HasTopic(100));
  EXPECT_TRUE(HelpWindow::HasTopic(200));
}

TEST(MainWindowTest, HelpNamesOnlyMenuCommandsThatExistAndTopicsThatExist) {
  WindowBench bench;
  // The topics the program's own windows open; menu paths are written "<b>Menu &gt; Item</b>".
  const QRegularExpression menuPath("<b>([^<&]+) &gt; ([^<]+)</b>");
  const QRegularExpression link("href=\"(\\d+)\\.html\"");
  const auto plain = [](QString text) { return text.remove('&').remove("..."); };
  for (int topic : {100, 200, 301, 302, 303, 304, 305, 306, 307}) {
    QFile file(QString(":/help/%1.html").arg(topic));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << topic;
    const QString html = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& m : menuPath.globalMatch(html)) {
      QAction* found = nullptr;
      for (QAction* menu : bench.frame->menuBar()->actions()) {
        if (plain(menu->text()) != m.captured(1).simplified() || !menu->menu())
          continue;
        for (QAction* item : menu->menu()->actions()) {
          if (plain(item->text()) == m.captured(2).simplified())  // a path may wrap in the HTML
            found = item;
        }
      }
      ASSERT_NE(found, nullptr) << topic << ": " << m.captured(0).toStdString();
      EXPECT_TRUE(found->isEnabled()) << topic << ": " << m.captured(0).toStdString();
    }
    for (const QRegularExpressionMatch& m : link.globalMatch(html))
      EXPECT_TRUE(HelpWindow::HasTopic(m.captured(1).toInt()))
          << topic << " links " << m.captured(1).toStdString();
  }
}

TEST(MainWindowTest, EveryControlHasANameAScreenReaderCanSay) {
  WindowBench bench;
  for (int tab = 0; tab < kTabCount; ++tab) {
    bench.View().Tabs()->setCurrentIndex(tab);
    EXPECT_EQ(test::UnnamedControls(bench.frame.get()), "") << tab;
  }
  // A box inside a group would otherwise take the group's title: the Custom number is not the
  // whole starting channel.
  for (QLineEdit* edit : bench.View().Status()->findChildren<QLineEdit*>()) {
    EXPECT_EQ(test::AccessibleName(edit), edit->maxLength() == 2 ? "Custom" : "Description: ");
  }
  bench.frame->ShowHelp(100);
  EXPECT_EQ(test::UnnamedControls(bench.frame->Help()), "");
}

TEST(MainWindowTest, EnterAndEscapeNeverReachThePages) {
  WindowBench bench;
  QLineEdit* custom = nullptr;
  for (QLineEdit* edit : bench.frame->findChildren<QLineEdit*>()) {
    if (edit->maxLength() == 2)
      custom = edit;
  }
  ASSERT_NE(custom, nullptr);
  bool returned = false;
  QObject::connect(custom, &QLineEdit::returnPressed, [&] { returned = true; });
  custom->setEnabled(true);
  QTest::keyClick(custom, Qt::Key_Return);
  QTest::keyClick(custom, Qt::Key_Escape);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(bench.frame->isVisible());
}

TEST(MainWindowTest, ControlTabDoesNothingWhileCopyChannelsIsOpen) {
  WindowBench bench;
  int seen = -1;
  bench.watcher.dialogActions.push_back([&](QWidget* dialog) {
    EXPECT_TRUE(bench.View().ModalOpen());
    QTest::keyClick(bench.View().Tabs(), Qt::Key_Tab, Qt::ControlModifier);
    seen = bench.View().Tabs()->currentIndex();
    static_cast<QDialog*>(dialog)->reject();
  });
  bench.Trigger(cmd::kCopyChannels);
  EXPECT_EQ(seen, 0);
  EXPECT_FALSE(bench.View().ModalOpen());
}

}  // namespace
}  // namespace mx::editor
