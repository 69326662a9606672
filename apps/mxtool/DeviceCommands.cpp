// mxtool find, read and send: the setup program's Find, Read and Send on the console.
#include "apps/mxtool/DeviceCommands.h"

#include <iostream>

#include "apps/mxtool/DeviceSession.h"
#include "apps/mxtool/FileCommands.h"
#include "apps/mxtool/FleetCommands.h"
#include "apps/mxtool/PortList.h"
#include "apps/mxtool/SignalCancel.h"
#include "core/ConfigFile.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
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

// A device command on the console: signals caught for as long as the port is open, the user's
// preferences and port map, and the session on them.
struct Session {
  SignalCancel signals;  // first in, last out
  QSettingsStore store;
  PortMap ports = PortMap::FromSystem(&store);
  DeviceSession device{store, ports, std::cout, std::cerr};
};

// What follows the command word.
struct DeviceArgs {
  std::string file;    // send's FILE.mxs
  std::string output;  // read's -o
  std::string port;    // --port P
  std::string ports;   // --ports LIST
  bool all = false;    // find --all
  bool updateNetwork = false;
};

// False with `error` for the user when an argument is unknown or given twice.
bool ParseDeviceArgs(const std::vector<std::string>& args, DeviceArgs& parsed, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* value = arg == "-o" || arg == "--output" ? &parsed.output
                         : arg == "--port"                ? &parsed.port
                         : arg == "--ports"               ? &parsed.ports
                                                          : nullptr;
    if (value) {
      if (i + 1 >= args.size() || !value->empty()) {
        error = arg + " takes one value";
        return false;
      }
      *value = args[++i];
      if (value->empty()) {
        error = arg + " takes one value";
        return false;
      }
    } else if (arg == "--all") {
      parsed.all = true;
    } else if (arg == "--update-network") {
      parsed.updateNetwork = true;
    } else if (parsed.file.empty() && !arg.empty() && (arg[0] != '-' || arg == "-")) {
      parsed.file = arg;
    } else {
      error = "unexpected argument " + arg;
      return false;
    }
  }
  return true;
}

// Keeps the session to the port of --port, if one was given; false after saying why not.
bool KeepToPort(const std::string& port, Session& session) {
  if (port.empty())
    return true;
  const PortChoice choice = ParsePortList(port, session.ports, true);
  if (!choice.error.empty()) {
    std::cerr << "mxtool: " << choice.error << "\n";
    return false;
  }
  session.device.link.onlyPort = choice.ports.front();
  session.device.link.probeHeldPorts = true;
  return true;
}

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
  if (const int code = CancelledCode(command, session.device.host.ImageSent()))
    return code;
  if (!ok)
    session.device.host.PrintPortsInUse();
  return ok ? kOk : kDeviceFailure;
}

int Find(const DeviceArgs& args) {
  if (!args.file.empty() || !args.output.empty() || !args.ports.empty() || args.updateNetwork ||
      (args.all && !args.port.empty()))
    return UsageError("find takes --port P or --all, nothing else");
  if (args.all)
    return FindOnAllPorts();
  Session session;
  if (!KeepToPort(args.port, session))
    return kUsageError;
  const int code = Outcome("find", session, RunFindCommand(session.device.link));
  if (code == kOk)
    session.device.host.PrintConnection();
  return code;
}

