// The real window against mxsim on a pseudo-terminal: Find, Read and Send through the menus, on
// the machine's serial line code and clock.
#include <gtest/gtest.h>
#include <QProcess>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CommandIds.h"
#include "link/LinkMessages.h"
#include "link/PosixSerialLine.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

TEST(PtyEndToEndTest, FindReadAndSendThroughTheWindow) {
  test::TempDir folder;
  const std::string link = folder.File("ttyMX0");
  QProcess simulator;
  simulator.setProgram(QStringLiteral(MX_BINARY_DIR "/apps/mxsim/mxsim"));
  simulator.setArguments({"--link", QString::fromStdString(link), "--model", "5", "--line",
                          "4800-N-8-1", "--description", "pty bench"});
  simulator.start();
  ASSERT_TRUE(simulator.waitForReadyRead(10000)) << simulator.errorString().toStdString();
  ASSERT_TRUE(simulator.readLine().startsWith("ready"));

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

  // Find took the model and the host line into the image, so Read first offers to save them.
  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kRead);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(bench.watcher.messages[1].text, desktop::FromLatin1(msg::kReceived));
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 4800);

  bench.Image().SetText(fld::description, "sent over the pty");
  bench.Trigger(cmd::kSend);
  ASSERT_EQ(bench.watcher.messages.size(), 3u);
  EXPECT_TRUE(bench.watcher.messages[2].text.startsWith(desktop::FromLatin1(msg::kAcknowledged)));

  ::unsetenv("MXSETUP_COM3");
  simulator.terminate();
  simulator.waitForFinished(5000);
}

}  // namespace
}  // namespace mx::editor
