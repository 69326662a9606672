#include "tool/FleetCommands.h"

#include <iostream>

#include "core/ConfigFile.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
#include "tool/FleetPlan.h"
#include "tool/FleetRun.h"

namespace mx::tool {
namespace {

// DIR/COMn.mxs, or DIR/ttyUSB25.mxs for a device beyond COM1..COM20.
std::string FileOfPort(const std::string& folder, const FleetPort& port) {
  const std::string name = port.number != 0 ? "COM" + std::to_string(port.number)
                                            : port.name.substr(port.name.find_last_of('/') + 1);
  return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name + ".mxs";
}

// "19200-E-7-1" into the line's four settings.
void SplitLineSettings(const std::string& text, FleetLine& line) {
  line.hasLine = true;
  const std::size_t a = text.find('-'), b = text.find('-', a + 1), c = text.find('-', b + 1);
  if (c == std::string::npos)
    return;
  line.baud = std::atoi(text.substr(0, a).c_str());
  line.parity = text.substr(a + 1, b - a - 1);
  line.dataBits = std::atoi(text.substr(b + 1, c - b - 1).c_str());
  line.stopBits = std::atoi(text.substr(c + 1).c_str());
}

// Finds the interface on the worker's port; the census hears of it.
bool Locate(PortWorker& worker, const FleetPort& port, FleetCensus& census, FleetPrinter& printer) {
  DeviceSession& session = worker.Session();
  SerialPort serial(session.link.line, session.link.clock, session.link.ports);
  if (!LocateInterface(session.link, serial)) {
    printer.Print(FailedLine(worker, port));
    return false;
  }
  worker.NoteIdentity();
  census.Note(port, worker, session.host.CurrentModel());
  return true;
}

}  // namespace

int FindOnAllPorts(bool json) {
  Fleet fleet;
  fleet.probeHeldPorts = false;
  PortChoice mapped;
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    if (fleet.ports.PathOf(port))
      mapped.ports.push_back(port);
  }
  const std::vector<FleetPort> ports = FleetPorts(mapped, fleet.ports);
  FleetPrinter printer(std::cout, json);
  std::mutex mutex;
  int count = 0;
  RunOnPorts(ports, fleet, [&](PortWorker& worker, const FleetPort& port) {
    DeviceSession& session = worker.Session();
    SerialPort serial(session.link.line, session.link.clock, session.link.ports);
    const bool found = LocateInterface(session.link, serial);
    std::lock_guard lock(mutex);
    if (!found) {
      for (const PortInUse& holder : session.state.portsInUse)
        std::cerr << fleet.ports.Describe(port.number) << " is " << EscapeCell(holder.holder)
                  << "\n";
      if (json) {
        FleetLine line = FailedLine(worker, port);
        // Nothing answering is an answer of the search; a port that would not open is not.
        const bool opened =
            session.state.portsInUse.empty() && session.host.LastUnavailable().empty();
        if (line.outcome == "failed" && opened)
          line.outcome = "not found";
        printer.Print(line);
      }
      return;
    }
    ++count;
    worker.NoteIdentity();
    const IdentityTexts& texts = session.state.identityTexts;
    FleetLine line = IdentifiedLine(worker, port, "found", "");
    line.device = session.state.portPath;
    if (json) {
      SplitLineSettings(texts[1], line);
      printer.Print(line);
    } else {
      std::cout << texts[0] << "\t" << EscapeCell(line.device) << "\t" << texts[1] << "\t"
                << EscapeCell(line.model) << "\t" << EscapeCell(line.serial) << "\n"
                << std::flush;
    }
  });
  if (const int signal = SignalCancel::Caught()) {
    std::cerr << "mxtool: find cancelled (" << SignalCancel::Name(signal) << ")\n";
    return 128 + signal;
  }
  printer.PrintSummary(ports.size());
  std::cerr << "find: " << count << " interface" << (count == 1 ? "" : "s") << " on "
            << ports.size() << " port" << (ports.size() == 1 ? "" : "s") << "\n";
  return count > 0 ? kOk : kDeviceFailure;
}

