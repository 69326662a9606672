// MXSetup: the Mesurix setup and test program.
#include <QGuiApplication>

#include "core/CommandLineInfo.h"
#include "core/ProgramVersion.h"
#include "editor/frame/SetupApplication.h"

namespace {

constexpr std::string_view kUsage =
    "usage: MXSetup [FILE.mxs]\n"
    "Sets up and tests a Mesurix gage interface: opens FILE.mxs, or starts with a new\n"
    "configuration.\n"
    "  --help      this text\n"
    "  --version   the program's version\n";

}  // namespace

int main(int argc, char** argv) {
  // Before the application object: it needs a display, and these answers must not.
  if (mx::AnswerInfoRequest(mx::FindInfoRequest(argc, argv), "MXSetup", mx::kSetupProgramVersion,
                            kUsage))
    return 0;
  // The desktop matches the window to its menu entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.brantwick.MXSetup"));
  return mx::editor::RunSetupProgram(argc, argv);
}
