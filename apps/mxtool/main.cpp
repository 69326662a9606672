// mxtool: the setup program's libraries on the command line, for scripts and fleets of interfaces.
#include <iostream>
#include <string>
#include <vector>

#include "core/CommandLineInfo.h"
#include "core/ProgramVersion.h"
#include "tool/DeviceCommands.h"
#include "tool/EditCommands.h"
#include "tool/ExitCodes.h"
#include "tool/FileCommands.h"
#include "tool/ReportCommand.h"

namespace {

std::string Usage() {
  return "usage: mxtool COMMAND [ARGUMENTS]\n"
         "       mxtool --help | --version\n"
         "Configuration files:\n" +
         mx::tool::FileCommandsUsage() + mx::tool::EditCommandsUsage() +
         mx::tool::ReportCommandUsage() +
         (mx::tool::DeviceCommandsUsage().empty()
              ? std::string()
              : "Interface on a serial port:\n" + mx::tool::DeviceCommandsUsage()) +
         "Exit codes: 0 success, 1 the interface failed, 2 usage or file error, 3 apply --check\n"
         "found an interface that would change, 128 + the signal's number when a device command\n"
         "was cancelled: 130 Ctrl+C (SIGINT), 143 SIGTERM, 129 SIGHUP.\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    std::cerr << Usage();
    return mx::tool::kUsage;
  }
  const std::string& command = words[0];
  const mx::InfoRequest info =
      command == "help" ? mx::InfoRequest::Help : mx::FindInfoRequest(argc, argv);
  if (mx::AnswerInfoRequest(info, "mxtool", mx::kSetupProgramVersion, Usage()))
    return mx::tool::kOk;
  const std::vector<std::string> args(words.begin() + 1, words.end());
  if (mx::tool::IsFileCommand(command)) {
    return mx::tool::RunFileCommand(command, args, {std::cout, std::cerr});
  }
  if (mx::tool::IsEditCommand(command))
    return mx::tool::RunEditCommand(command, args, {std::cout, std::cerr});
  if (mx::tool::IsReportCommand(command))
    return mx::tool::RunReportCommand(args, {std::cout, std::cerr});
  if (mx::tool::IsDeviceCommand(command))
    return mx::tool::RunDeviceCommand(command, args);
  std::cerr << "mxtool: unknown command \"" << command << "\"\n" << Usage();
  return mx::tool::kUsage;
}
