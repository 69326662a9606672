// The real window against mxsim on a pseudo-terminal, on the machine's serial line code and clock:
// Find, Read and Send through the menus, a configuration edited on the RS232, Network and Toggle Sw
// tabs that goes through Save, Open, Send and Read and comes back byte for byte, and the
// communications test window.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/AddressEdit.h"
#include "link/LinkMessages.h"
#include "link/PosixSerialLine.h"
#include "link/TransferLog.h"
#include "terminal/window/CommTestWindow.h"
#include "terminal/window/TerminalPane.h"
#include "tests/editor/EditorBench.h"
#include "tests/support/PtyRig.h"

namespace mx::editor {
namespace {

// mxsim on a pseudo-terminal mapped to COM3, and the window wired to it.
class PtyEndToEndTest : public ::testing::Test {
 protected:
  void Start(QStringList options) {
    const std::string link = folder.File("ttyMX0");
    ASSERT_TRUE(test::StartSimulator(simulator,
                                     QStringList{"--link", QString::fromStdString(link)} + options))
        << simulator.errorString().toStdString();
    window = std::make_unique<test::WindowBench>();
    window->environment.clock = &clock;
    window->environment.line = &line;
    ::setenv("MXSETUP_COM3", link.c_str(), 1);
    window->environment.ports = [this] { return PortMap::FromSystem(&window->store); };
  }
  void TearDown() override {
    ::unsetenv("MXSETUP_COM3");
    window.reset();
    simulator.terminate();
    simulator.waitForFinished(5000);
  }

  test::TempDir folder;
  QProcess simulator;
  SteadyClock clock;
  PosixSerialLine line{folder.path().string()};
  std::unique_ptr<test::WindowBench> window;
};

TEST_F(PtyEndToEndTest, FindReadAndSendThroughTheWindow) {
  ASSERT_NO_FATAL_FAILURE(
      Start({"--model", "5", "--line", "4800-N-8-1", "--description", "pty bench"}));
  test::WindowBench& bench = *window;
  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(bench.watcher.messages.empty());
  EXPECT_EQ(bench.Model(), 5);
  EXPECT_EQ(bench.document->Link().identityTexts[4], "pty bench");
  EXPECT_TRUE(bench.Button("4800", "Baud Rate: ")->isChecked());

  // Find took the model and the host line into the image, so Read first offers to save them.
  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(bench.watcher.messages[1].text, desktop::FromLatin1(msg::kReceived));
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 4800);

  bench.Image().SetText(fld::description, "sent over the pty");
  const std::string state = std::getenv("XDG_STATE_HOME");  // the bench's
  ::setenv("XDG_STATE_HOME", folder.File("state").c_str(), 1);
  bench.Trigger(cmd::kSend);
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  ASSERT_EQ(bench.watcher.messages.size(), 3u);
  EXPECT_TRUE(bench.watcher.messages[2].text.startsWith(desktop::FromLatin1(msg::kAcknowledged)));
  // The Send is on record, where it went and what it said.
  const TransferLogRead log = ReadTransferLog(folder.File("state/mxsetup/transfers.jsonl"));
  ASSERT_EQ(log.records.size(), 1u);
  EXPECT_EQ(log.records[0].port, "COM3");
  EXPECT_EQ(log.records[0].model, "Mesurix5 Network");
  EXPECT_EQ(log.records[0].outcome, "ok");
  EXPECT_NE(log.records[0].message.find("acknowledged successful transfer"), std::string::npos)
      << log.records[0].message;
}

constexpr int kChannelE = 4;

void Type(QLineEdit* box, const QString& text) {
  ASSERT_NE(box, nullptr);
  box->clear();
  QTest::keyClicks(box, text);
  emit box->editingFinished();
}

void Click(QWidget* page, const char* caption, const char* group = "") {
  QAbstractButton* button = test::FindButton(page, caption, group);
  ASSERT_NE(button, nullptr) << caption;
  ASSERT_TRUE(button->isEnabled()) << caption;
  button->click();
}

void ClickNamed(QWidget* page, const char* name) {
  auto* box = test::FindNamed<QCheckBox>(page, name);
  ASSERT_NE(box, nullptr) << name;
  ASSERT_TRUE(box->isEnabled()) << name;
  box->click();
}

// The first byte that differs, or -1.
int FirstDifference(const ParameterImage& a, const ParameterImage& b) {
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (a.Bytes()[i] != b.Bytes()[i])
      return static_cast<int>(i);
  }
  return -1;
}

