// LinkTest_Network: the TCP test terminal for Network-model Mesurix interfaces.
#include <QApplication>

#include "core/CommandLineInfo.h"
#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"
#include "nettest/window/CMainFrame.h"

namespace {

constexpr std::string_view kUsage =
    "usage: LinkTest_Network [FILE.ltn]\n"
    "The TCP test terminal for Network-model Mesurix interfaces: opens FILE.ltn, or\n"
    "default.ltn (made on first start).\n"
    "  --help      this text\n"
    "  --version   the program's version\n";

}  // namespace

int main(int argc, char** argv) {
  // Before the application object: it needs a display, and these answers must not.
  if (mx::AnswerInfoRequest(mx::FindInfoRequest(argc, argv), mx::nettest::text::kAppName,
                            mx::nettest::text::kVersion, kUsage))
    return 0;
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
