// MXSetup: the Mesurix setup and test program.
#include <QGuiApplication>

#include "editor/frame/SetupApplication.h"

int main(int argc, char** argv) {
  // The desktop matches the window to its menu entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.brantwick.MXSetup"));
  return mx::editor::RunSetupProgram(argc, argv);
}
