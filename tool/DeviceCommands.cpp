// mxtool find, read and send: the setup program's Find, Read and Send on the console.
#include "tool/DeviceCommands.h"

#include <iostream>

#include "core/ConfigFile.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
#include "link/QSettingsStore.h"
#include "link/TransferLog.h"
#include "tool/DeviceSession.h"
#include "tool/ExitCodes.h"
#include "tool/FileCommands.h"
#include "tool/FleetCommands.h"
#include "tool/LogCommand.h"
#include "tool/PortList.h"
#include "tool/SignalCancel.h"

namespace mx::tool {
namespace {

int UsageError(const std::string& problem) {
  std::cerr << "mxtool: " << problem << "\n" << DeviceCommandsUsage();
  return kUsage;
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
  FleetOptions fleet;  // --json, --vars, --update-network, --check, --diff
};

// False with `error` for the user when an argument is unknown or given twice.
bool ParseDeviceArgs(const std::vector<std::string>& args, DeviceArgs& parsed, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* value = arg == "-o" || arg == "--output" ? &parsed.output
                         : arg == "--port"                ? &parsed.port
                         : arg == "--ports"               ? &parsed.ports
                         : arg == "--vars"                ? &parsed.fleet.vars
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
      parsed.fleet.updateNetwork = true;
    } else if (arg == "--json") {
      parsed.fleet.json = true;
    } else if (arg == "--check") {
      parsed.fleet.check = true;
    } else if (arg == "--diff") {
      parsed.fleet.diff = true;
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
  return kCancelledBase + signal;
}

// The exit code of a device command that ran in `session`. One whose scan found nothing ends
// naming the ports that other programs hold: the likeliest reason.
int Outcome(const std::string& command, Session& session, bool ok) {
  if (const int code = CancelledCode(command, session.device.host.ImageWentOut()))
    return code;
  if (!ok)
    session.device.host.PrintPortsInUse();
  return ok ? kOk : kDeviceFailure;
}

// True when an option that only some commands take was given.
bool HasFleetOptions(const DeviceArgs& args, bool json) {
  const FleetOptions& o = args.fleet;
  return (json && o.json) || !o.vars.empty() || o.updateNetwork || o.check || o.diff;
}

int Find(const DeviceArgs& args) {
  if (!args.file.empty() || !args.output.empty() || !args.ports.empty() ||
      HasFleetOptions(args, !args.all) || (args.all && !args.port.empty()))
    return UsageError("find takes --port P or --all [--json], nothing else");
  if (args.all)
    return FindOnAllPorts(args.fleet.json);
  Session session;
  if (!KeepToPort(args.port, session))
    return kUsage;
  const int code = Outcome("find", session, RunFindCommand(session.device.link));
  if (code == kOk)
    session.device.host.PrintConnection();
  return code;
}

int Read(const DeviceArgs& args) {
  if (!args.file.empty() || args.all || HasFleetOptions(args, args.ports.empty()) ||
      args.output.empty() || (!args.port.empty() && !args.ports.empty()))
    return UsageError("read needs -o FILE.mxs [--port P], or --ports LIST -o DIR [--json]");
  if (!args.ports.empty())
    return ReadFromPorts(args.ports, args.output, args.fleet.json);
  // A transfer can take minutes; a file that cannot be saved should fail before it, not after.
  if (const FileResult target = CheckSaveTarget(args.output); !target.ok) {
    std::cerr << "mxtool: " << target.error << "\n";
    return kUsage;
  }
  std::vector<uint8_t> file;
  {
    Session session;
    if (!KeepToPort(args.port, session))
      return kUsage;
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
    return kUsage;
  }
  std::cerr << "Saved " << args.output << "\n";
  return kOk;
}

// The configuration file of send and apply, checked before any port is opened; false after
// saying why.
bool ReadConfiguration(const std::string& path, std::vector<uint8_t>& bytes) {
  if (const FileResult read = ReadInput(path, bytes, kConfigFileSize); !read.ok) {
    std::cerr << "mxtool: " << read.error << "\n";
    return false;
  }
  // The program would now hold the defaults; sending those instead is never what was meant.
  EditorHooks editor;
  SetupDocument trial(editor);
  if (trial.Load(bytes, path) != LoadOutcome::Opened) {
    std::cerr << kInvalidConfigFileText << "\n";
    return false;
  }
  return true;
}

int Send(const DeviceArgs& args) {
  if (args.file.empty() || !args.output.empty() || args.all || args.fleet.check ||
      args.fleet.diff || (!args.port.empty() && !args.ports.empty()))
    return UsageError(
        "send needs FILE.mxs [--update-network] [--vars TABLE.csv] [--json] [--port P | --ports "
        "LIST]");
  std::vector<uint8_t> bytes;
  if (!ReadConfiguration(args.file, bytes))
    return kUsage;
  // A table or JSON lines are the fleet's, also for one port.
  if (!args.ports.empty() || args.fleet.json || !args.fleet.vars.empty())
    return SendToPorts(args.ports.empty() ? args.port : args.ports, bytes, args.file, args.fleet);
  Session session;
  if (!KeepToPort(args.port, session))
    return kUsage;
  SetupDocument& document = session.device.host.Document();
  if (document.Load(bytes, args.file) != LoadOutcome::Opened)
    return kUsage;  // ReadConfiguration has said why
  document.SetNetworkSettingsEdited(args.fleet.updateNetwork);
  const bool sent = SendParameters(session.device.link);
  const ModelInfo* model = ModelByIndex(session.device.host.CurrentModel());
  if (session.device.host.ImageWentOut()) {
    TransferRecord record =
        MakeTransferRecord(session.device.state, model ? std::string(model->name) : "",
                           document.Image().Bytes(), args.file);
    record.outcome = sent ? "ok" : "failed";
    if (const TransferLogResult logged = AppendTransferRecord(record); !logged.ok)
      std::cerr << "mxtool: warning: the transfer log was not written: " << logged.error << "\n";
  }
  return Outcome("send", session, sent);
}

int Apply(const DeviceArgs& args) {
  const std::string& list = args.ports.empty() ? args.port : args.ports;
  if (args.file.empty() || !args.output.empty() || args.all || list.empty() ||
      (!args.port.empty() && !args.ports.empty()))
    return UsageError(
        "apply needs FILE.mxs (--port P | --ports LIST) [--vars TABLE.csv] [--update-network] "
        "[--check] [--diff] [--json]");
  if (!args.port.empty() && args.port.find(',') != std::string::npos)
    return UsageError("--port takes one port: " + args.port);
  std::vector<uint8_t> bytes;
  if (!ReadConfiguration(args.file, bytes))
    return kUsage;
  return ApplyToPorts(list, bytes, args.file, args.fleet);
}

// What COM1..COM20 mean on this machine now; the shell's completion offers these.
int Ports(const std::vector<std::string>& args) {
  if (!args.empty())
    return UsageError("ports takes no arguments");
  QSettingsStore store;
  const PortMap ports = PortMap::FromSystem(&store);
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    if (const std::optional<std::string> path = ports.PathOf(port))
      std::cout << "COM" << port << "\t" << *path << "\n";
  }
  return kOk;
}

}  // namespace

