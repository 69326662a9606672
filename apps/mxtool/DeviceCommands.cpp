// mxtool find, read and send: the setup program's Find, Read and Send on the console.
#include "apps/mxtool/DeviceCommands.h"

#include <iostream>

#include "apps/mxtool/DeviceConsoleHost.h"
#include "apps/mxtool/FileCommands.h"
#include "apps/mxtool/SignalCancel.h"
#include "core/ConfigFile.h"
#include "link/CancellableLine.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
#include "link/PosixSerialLine.h"
#include "link/QSettingsStore.h"

namespace mx::tool {
namespace {

constexpr int kOk = 0;
constexpr int kDeviceFailure = 1;
constexpr int kUsageError = 2;

int UsageError(const std::string& problem) {
  std::cerr << "mxtool: " << problem << "\n" << DeviceCommandsUsage();
  return kUsageError;
}

// Everything a device command works with, built the way the setup program builds it, with waits
// that a signal cuts short.
struct Session {
  SignalCancel signals;  // first in, last out: caught for as long as the port is open
  QSettingsStore store;
  PortMap ports = PortMap::FromSystem(&store);
  PosixSerialLine line;
  SteadyClock clock;
  LinkState state;
  DeviceConsoleHost host{std::cout, std::cerr, ports, state};
  CancellableSerialLine cancellableLine{line, clock, host};
  CancellableClock cancellableClock{clock, host};
  DeviceLink link{host, state, store, cancellableLine, cancellableClock, ports};
};

// A caught signal ends a device command as cancelled, and it says so: 128 + the signal, else 0.
int CancelledCode(const std::string& command, bool imageSent = false) {
  const int signal = SignalCancel::Caught();
  if (signal == 0)
    return 0;
  std::cerr << "mxtool: " << command << " cancelled (" << SignalCancel::Name(signal) << ")"
            << (imageSent ? "; the image had already gone out and may have been taken" : "")
            << "\n";
  return 128 + signal;
}

// The exit code of a device command that ran in `session`. One whose scan found nothing ends
// naming the ports that other programs hold: the likeliest reason.
int Outcome(const std::string& command, Session& session, bool ok) {
  if (const int code = CancelledCode(command, session.host.ImageSent()))
    return code;
  if (!ok)
    session.host.PrintPortsInUse();
  return ok ? kOk : kDeviceFailure;
}

int Find(const std::vector<std::string>& args) {
  if (!args.empty())
    return UsageError("find takes no arguments");
  Session session;
  const int code = Outcome("find", session, RunFindCommand(session.link));
  if (code == kOk)
    session.host.PrintConnection();
  return code;
}

int Read(const std::vector<std::string>& args) {
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size() && output.empty())
      output = args[++i];
    else
      return UsageError("read needs -o FILE.mxs and nothing else");
  }
  if (output.empty())
    return UsageError("read needs -o FILE.mxs");
  // A transfer can take minutes; a file that cannot be saved should fail before it, not after.
  if (const FileResult target = CheckSaveTarget(output); !target.ok) {
    std::cerr << "mxtool: " << target.error << "\n";
    return kUsageError;
  }
  std::vector<uint8_t> file;
  {
    Session session;
    if (!ReadParameters(session.link))
      return Outcome("read", session, false);
    // What the setup program's Save writes after a Read: the pages committed, then the file.
    SetupDocument& document = session.host.Document();
    document.CommitPages();
    file = SerializeConfigFile(document.Image(), document.Extension());
  }
  // Port, lock and handlers are released. A signal caught until here still means no file; one
  // from now on ends mxtool at once, which a save survives (the old file stays whole).
  if (const int code = CancelledCode("read"))
    return code;
  const FileResult written = WriteFileAtomically(output, file);
  if (!written.ok) {
    std::cerr << "mxtool: " << written.error << "\n";
    return kUsageError;
  }
  std::cerr << "Saved " << output << "\n";
  return kOk;
}

int Send(const std::vector<std::string>& args) {
  std::string input;
  bool updateNetwork = false;
  for (const std::string& arg : args) {
    if (arg == "--update-network")
      updateNetwork = true;
    else if (input.empty() && !arg.empty() && (arg[0] != '-' || arg == "-"))
      input = arg;
    else
      return UsageError("send takes one FILE.mxs [--update-network]");
  }
  if (input.empty())
    return UsageError("send needs FILE.mxs");
  std::vector<uint8_t> bytes;
  if (const FileResult read = ReadInput(input, bytes, kConfigFileSize); !read.ok) {
    std::cerr << "mxtool: " << read.error << "\n";
    return kUsageError;
  }
  Session session;
  SetupDocument& document = session.host.Document();
  if (document.Load(bytes, input) != LoadOutcome::Opened) {
    // The program would now hold the defaults; sending those instead is never what was meant.
    std::cerr << kInvalidConfigFileText << "\n";
    return kUsageError;
  }
  document.SetNetworkSettingsEdited(updateNetwork);
  const bool sent = SendParameters(session.link);
  return Outcome("send", session, sent);
}

}  // namespace

bool IsDeviceCommand(const std::string& command) {
  return command == "find" || command == "read" || command == "send";
}

int RunDeviceCommand(const std::string& command, const std::vector<std::string>& args) {
  if (command == "find")
    return Find(args);
  if (command == "read")
    return Read(args);
  if (command == "send")
    return Send(args);
  return UsageError("unknown device command " + command);
}

std::string DeviceCommandsUsage() {
  return "  find                      find the interface (stored place first, then COM1..COM20)\n"
         "  read -o FILE.mxs          read the interface's parameters into a configuration file\n"
         "  send FILE.mxs [--update-network]\n"
         "                            send a configuration file to the interface; with\n"
         "                            --update-network a Network model takes the file's network\n"
         "                            settings instead of keeping its own\n"
         "  Ctrl+C (or SIGTERM, SIGHUP) cancels a device command: it ends as a failed transfer\n"
         "  ends (the interface back at its own speed), writes no file and exits 128 + the\n"
         "  signal's number.\n"
         "  Ports: COMn is the n-th serial device (USB adapters first), the \"Ports\" section of\n"
         "  the preferences (COM1=/dev/ttyUSB0), or MXSETUP_COM<n>=PATH in the environment.\n"
         "  When the interface is not found, the last lines name the ports that other programs\n"
         "  hold: \"COM1 (/dev/ttyUSB0) is in use by process 1234 (minicom)\".\n"
         "  Lock files go to /run/lock, or to MXSETUP_LOCK_DIR=FOLDER.\n";
}

}  // namespace mx::tool