void EditNetworkTab(test::WindowBench& bench) {
  bench.View().Tabs()->setCurrentIndex(kNetworkTab);
  QWidget* page = bench.View().Pages().Page(kNetworkTab);
  Click(page, "Update network settings");
  ASSERT_TRUE(test::FindNamed<AddressEdit>(page, "TCP/IP address")->SetText("10.20.30.40"));
  ASSERT_TRUE(test::FindNamed<AddressEdit>(page, "Subnet mask")->SetText("255.255.255.0"));
  Type(test::FindNamed<QLineEdit>(page, "Base port number"), "7000");
  auto* channels = page->findChild<QComboBox*>();
  channels->setCurrentIndex(1);
  emit channels->activated(1);
  Click(page, "Network channel 2     ( Port = 7001 )");
  ClickNamed(page, "Network channel 2: D");
  Click(page, "Specify default gateway");
  ASSERT_TRUE(test::FindNamed<AddressEdit>(page, "Default gateway")->SetText("10.20.30.1"));
}

void EditToggleTab(test::WindowBench& bench) {
  bench.View().Tabs()->setCurrentIndex(kToggleTab);
  QWidget* page = bench.View().Pages().Page(kToggleTab);
  auto* readChannels = test::FindNamed<QAbstractButton>(
      page, "Toggle left = Read channels, Toggle right = Read channels");
  ASSERT_NE(readChannels, nullptr);
  readChannels->click();
  Click(page, "Channel B", "Toggle left");
  Click(page, "Channel E", "Toggle right");
  Click(page, "Continuous read", "Toggle right");
}

void EditRs232Tab(test::WindowBench& bench) {
  bench.View().ChannelSelect(kChannelE);
  bench.View().Tabs()->setCurrentIndex(kRs232Tab);
  QWidget* page = bench.View().Pages().Page(kRs232Tab);
  Click(page, "38.4K");
  Click(page, "Odd", "Parity: ");
  Click(page, "2", "Stop Bits: ");
  Click(page, "Low");
  Click(page, "Gap time");
  Type(test::FindNamed<QLineEdit>(page, "Gap time"), "250");
  Click(page, "Character positions");
  Type(test::FindNamed<QLineEdit>(page, "Start"), "3");
  Type(test::FindNamed<QLineEdit>(page, "End"), "12");
  Click(page, "Command string");
  Type(test::FindNamed<QLineEdit>(page, "Command string"), "?\\x0d");
  Type(test::FindNamed<QLineEdit>(page, "Time to wait for reading"), "1200");
  Click(page, "Discard this reading if it arrives after wait time");
  Click(page, "Send commands to next Mesurix in chain");
  bench.View().Tabs()->setCurrentIndex(kStatusTab);
}

