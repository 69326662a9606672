// Find, Read and Send in the window against the simulated interface on the virtual bench: the
// progress and notice windows, the disabled main window, Cancel, and every message.
#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/device/DeviceCommandRunner.h"
#include "editor/device/FindProgressWindow.h"
#include "editor/device/NoticeWindow.h"
#include "editor/device/PaintingSerialLine.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/StatusPage.h"
#include "link/LinkMessages.h"
#include "terminal/TestSettings.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using desktop::FromLatin1;
using test::WindowBench;

QStringList StatusTexts(WindowBench& bench) {
  QStringList texts;
  for (QLabel* label : bench.View().findChildren<QLabel*>())
    texts << label->text();
  return texts;
}

// What the user could see while a command ran, sampled at every tick of the watcher.
struct Sightings {
  QStringList progressLines;
  QStringList noticeLines;
  int maxPercent = -1;
  bool frameDisabled = false;
  bool cancelEnabled = false;
  bool placedOverFrame = false;
};

void Watch(WindowBench& bench, Sightings& seen) {
  bench.watcher.idle = [&bench, &seen] {
    DeviceCommandRunner& runner = bench.View().Commands();
    if (FindProgressWindow* progress = runner.ProgressWindow()) {
      for (int line = 0; line < 2; ++line) {
        if (!seen.progressLines.contains(progress->Line(line)))
          seen.progressLines << progress->Line(line);
      }
      seen.maxPercent = std::max(seen.maxPercent, progress->Percent());
      seen.cancelEnabled = progress->CancelButton()->isEnabled() && progress->isVisible();
      seen.frameDisabled = seen.frameDisabled || !bench.frame->isEnabled();
    }
    if (NoticeWindow* notice = runner.Notice()) {
      seen.noticeLines << notice->Line(0) << notice->Line(1);
      seen.frameDisabled = seen.frameDisabled || !bench.frame->isEnabled();
      seen.placedOverFrame = notice->frameGeometry().topLeft() ==
                             desktop::OverParentPlacement(bench.frame->frameGeometry(),
                                                          notice->frameGeometry().size());
    }
  };
}

TEST(DeviceCommandsTest, FindButtonScansShowsProgressAndSwitchesToTheFoundModel) {
  WindowBench bench;
  bench.AddPort(1);
  bench.AddInterface(2, 3, 19200, 'O', '7');
  Sightings seen;
  Watch(bench, seen);
  bench.Click("Find", "");
  EXPECT_TRUE(bench.watcher.messages.empty());
  EXPECT_TRUE(seen.progressLines.contains("Checking serial port COM1 (vcom1)"));
  EXPECT_TRUE(seen.progressLines.contains("Checking baud rate 19200"));
  EXPECT_TRUE(seen.frameDisabled);
  EXPECT_TRUE(seen.cancelEnabled);
  EXPECT_GE(seen.maxPercent, 5);
  EXPECT_TRUE(bench.frame->isEnabled());
  EXPECT_EQ(bench.View().Commands().ProgressWindow(), nullptr);

  EXPECT_EQ(bench.Model(), 3);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix4 Network - Untitled");
  EXPECT_TRUE(bench.Button("Mesurix4 Network", "Mesurix Model: ")->isChecked());
  EXPECT_TRUE(bench.Button("19.2K", "Baud Rate: ")->isChecked());
  EXPECT_TRUE(bench.Button("Odd", "Parity: ")->isChecked());
  EXPECT_TRUE(StatusTexts(bench).contains("COM2 (vcom2)  @  19200-O-7-1"));
  LinkSettings stored;
  LoadLinkSettings(bench.store, stored);
  EXPECT_EQ(stored, (LinkSettings{2, 19200, 'O', '7', '1'}));
}

