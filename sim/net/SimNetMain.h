#pragma once
// mxsim's network mode, run from mxsim's main() when the command line asks for TCP.

#include <string>
#include <vector>

namespace mx {

// True when the arguments (without the program name) ask for the network mode.
bool IsNetworkSimulatorCommand(const std::vector<std::string>& args);
// Serves until the process is stopped; returns the exit code.
int RunNetworkSimulator(int argc, char** argv);

}  // namespace mx