TEST_F(PtyEndToEndTest, EditedTabsSurviveSaveOpenSendAndRead) {
  ASSERT_NO_FATAL_FAILURE(Start({"--model", "5", "--line", "9600-N-8-1"}));
  test::WindowBench& bench = *window;
  bench.Trigger(cmd::kFind);
  ASSERT_EQ(bench.Model(), 5);

  ASSERT_NO_FATAL_FAILURE(EditNetworkTab(bench));
  ASSERT_NO_FATAL_FAILURE(EditToggleTab(bench));
  ASSERT_NO_FATAL_FAILURE(EditRs232Tab(bench));
  const std::string path = folder.File("edited.mxs");
  bench.frame->SetFileQuestion([&](bool) { return QString::fromStdString(path); });
  bench.Trigger(cmd::kFileSave);
  const ParameterImage saved = bench.Image();
  EXPECT_EQ(saved.Get(fld::basePort), 7000);
  EXPECT_EQ(saved.Get(fld::networkSource, 5 + 3), 1);
  EXPECT_EQ(saved.Get(fld::toggleMode), 4);
  EXPECT_EQ(saved.Get(fld::gageBaud, kChannelE), 38400);
  EXPECT_EQ(saved.Get(fld::commandLength, kChannelE), 2);

  bench.Trigger(cmd::kFileNew);
  bench.Trigger(cmd::kFileOpen);
  EXPECT_EQ(FirstDifference(bench.Image(), saved), -1);

  // Without the tick, Send would keep the interface's own address, port and connection type.
  bench.View().Tabs()->setCurrentIndex(kNetworkTab);
  ASSERT_NO_FATAL_FAILURE(Click(bench.View().Pages().Page(kNetworkTab), "Update network settings"));
  bench.watcher.messages.clear();
  bench.Trigger(cmd::kSend);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_TRUE(bench.watcher.messages[0].text.startsWith(desktop::FromLatin1(msg::kAcknowledged)));
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(bench.watcher.messages[1].text, desktop::FromLatin1(msg::kReceived));
  EXPECT_EQ(FirstDifference(bench.Image(), saved), -1);
  EXPECT_EQ(bench.Image().Get(fld::ipAddress, 0), 10);
}

TEST_F(PtyEndToEndTest, TestWindowTypesToTheSimulatorAndLogsTheAnswer) {
  ASSERT_NO_FATAL_FAILURE(Start({"--model", "5", "--line", "115200-N-8-1"}));
  test::WindowBench& bench = *window;
  terminal::TestSettings& settings = bench.document->CommTestSettings();
  settings.useFound = false;
  settings.line = terminal::PortSettings{3, 115200, 'N', '8', '1'};

  const QString logPath = QString::fromStdString(folder.File("capture.log"));
  const QString lastLine = QStringLiteral("<$U receive them");
  QString caption;
  QString shown;
  QDeadlineTimer deadline(10000);
  std::function<void(QWidget*)> waitForAnswer = [&](QWidget* testWindow) {
    shown = testWindow->findChild<terminal::TerminalPane*>()->toPlainText();
    if (!shown.contains(lastLine) && !deadline.hasExpired()) {
      bench.watcher.dialogActions.push_back(waitForAnswer);  // look again at the next tick
      return;
    }
    test::FindButton(testWindow, "Exit")->click();
  };
  bench.watcher.dialogActions.push_back([&](QWidget* widget) {
    auto* commTest = qobject_cast<terminal::CommTestWindow*>(widget);
    ASSERT_NE(commTest, nullptr);
    caption = commTest->windowTitle();
    commTest->Capture().SetFileQuestion([&](const QString&) { return logPath; });
    test::FindButton(commTest, "Log to file...")->click();
    QTest::keyClicks(commTest->Pane(), "<H");
    bench.watcher.dialogActions.push_back(waitForAnswer);
  });
  bench.Trigger(cmd::kCommTest);

  EXPECT_EQ(caption.toStdString(), "Mesurix Communications Test  --  COM3:115.2K-N-8-1");
  EXPECT_TRUE(shown.startsWith("<H<*   copyright\n<H   this list\n")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(lastLine));
  QFile log(logPath);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QString logged = QString::fromLatin1(log.readAll());
  EXPECT_TRUE(logged.contains(" > <H\n")) << logged.toStdString();
  EXPECT_TRUE(logged.contains(" < <H   this list{CR}\n")) << logged.toStdString();
  EXPECT_TRUE(logged.contains(" < <$T  send the parameters; <$U receive them{CR}\n"));
  EXPECT_TRUE(bench.watcher.messages.empty());
}

}  // namespace
}  // namespace mx::editor