TEST(DeviceCommandsTest, StoredPlaceIsAnnouncedInANoticeOverTheWindow) {
  WindowBench bench;
  bench.AddInterface(5, 4, 4800, 'E', '7');
  bench.StorePlace(5, 4800, 'E', '7');
  Sightings seen;
  Watch(bench, seen);
  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(bench.watcher.messages.empty());
  ASSERT_GE(seen.noticeLines.size(), 2);
  EXPECT_EQ(seen.noticeLines[0], "Mesurix located on current serial port.");
  EXPECT_EQ(seen.noticeLines[1], "COM5:4800-E-7-1 (vcom5)");
  EXPECT_TRUE(seen.frameDisabled);
  EXPECT_TRUE(seen.placedOverFrame);
  EXPECT_TRUE(seen.progressLines.isEmpty());
  EXPECT_EQ(bench.Model(), 4);
  EXPECT_TRUE(bench.frame->Action(cmd::kChannelCommands[4])->isEnabled());
  EXPECT_TRUE(StatusTexts(bench).contains("Network communications not supported"));
}

TEST(DeviceCommandsTest, NothingFoundSaysSoAndClearsTheStatus) {
  WindowBench bench;
  for (int port = 1; port <= 3; ++port)
    bench.AddPort(port);
  bench.document->Link().identityTexts[2] = "old serial";
  bench.Trigger(cmd::kFind);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].caption, "Mesurix Setup");
  EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(msg::kCannotFind));
  EXPECT_EQ(bench.watcher.messages[0].icon, QMessageBox::Warning);
  EXPECT_FALSE(StatusTexts(bench).contains("old serial"));
  EXPECT_TRUE(bench.frame->isEnabled());
}

TEST(DeviceCommandsTest, CancelDuringTheScanStopsItAtOnce) {
  WindowBench bench;
  for (int port = 1; port <= 20; ++port)
    bench.AddPort(port);
  bool pressed = false;
  bench.watcher.idle = [&] {
    FindProgressWindow* progress = bench.View().Commands().ProgressWindow();
    if (progress && !pressed && progress->Percent() >= 10) {
      pressed = true;
      progress->CancelButton()->click();
    }
  };
  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(pressed);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(msg::kCannotFind));
  EXPECT_LT(bench.clock.Now64() - 1000, 20000u);  // far short of the whole 90 s scan
  EXPECT_EQ(bench.bus.Find("vcom20")->opens, 0);
  EXPECT_TRUE(bench.frame->isEnabled());
}

TEST(DeviceCommandsTest, TheMainWindowStaysDuringTheScanAndEscapeCancelsIt) {
  WindowBench bench;
  for (int port = 1; port <= 20; ++port)
    bench.AddPort(port);
  bench.View().Status()->findChildren<QLineEdit*>().last()->setText("unsaved");
  bool closed = true;
  bool escaped = false;
  bench.watcher.idle = [&] {
    FindProgressWindow* progress = bench.View().Commands().ProgressWindow();
    if (progress && !escaped && progress->Percent() >= 5) {
      escaped = true;
      closed = bench.frame->close();
      QTest::keyClick(progress, Qt::Key_Escape);
    }
  };
  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(escaped);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(bench.frame->isVisible());
  // No save question over the running scan; Escape ended it like Cancel.
  EXPECT_EQ(bench.Texts(), std::vector<QString>{FromLatin1(msg::kCannotFind)});
  EXPECT_EQ(bench.bus.Find("vcom20")->opens, 0);
}

TEST(DeviceCommandsTest, ClosingTheProgressWindowCancelsTheScan) {
  WindowBench bench;
  for (int port = 1; port <= 20; ++port)
    bench.AddPort(port);
  bool closed = false;
  bench.watcher.idle = [&] {
    FindProgressWindow* progress = bench.View().Commands().ProgressWindow();
    if (progress && !closed && progress->Percent() >= 5) {
      closed = true;
      progress->close();
    }
  };
  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(closed);
  EXPECT_EQ(bench.Texts(), std::vector<QString>{FromLatin1(msg::kCannotFind)});
  EXPECT_EQ(bench.bus.Find("vcom20")->opens, 0);
}

