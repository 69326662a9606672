// Writes pictures of the setup program's windows into a folder, to look at after layout changes:
//   mxsetup_screenshots OUTDIR
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "editor/device/DeviceEnvironment.h"
#include "editor/device/FindProgressWindow.h"
#include "editor/device/NoticeWindow.h"
#include "editor/dialogs/CopyChannelsDialog.h"
#include "editor/dialogs/ResetDialog.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/HelpWindow.h"
#include "editor/frame/PrintCommands.h"
#include "editor/frame/SetupApplication.h"
#include "link/PreferencesStore.h"
#include "tests/support/SimulatedPorts.h"

using namespace mx;
using namespace mx::editor;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetPreferencesNames();
  const QString out = argc > 1 ? argv[1] : ".";
  QDir().mkpath(out);
  // A simulated Mesurix5 Network on COM2, so the Status tab can be shown after a Find.
  MemoryPreferencesStore store;
  VirtualClock clock;
  sim::VirtualPortBus bus(clock);
  sim::VirtualSerialLine line(bus);
  sim::SimulatorConfig config;
  config.model = 5;
  config.image = sim::DefaultSimulatorImage(5, 19200, 'E', '7');
  sim::InterfaceSimulator device(config);
  bus.Add("/dev/ttyUSB0", &device);
  PortMap ports;
  ports.Set(2, "/dev/ttyUSB0");
  DeviceEnvironment environment{&store, &line, &clock, [&ports] { return ports; }};
  CMX3_SetupDoc document;
  CMainFrame frame(document, environment);
  document.NewDocument();
  document.SetMainWindow(&frame);
  document.Core().UpdateCaption();
  frame.show();
  // The window, and on a real display the whole screen with the window manager's frame, so the
  // window's fit on the screen can be seen too.
  const bool display = QGuiApplication::platformName() != "offscreen";
  const auto shoot = [&](const QString& name) {
    QApplication::processEvents();
    frame.grab().save(out + "/" + name + ".png");
    if (display) {
      QEventLoop settle;
      QTimer::singleShot(300, &settle, &QEventLoop::quit);
      settle.exec();
      frame.screen()->grabWindow(0).save(out + "/" + name + "-screen.png");
    }
  };
  shoot("main-status");
  // The channel pages on a two-channel and a five-channel model, on the last channel and on A.
  const std::pair<int, const char*> channelPages[] = {{kBasicTab, "basic"},
                                                      {kReadSwitchTab, "readsw"},
                                                      {kRs232Tab, "rs232"},
                                                      {kExtendedTab, "extended"}};
  // The global pages on the same models, and on a two-channel Network model.
  const std::pair<int, const char*> globalPages[] = {{kNetworkTab, "network"},
                                                     {kToggleTab, "toggle"}};
  for (const ModelIndex model : {3, 0, 5}) {
    frame.View()->SelectModelCommand(model);
    for (const auto& [tab, name] : globalPages) {
      frame.View()->Tabs()->setCurrentIndex(tab);
      shoot(QString("main-%1-model%2").arg(name).arg(model));
    }
    if (model == 3)
      continue;
    for (const int channel : {ChannelCount(model) - 1, 0}) {
      frame.View()->ChannelSelect(channel);
      for (const auto& [tab, name] : channelPages) {
        frame.View()->Tabs()->setCurrentIndex(tab);
        shoot(QString("main-%1-model%2-%3").arg(name).arg(model).arg(QChar('A' + channel)));
      }
    }
  }
  frame.View()->Tabs()->setCurrentIndex(kStatusTab);
  frame.View()->OnFind();
  QApplication::processEvents();
  frame.grab().save(out + "/main-found.png");

  desktop::AboutDialog about(AboutThisProgram(), &frame);
  about.show();
  QApplication::processEvents();
  about.grab().save(out + "/about.png");
  CopyChannelsDialog copy(document.Image(), 4, {}, {}, &frame);
  copy.show();
  QApplication::processEvents();
  copy.grab().save(out + "/copy.png");
  ResetDialog reset(document.Image(), 0, {}, {}, &frame);
  reset.show();
  QApplication::processEvents();
  reset.grab().save(out + "/reset.png");

  FindProgressWindow progress(&frame, "Mesurix Setup", {});
  progress.SetLine(0, "Checking serial port COM3 (/dev/ttyUSB0)");
  progress.SetLine(1, "Checking baud rate 4800");
  progress.SetProgress(47, 100);
  progress.Open();
  QApplication::processEvents();
  progress.grab().save(out + "/progress.png");
  progress.close();
  NoticeWindow notice(&frame, "Mesurix Setup", "Mesurix located on current serial port.",
                      "COM1:9600-N-8-1 (/dev/ttyS0)");
  notice.Open();
  QApplication::processEvents();
  notice.grab().save(out + "/notice.png");
  notice.close();
  frame.ShowHelp(301);
  QApplication::processEvents();
  frame.Help()->grab().save(out + "/help.png");
  frame.Help()->close();

  // Print Preview as a user goes through it: the selection dialog, then the maximised preview.
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&out] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
      return;
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
      QApplication::processEvents();
      preview->grab().save(out + "/print-preview.png");
      preview->reject();
      return;
    }
    modal->grab().save(out + "/print-selection.png");
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
      if (button->text() == "Print Preview")
        button->click();
    }
  });
  user.start(200);
  frame.View()->Printing().Preview();
  return 0;
}
