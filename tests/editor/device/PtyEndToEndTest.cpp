// The real window against mxsim on a pseudo-terminal: Find, Read and Send through the menus, and
// the communications test window, on the machine's serial line code and clock.
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CommandIds.h"
#include "link/LinkMessages.h"
#include "link/PosixSerialLine.h"
#include "terminal/CommTestWindow.h"
#include "terminal/TerminalPane.h"
#include "tests/editor/EditorBench.h"
#include "tests/support/PtyRig.h"

namespace mx::editor {
namespace {

TEST(PtyEndToEndTest, FindReadAndSendThroughTheWindow) {
  test::TempDir folder;
  const std::string link = folder.File("ttyMX0");
  QProcess simulator;
  ASSERT_TRUE(
      test::StartSimulator(simulator, {"--link", QString::fromStdString(link), "--model", "5",
                                       "--line", "4800-N-8-1", "--description", "pty bench"}))
      << simulator.errorString().toStdString();

  test::WindowBench bench;
  SteadyClock clock;
  PosixSerialLine line(folder.path().string());
  bench.environment.clock = &clock;
  bench.environment.line = &line;
  ::setenv("MXSETUP_COM3", link.c_str(), 1);
  bench.environment.ports = [&bench] { return PortMap::FromSystem(&bench.store); };

  bench.Trigger(cmd::kFind);
  EXPECT_TRUE(bench.watcher.messages.empty());
  EXPECT_EQ(bench.Model(), 5);
  EXPECT_EQ(bench.document->Link().identityTexts[4], "pty bench");
  EXPECT_TRUE(bench.Button("4800", "Baud Rate: ")->isChecked());

  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text, desktop::FromLatin1(msg::kReceived));
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 4800);

  bench.Image().SetText(fld::description, "sent over the pty");
  bench.Trigger(cmd::kSend);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_TRUE(bench.watcher.messages[1].text.startsWith(desktop::FromLatin1(msg::kAcknowledged)));

  ::unsetenv("MXSETUP_COM3");
  simulator.terminate();
  simulator.waitForFinished(5000);
}

TEST(PtyEndToEndTest, TestWindowTypesToTheSimulatorAndLogsTheAnswer) {
  test::TempDir folder;
  const std::string link = folder.File("ttyMX0");
  QProcess simulator;
  ASSERT_TRUE(test::StartSimulator(simulator, {"--link", QString::fromStdString(link), "--model",
                                               "5", "--line", "115200-N-8-1"}))
      << simulator.errorString().toStdString();

  test::WindowBench bench;
  SteadyClock clock;
  PosixSerialLine line(folder.path().string());
  bench.environment.clock = &clock;
  bench.environment.line = &line;
  ::setenv("MXSETUP_COM2", link.c_str(), 1);
  bench.environment.ports = [&bench] { return PortMap::FromSystem(&bench.store); };
  terminal::TestSettings& settings = bench.document->CommTestSettings();
  settings.useFound = false;
  settings.line = terminal::PortSettings{2, 115200, 'N', '8', '1'};

  const QString logPath = QString::fromStdString(folder.File("capture.log"));
  const QString lastLine = QStringLiteral("<$U receive them");
  QString caption;
  QString shown;
  QDeadlineTimer deadline(10000);
  std::function<void(QWidget*)> waitForAnswer = [&](QWidget* window) {
    shown = window->findChild<terminal::TerminalPane*>()->toPlainText();
    if (!shown.contains(lastLine) && !deadline.hasExpired()) {
      bench.watcher.dialogActions.push_back(waitForAnswer);  // look again at the next tick
      return;
    }
    test::FindButton(window, "Exit")->click();
  };
  bench.watcher.dialogActions.push_back([&](QWidget* widget) {
    auto* window = qobject_cast<terminal::CommTestWindow*>(widget);
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle();
    window->Capture().SetFileQuestion([&](const QString&) { return logPath; });
    test::FindButton(window, "Log to file...")->click();
    QTest::keyClicks(window->Pane(), "<H");
    bench.watcher.dialogActions.push_back(waitForAnswer);
  });
  bench.Trigger(cmd::kCommTest);

  EXPECT_EQ(caption.toStdString(), "Mesurix Communications Test  --  COM2:115.2K-N-8-1");
  EXPECT_TRUE(shown.startsWith("<H<*   copyright\n<H   this list\n")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(lastLine));
  QFile log(logPath);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QString logged = QString::fromLatin1(log.readAll());
  EXPECT_TRUE(logged.contains(" > <H\n")) << logged.toStdString();
  EXPECT_TRUE(logged.contains(" < <H   this list{CR}\n")) << logged.toStdString();
  EXPECT_TRUE(logged.contains(" < <$T  send the parameters; <$U receive them{CR}\n"));
  EXPECT_TRUE(bench.watcher.messages.empty());

  ::unsetenv("MXSETUP_COM2");
  simulator.terminate();
  simulator.waitForFinished(5000);
}

}  // namespace
}  // namespace mx::editor
