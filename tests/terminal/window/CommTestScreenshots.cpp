// Writes pictures of the communications test window with traffic from mxsim on a pseudo-terminal,
// and of its setup dialog, to look at after a change of layout:
//   comtest_screenshots OUTDIR
// Each is saved twice: the window alone, and the whole screen (with the window manager's frame
// when one runs, as under xvfb-run with openbox).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include "terminal/window/CommTestSetupDialog.h"
#include "terminal/window/CommTestWindow.h"
#include "tests/support/PtyRig.h"

using namespace mx;
using namespace mx::terminal;

namespace {

// Runs the event loop for `ms`, sleeping while there is nothing to do.
void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
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

  test::PtyRig rig;
  if (!rig.Start({"--model", "5", "--line", "19200-E-7-1", "--stream", "4"}))
    return 1;
  rig.link.state.linkSettings = LinkSettings{1, 19200, 'E', '7', '1'};
  TestSettings settings;
  CommTestWindow window(rig.link.Link(), settings, {});
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
  return 0;
}