TEST(DeviceCommandsTest, ReadReplacesTheImageWithoutMakingItUnsaved) {
  WindowBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 5, 2400, 'N', '8');
  Sightings seen;
  Watch(bench, seen);
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(msg::kReceived));
  EXPECT_EQ(bench.watcher.messages[0].icon, QMessageBox::Information);
  EXPECT_TRUE(seen.noticeLines.contains(FromLatin1(msg::kReading)));
  ParameterImage expected = device.Image();
  ApplyLoadFixups(expected);
  EXPECT_TRUE(bench.Image() == expected);
  EXPECT_EQ(bench.Model(), 5);
  EXPECT_TRUE(bench.Button("2400", "Baud Rate: ")->isChecked());
  bench.Trigger(cmd::kFileNew);
  EXPECT_EQ(bench.watcher.messages.size(), 1u);  // no save question
}

TEST(DeviceCommandsTest, ReadOffersUnsavedEditsForSavingFirst) {
  WindowBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 9600, 'N', '8');
  bench.View().Status()->findChildren<QLineEdit*>().last()->setText("typed, not saved");
  bench.watcher.answers = {QMessageBox::Cancel};
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text, "Save changes to Untitled?");
  EXPECT_EQ(bench.Image().Text(fld::description), "typed, not saved") << "Cancel: nothing read";

  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 3u);
  EXPECT_EQ(bench.watcher.messages[2].text, FromLatin1(msg::kReceived));
  EXPECT_EQ(bench.Image().Text(fld::description), device.Image().Text(fld::description));
}

TEST(DeviceCommandsTest, ReadFailuresShowTheirMessagesAndClearTheStatus) {
  const std::pair<sim::Fault, std::string_view> cases[] = {
      {sim::Fault::Short, msg::kUnableToRead}, {sim::Fault::BadSum, msg::kInvalidChecksum}};
  for (const auto& [fault, text] : cases) {
    WindowBench bench;
    bench.AddInterface(1, 0, 9600, 'N', '8', fault);
    bench.Trigger(cmd::kRead);
    ASSERT_EQ(bench.watcher.messages.size(), 1u);
    EXPECT_EQ(bench.watcher.messages[0].caption, "Mesurix Setup");
    EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(text));
    EXPECT_EQ(bench.watcher.messages[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(StatusTexts(bench).contains("COM1 (vcom1)  @  9600-N-8-1"));
    EXPECT_EQ(bench.document->Link().linkSettings.portNumber, -1);
  }
}

TEST(DeviceCommandsTest, SendWritesTheEditedImageIntoTheInterface) {
  WindowBench bench;
  sim::InterfaceSimulator& device = bench.AddInterface(1, 0, 4800, 'E', '7');
  bench.View().Status()->findChildren<QLineEdit*>().last()->setText("sent from the window");
  Sightings seen;
  Watch(bench, seen);
  bench.Trigger(cmd::kSend);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text,
            FromLatin1(msg::kAcknowledged) + "\n" + FromLatin1(msg::kWaitForReset));
  EXPECT_TRUE(seen.noticeLines.contains(FromLatin1(msg::kSending)));
  EXPECT_EQ(device.Image().Text(fld::description), "sent from the window");
  EXPECT_TRUE(device.Image() == bench.Image());
  // After a Pass the link runs at the host settings just sent.
  EXPECT_TRUE(StatusTexts(bench).contains(QString("COM1 (vcom1)  @  %1-%2-%3-%4")
                                              .arg(bench.Image().Get(fld::hostBaud))
                                              .arg(QChar(bench.Image().Get(fld::hostParity)))
                                              .arg(QChar(bench.Image().Get(fld::hostDataBits)))
                                              .arg(QChar(bench.Image().Get(fld::hostStopBits)))));
}