bool IsDeviceCommand(const std::string& command) {
  return command == "find" || command == "read" || command == "send" || command == "apply" ||
         command == "log" || command == "ports";
}

int RunDeviceCommand(const std::string& command, const std::vector<std::string>& args) {
  if (command == "log")
    return RunLogCommand(args);
  if (command == "ports")
    return Ports(args);
  DeviceArgs parsed;
  if (std::string error; !ParseDeviceArgs(args, parsed, error))
    return UsageError(command + ": " + error);
  if (command == "find")
    return Find(parsed);
  if (command == "read")
    return Read(parsed);
  if (command == "send")
    return Send(parsed);
  if (command == "apply")
    return Apply(parsed);
  return UsageError("unknown device command " + command);
}

std::string DeviceCommandsUsage() {
  return "  ports                     the ports of this machine, one a line: COMn, a tab, device\n"
         "  find [--port P]           find the interface (stored place first, then COM1..COM20,\n"
         "                            or only port P) and store where it is\n"
         "  find --all [--json]       every interface on every port, probed in parallel, one\n"
         "                            tab-separated line each: COMn, device, line settings,\n"
         "                            model, serial number (the stored place is not changed)\n"
         "  read -o FILE.mxs [--port P]\n"
         "                            read the interface's parameters into a configuration file\n"
         "  read --ports LIST -o DIR [--json]\n"
         "                            read every interface of LIST into DIR/COMn.mxs\n"
         "  send FILE.mxs [--update-network] [--vars TABLE.csv] [--json] [--port P | --ports "
         "LIST]\n"
         "                            send a configuration file to the interface (or to every\n"
         "                            port of LIST); with --update-network a Network model takes\n"
         "                            the file's network settings instead of keeping its own\n"
         "  apply FILE.mxs (--port P | --ports LIST) [--vars TABLE.csv] [--update-network]\n"
         "        [--check] [--diff] [--json]\n"
         "                            make every interface hold the file: read it, send only when\n"
         "                            what a send would leave differs, read back; each ends\n"
         "                            unchanged, changed (would change with --check, which sends\n"
         "                            nothing) or failed; --diff adds the differences; exit 0\n"
         "                            all hold it, 3 with --check when one would change, 1 when\n"
         "                            one failed\n"
         "  log [--since DATE] [--serial N]\n"
         "                            what send and apply sent where (the transfer log in\n"
         "                            $XDG_STATE_HOME/mxsetup/transfers.jsonl)\n"
         "  --vars TABLE.csv: a row per interface, keyed by a column \"serial\" or \"port\", the\n"
         "  other columns named as set names fields (ipAddress, basePort, description,\n"
         "  gageType[A]); a cell is a plain value, an empty cell keeps the file's. With more than\n"
         "  one Network interface, --update-network needs each to get its own ipAddress.\n"
         "  --json: one JSON object a line per interface as it finishes, a summary line last.\n"
         "  P is COMn or a device path; a LIST is a comma list of such, with ranges (COM1-COM8:\n"
         "  the ports of the range that exist) and patterns of paths (/dev/serial/by-id/*); in a\n"
         "  LIST a device need not be one of COM1..COM20. A port named takes no scan: the stored\n"
         "  place when it is there, else that port's rates and framings. LIST works on its ports\n"
         "  in parallel: a line per port as it finishes (port, device, ok/failed/cancelled,\n"
         "  serial number, model, what happened; tabs and line breaks in a field as \\t and\n"
         "  \\n), a summary on stderr, exit 0 only when every port succeeded.\n"
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
