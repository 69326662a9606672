#pragma once
// mxsim's command line: what it simulates and where.

#include <string>
#include <vector>

#include "sim/InterfaceSimulator.h"

namespace mx::sim {

struct SimulatorOptions {
  std::string linkPath;
  SimulatorConfig config;
  bool paced = false;
  double streamHz = 0;  // readings a second sent without being asked; 0: none
};

// Fills `options` from the arguments after the program name. False with `error` for the user.
bool ParseSimulatorOptions(const std::vector<std::string>& args, SimulatorOptions& options,
                           std::string& error);
std::string SimulatorUsage();

}  // namespace mx::sim
