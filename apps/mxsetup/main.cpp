// MXSetup: the Mesurix setup and test program.
#include "editor/frame/SetupApplication.h"

int main(int argc, char** argv) {
  return mx::editor::RunSetupProgram(argc, argv);
}
