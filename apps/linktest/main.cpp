// LinkTest_Network: the TCP test terminal for Network-model Mesurix interfaces.
#include <QApplication>

#include "nettest/CMainFrame.h"
#include "nettest/NetTestTexts.h"
#include "nettest/QtText.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The settings (recent files) live under the company and program names.
  QApplication::setOrganizationName(mx::nettest::Q(mx::nettest::text::kOrganisation));
  QApplication::setApplicationName(mx::nettest::Q(mx::nettest::text::kAppName));

  mx::nettest::CMainFrame frame;
  frame.PlaceOnScreen();
  frame.StartUp(QApplication::arguments().mid(1), QApplication::applicationDirPath());
  frame.show();
  return QApplication::exec();
}
