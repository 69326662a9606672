// mxsim: a simulated interface on a pseudo-terminal (or, with --tcp-server / --tcp-client, a
// Network-model interface on TCP), for tests, demos and training without hardware.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "core/CommandLineInfo.h"
#include "core/ProgramVersion.h"
#include "sim/InterfaceSimulator.h"
#include "sim/PtyInterface.h"
#include "sim/SimulatorOptions.h"
#include "sim/net/SimNetMain.h"
#include "sim/net/SimNetOptions.h"

namespace {
volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
  gStop = 1;
}
}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (mx::AnswerInfoRequest(mx::FindInfoRequest(argc, argv), "mxsim", mx::kSetupProgramVersion,
                            mx::sim::SimulatorUsage() +
                                mx::SimNetUsage().toLocal8Bit().toStdString() +
                                "mxsim --help | --version: this text, the program's version\n"))
    return 0;
  if (mx::IsNetworkSimulatorCommand(args))
    return mx::RunNetworkSimulator(argc, argv);
  mx::sim::SimulatorOptions options;
  std::string error;
  if (!mx::sim::ParseSimulatorOptions(args, options, error)) {
    std::fprintf(stderr, "mxsim: %s\n%s", error.c_str(), mx::sim::SimulatorUsage().c_str());
    return 2;
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);

  mx::sim::InterfaceSimulator simulator(options.config);
  mx::sim::PtyInterface pty(simulator, options.paced, options.streamHz);
  if (!pty.Create(options.linkPath, error)) {
    std::fprintf(stderr, "mxsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("ready %s\n", options.linkPath.c_str());
  std::fflush(stdout);
  pty.Serve(gStop);
  pty.Remove();
  // What went out, for load tests that compare it with what the other side logged.
  std::printf("sent %llu bytes", static_cast<unsigned long long>(pty.BytesSent()));
  if (pty.ReadingsSkipped() > 0)
    std::printf(", %llu readings skipped while the line was busy",
                static_cast<unsigned long long>(pty.ReadingsSkipped()));
  std::printf("\n");
  return 0;
}