int Read(const DeviceArgs& args) {
  if (!args.file.empty() || args.all || args.updateNetwork || args.output.empty() ||
      (!args.port.empty() && !args.ports.empty()))
    return UsageError("read needs -o FILE.mxs [--port P], or --ports LIST -o DIR");
  if (!args.ports.empty())
    return ReadFromPorts(args.ports, args.output);
  // A transfer can take minutes; a file that cannot be saved should fail before it, not after.
  if (const FileResult target = CheckSaveTarget(args.output); !target.ok) {
    std::cerr << "mxtool: " << target.error << "\n";
    return kUsageError;
  }
  std::vector<uint8_t> file;
  {
    Session session;
    if (!KeepToPort(args.port, session))
      return kUsageError;
    if (!ReadParameters(session.device.link))
      return Outcome("read", session, false);
    // What the setup program's Save writes after a Read: the pages committed, then the file.
    SetupDocument& document = session.device.host.Document();
    document.CommitPages();
    file = SerializeConfigFile(document.Image(), document.Extension());
  }
  // Port, lock and handlers are released. A signal caught until here still means no file; one
  // from now on ends mxtool at once, which a save survives (the old file stays whole).
  if (const int code = CancelledCode("read"))
    return code;
  const FileResult written = WriteFileAtomically(args.output, file);
  if (!written.ok) {
    std::cerr << "mxtool: " << written.error << "\n";
    return kUsageError;
  }
  std::cerr << "Saved " << args.output << "\n";
  return kOk;
}

int Send(const DeviceArgs& args) {
  if (args.file.empty() || !args.output.empty() || args.all ||
      (!args.port.empty() && !args.ports.empty()))
    return UsageError("send needs FILE.mxs [--update-network] [--port P | --ports LIST]");
  std::vector<uint8_t> bytes;
  if (const FileResult read = ReadInput(args.file, bytes, kConfigFileSize); !read.ok) {
    std::cerr << "mxtool: " << read.error << "\n";
    return kUsageError;
  }
  {
    // The program would now hold the defaults; sending those instead is never what was meant.
    EditorHooks editor;
    SetupDocument trial(editor);
    if (trial.Load(bytes, args.file) != LoadOutcome::Opened) {
      std::cerr << kInvalidConfigFileText << "\n";
      return kUsageError;
    }
  }
  if (!args.ports.empty())
    return SendToPorts(args.ports, bytes, args.file, args.updateNetwork);
  Session session;
  if (!KeepToPort(args.port, session))
    return kUsageError;
  SetupDocument& document = session.device.host.Document();
  document.Load(bytes, args.file);
  document.SetNetworkSettingsEdited(args.updateNetwork);
  const bool sent = SendParameters(session.device.link);
  return Outcome("send", session, sent);
}

}  // namespace

bool IsDeviceCommand(const std::string& command) {
  return command == "find" || command == "read" || command == "send";
}

int RunDeviceCommand(const std::string& command, const std::vector<std::string>& args) {
  DeviceArgs parsed;
  if (std::string error; !ParseDeviceArgs(args, parsed, error))
    return UsageError(command + ": " + error);
  if (command == "find")
    return Find(parsed);
  if (command == "read")
    return Read(parsed);
  if (command == "send")
    return Send(parsed);
  return UsageError("unknown device command " + command);
}

std::string DeviceCommandsUsage() {
  return "  find [--port P]           find the interface (stored place first, then COM1..COM20,\n"
         "                            or only port P) and store where it is\n"
         "  find --all                every interface on every port, probed in parallel, one\n"
         "                            tab-separated line each: COMn, device, line settings,\n"
         "                            model, serial number (the stored place is not changed)\n"
         "  read -o FILE.mxs [--port P]\n"
         "                            read the interface's parameters into a configuration file\n"
         "  read --ports LIST -o DIR  read every interface of LIST into DIR/COMn.mxs\n"
         "  send FILE.mxs [--update-network] [--port P | --ports LIST]\n"
         "                            send a configuration file to the interface (or to every\n"
         "                            port of LIST); with --update-network a Network model takes\n"
         "                            the file's network settings instead of keeping its own\n"
         "  P is COMn or a device path; a LIST is a comma list of such, with ranges (COM1-COM8:\n"
         "  the ports of the range that exist). A port named takes no scan: the stored place when\n"
         "  it is there, else that port's rates and framings. LIST works on its ports in\n"
         "  parallel: a line per port (COMn, device, ok/failed/cancelled, what happened), a\n"
         "  summary on stderr, exit 0 only when every port succeeded.\n"
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