TEST(DeviceCommandsTest, SendFailuresShowTheirMessages) {
  {
    WindowBench bench;
    bench.AddInterface(1, 0, 2400, 'N', '8', sim::Fault::Refuse);
    bench.Trigger(cmd::kSend);
    ASSERT_EQ(bench.watcher.messages.size(), 1u);
    EXPECT_EQ(
        bench.watcher.messages[0].text,
        FromLatin1(msg::kTransferFailed) + "Transfer Failed: parameters locked by the operator");
  }
  {
    WindowBench bench;
    sim::SimulatorConfig config;
    config.model = 7;
    config.image = sim::DefaultSimulatorImage(7, 1200, 'O', '7');
    config.networkLine = "100  1 0 300   0   0   1";
    sim::InterfaceSimulator device(config);
    bench.AddPort(1, &device);
    bench.Trigger(cmd::kSend);
    ASSERT_EQ(bench.watcher.messages.size(), 1u);
    EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(msg::kNetworkUnreadable));
  }
  {
    // An interface that identifies itself and then never gives a verdict.
    WindowBench bench;
    bench.AddPort(1);
    bench.StorePlace(1, 9600, 'N', '8');
    const char* replies[] = {"MX3-PLUS-00: 9600-N-8-1\r", "SN 1\r", "V 1\r", "D 1\r"};
    for (int i = 0; i < 4; ++i) {
      const std::string reply = replies[i];
      bench.bus.Inject("vcom1", std::vector<uint8_t>(reply.begin(), reply.end()),
                       bench.clock.Now64() + 1 + static_cast<uint64_t>(i));
    }
    bench.Trigger(cmd::kSend);
    ASSERT_EQ(bench.watcher.messages.size(), 1u);
    EXPECT_EQ(bench.watcher.messages[0].text, FromLatin1(msg::kNoResponse));
  }
}

// A widget that counts its paints.
class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(DeviceCommandsTest, WaitingForTheLineKeepsWindowsPainted) {
  WindowBench bench;
  bench.AddPort(1);
  PaintCounter widget;
  widget.resize(50, 50);
  widget.show();
  QCoreApplication::processEvents();
  const int before = widget.paints;
  PaintingSerialLine line(bench.line, bench.clock);
  ASSERT_TRUE(line.Open("vcom1", LineSettings{}).ok());
  widget.update();
  EXPECT_EQ(line.WaitReadable(300), WaitResult::TimedOut);
  EXPECT_GT(widget.paints, before);
  EXPECT_EQ(bench.clock.Now64() - 1000, 300u);  // the wait itself is unchanged
  line.Close();
}

TEST(DeviceCommandsTest, TestWindowOpensWhereFindLocatedTheInterface) {
  WindowBench bench;
  bench.AddInterface(2, 5, 19200, 'E', '7');
  bench.Trigger(cmd::kFind);
  ASSERT_EQ(bench.document->Link().linkSettings.portNumber, 2);
  QKeyEvent controlTab(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
  QString caption;
  bool keyTaken = false;
  bench.watcher.dialogActions.push_back([&](QWidget* window) {
    caption = window->windowTitle();
    // The view leaves the keys alone while the test window is open.
    keyTaken = bench.View().HandleKey(&controlTab);
    test::FindButton(window, "Exit")->click();
  });
  bench.Trigger(cmd::kCommTest);
  EXPECT_EQ(caption.toStdString(), "Mesurix Communications Test  --  COM2:19.2K-E-7-1");
  EXPECT_TRUE(keyTaken);
  EXPECT_EQ(bench.View().Tabs()->currentIndex(), 0);
  // The document keeps what the window used for its next opening.
  EXPECT_EQ(bench.document->CommTestSettings().line,
            (terminal::PortSettings{2, 19200, 'E', '7', '1'}));
  bench.View().HandleKey(&controlTab);
  EXPECT_EQ(bench.View().Tabs()->currentIndex(), 1);
  EXPECT_TRUE(bench.Texts().empty());
}

}  // namespace
}  // namespace mx::editor