int ReadFromPorts(const std::string& list, const std::string& folder, bool json) {
  Fleet fleet;
  std::vector<FleetPort> ports;
  if (!ChooseFleetPorts(list, fleet, ports))
    return kUsage;
  // Minutes of transfers should not end in a folder that takes no files.
  for (const FleetPort& port : ports) {
    if (const FileResult target = CheckSaveTarget(FileOfPort(folder, port)); !target.ok) {
      std::cerr << "mxtool: " << target.error << "\n";
      return kUsage;
    }
  }
  FleetPrinter printer(std::cout, json);
  RunOnPorts(ports, fleet, [&](PortWorker& worker, const FleetPort& port) {
    DeviceSession& session = worker.Session();
    if (!ReadParameters(session.link))
      return printer.Print(FailedLine(worker, port));
    worker.NoteIdentity();
    SetupDocument& document = session.host.Document();
    document.CommitPages();
    // The port and its lock are released; a signal caught until here still means no file.
    if (SignalCancel::Caught())
      return printer.Print(FailedLine(worker, port));
    const std::string path = FileOfPort(folder, port);
    const FileResult written =
        WriteFileAtomically(path, SerializeConfigFile(document.Image(), document.Extension()));
    printer.Print(IdentifiedLine(worker, port, written.ok ? "ok" : "failed",
                                 written.ok ? "saved " + path : written.error));
  });
  return FinishFleet("read", printer, ports.size());
}

int SendToPorts(const std::string& list, const std::vector<uint8_t>& bytes, const std::string& name,
                const FleetOptions& options) {
  Fleet fleet;
  std::vector<FleetPort> ports;
  FleetFile file;
  if (!ChooseFleetPorts(list, fleet, ports) || !LoadFleetFile(bytes, name, options, file))
    return kUsage;
  FleetPrinter printer(std::cout, options.json);
  FleetCensus census;
  std::string refusal;
  auto send = [&](PortWorker& worker, const FleetPort& port) {
    DeviceSession& session = worker.Session();
    std::string error;
    const VarsRow* row = RowFor(file, worker, port, error);
    const ModelIndex model = session.host.CurrentModel();
    const Prepared prepared = error.empty() ? PrepareImage(session.host, file, row, model, nullptr)
                                            : Prepared{false, error, ""};
    if (!prepared.ok)
      return printer.Print(IdentifiedLine(worker, port, "failed", prepared.error));
    const ModelIndex fileModel = session.host.CurrentModel();
    const bool sent = SendParameters(session.link);
    worker.NoteIdentity();
    FleetLine line = sent ? IdentifiedLine(worker, port, "ok", worker.TakeMessages())
                          : FailedLine(worker, port, session.host.ImageWentOut());
    const ModelInfo* from = ModelByIndex(fileModel);
    if (sent && from && from->name != worker.ModelName())
      line.message += "; converted from " + std::string(from->name) + " to " + worker.ModelName();
    if (session.host.ImageWentOut())
      LogTransfer(worker, port, session.host.Document().Image(), name, line.outcome, line.message);
    printer.Print(line);
  };
  // A table keyed by serial number, and the refusal of one address for several Network
  // interfaces, need to know every interface before any is sent to.
  if (file.vars || (options.updateNetwork && ports.size() > 1)) {
    RunInTwoSteps(
        ports, fleet,
        [&](PortWorker& worker, const FleetPort& port) {
          return Locate(worker, port, census, printer);
        },
        [&] {
          refusal = census.Refusal(file);
          return refusal.empty() && !SignalCancel::Caught();
        },
        send);
  } else {
    RunOnPorts(ports, fleet, send);
  }
  if (!refusal.empty()) {
    std::cerr << "mxtool: " << refusal << "\n";
    return kUsage;
  }
  return FinishFleet("send", printer, ports.size());
}

}  // namespace mx::tool
