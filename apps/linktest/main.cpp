// LinkTest_Network: the TCP test terminal for Network-model Mesurix interfaces.
#include <QApplication>

#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"
#include "nettest/window/CMainFrame.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The settings (recent files) live under the company and program names.
  QApplication::setOrganizationName(mx::desktop::FromUtf8(mx::nettest::text::kOrganisation));
  QApplication::setApplicationName(mx::desktop::FromUtf8(mx::nettest::text::kAppName));
  // The desktop matches the window to its menu entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.brantwick.LinkTestNetwork"));

  mx::nettest::CMainFrame frame;
  frame.PlaceOnScreen();
  frame.StartUp(QApplication::arguments().mid(1), QApplication::applicationDirPath());
  frame.show();
  return QApplication::exec();
}
