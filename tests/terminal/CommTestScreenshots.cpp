// Writes pictures of the communications test window with traffic from mxsim on a pseudo-terminal,
// and of its setup dialog, to look at after a change of layout:
//   comtest_screenshots OUTDIR
// Each is saved twice: the window alone, and the whole screen (with the window manager's frame
// when one runs, as under xvfb-run with openbox).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include "link/PosixSerialLine.h"
#include "terminal/CommTestSetupDialog.h"
#include "terminal/CommTestWindow.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

using namespace mx;
using namespace mx::terminal;

namespace {

void Wait(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Save(QWidget* window, const QString& path) {
  window->grab().save(path + ".png");
  QApplication::primaryScreen()->grabWindow(0).save(path + "-screen.png");
}

QAbstractButton* Button(QWidget* root, const QString& name) {
  for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
    if (button->accessibleName() == name || button->text() == name)
      return button;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? argv[1] : ".";
  QDir().mkpath(out);

  test::TempDir dir;
  const std::string link = dir.File("ttyMX1");
  QProcess simulator;
  simulator.setProgram(QStringLiteral(MX_BINARY_DIR "/apps/mxsim/mxsim"));
  simulator.setArguments({"--link", QString::fromStdString(link), "--model", "5", "--line",
                          "19200-E-7-1", "--stream", "4"});
  simulator.start();
  if (!simulator.waitForReadyRead(10000))
    return 1;

  PosixSerialLine line(dir.path().string());
  SteadyClock clock;
  PortMap ports;
  ports.Set(1, link);
  MemoryPreferencesStore store;
  LinkState state;
  state.linkSettings = LinkSettings{1, 19200, 'E', '7', '1'};
  test::RecordingHost host;
  TestSettings settings;
  CommTestWindow window(DeviceLink{host, state, store, line, clock, ports}, settings, {});
  window.Open();
  Wait(600);
  Button(&window, "Commands")->click();
  Wait(900);
  Button(&window, "Read All")->click();
  Wait(700);
  Button(&window, "Show CR & LF in { }")->click();
  Button(&window, "Copyright")->click();
  Wait(900);
  Save(&window, out + "/comtest-window");

  QTimer::singleShot(800, [&] {
    if (CommTestSetupDialog* dialog = window.SetupDialog()) {
      Save(dialog, out + "/comtest-setup");
      dialog->reject();
    }
  });
  Button(&window, "Setup")->click();
  window.accept();
  simulator.terminate();
  simulator.waitForFinished(5000);
  return 0;
}
