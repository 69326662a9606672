// The controller on a real serial device: the termios line on a pseudo-terminal with the simulated
// interface at 115200 baud on its other side, in real time.
#include <gtest/gtest.h>

#include <QFile>

#include "desktop/CaptureLog.h"
#include "sim/PtyInterface.h"
#include "terminal/TerminalController.h"
#include "tests/support/PtyLink.h"
#include "tests/support/TempDir.h"
#include "tests/terminal/TerminalBench.h"

namespace mx::terminal {
namespace {

TEST(PtyTerminalTest, TypesARequestAndSeesTheAnswerOnAPseudoTerminal) {
  mx::test::TempDir dir;
  sim::SimulatorConfig config;
  config.model = 5;
  config.image = sim::DefaultSimulatorImage(5, 9600, 'N', '8');
  config.lineBaud = 115200;
  sim::InterfaceSimulator simulator(config);
  sim::PtyInterface pty(simulator, false);
  std::string error;
  ASSERT_TRUE(pty.Create(dir.File("ttyMX1"), error)) << error;

  mx::test::PtyLink parts(dir);
  DeviceLink link = parts.Link();
  TestSettings settings;
  settings.useFound = false;
  settings.line = PortSettings{1, 115200, 'N', '8', '1'};
  test::RecordingView view;
  TerminalController controller(link, settings, view);

  controller.Start();
  TerminalStatus status = controller.Status();
  ASSERT_TRUE(status.portOpen) << status.openError;
  EXPECT_EQ(status.caption, "Mesurix Communications Test  --  COM1:115.2K-N-8-1");
  // A pseudo-terminal has no modem lines.
  EXPECT_EQ(status.cts, LineState::Unknown);
  EXPECT_EQ(status.rts, LineState::Unknown);

  controller.SendCommands();
  const std::string last = "<$T  send the parameters; <$U receive them\n";
  for (int i = 0; i < 200 && view.pane.find(last) == std::string::npos; ++i) {
    pty.ServeOnce(10);
    controller.PollReceive();
  }
  EXPECT_EQ(view.pane.rfind("<H<*   copyright\n<H   this list\n", 0), 0u) << view.pane;
  EXPECT_NE(view.pane.find("<$N  network settings\n"), std::string::npos);
}

TEST(PtyTerminalTest, AFarEndThatClosesClosesThePortOnceAndOneClickReopens) {
  mx::test::TempDir dir;
  sim::SimulatorConfig config;
  config.lineBaud = 9600;
  sim::InterfaceSimulator simulator(config);
  auto pty = std::make_unique<sim::PtyInterface>(simulator, false);
  std::string error;
  ASSERT_TRUE(pty->Create(dir.File("ttyMX1"), error)) << error;
  mx::test::PtyLink parts(dir);
  DeviceLink link = parts.Link();
  TestSettings settings;
  settings.useFound = false;
  settings.line = PortSettings{1, 9600, 'N', '8', '1'};
  test::RecordingView view;
  TerminalController controller(link, settings, view);
  desktop::CaptureLog log;
  ASSERT_TRUE(log.Open(QString::fromStdString(dir.File("log.txt"))));
  controller.SetCaptureLog(&log);
  controller.Start();
  ASSERT_TRUE(controller.Status().portOpen);

  pty->Remove();  // the adapter is unplugged while the window only listens
  controller.PollReceive();
  controller.PollReceive();
  const TerminalStatus status = controller.Status();
  EXPECT_FALSE(status.portOpen);
  EXPECT_EQ(status.caption, "Mesurix Communications Test  --  COM1:9600-N-8-1  (closed)");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].rfind("Serial port COM1 went away", 0), 0u) << view.messages[0];

  pty = std::make_unique<sim::PtyInterface>(simulator, false);  // plugged in again
  ASSERT_TRUE(pty->Create(dir.File("ttyMX1"), error)) << error;
  controller.OpenOrClosePort();
  ASSERT_TRUE(controller.Status().portOpen);

  pty->Remove();  // and unplugged again, this time with the user typing
  const std::string typed = "<H\r";
  controller.TypeBytes({reinterpret_cast<const uint8_t*>(typed.data()), typed.size()});
  controller.PollReceive();
  EXPECT_FALSE(controller.Status().portOpen);
  EXPECT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.pane, "");
  log.Close();
  QFile file(QString::fromStdString(dir.File("log.txt")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_FALSE(file.readAll().contains(" > ")) << "bytes that went nowhere were logged as sent";
}

}  // namespace
}  // namespace mx::terminal
