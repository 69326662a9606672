#include "tool/FleetRun.h"

#include <barrier>
#include <iostream>
#include <thread>

namespace mx::tool {

namespace {

// The port a worker's session uses: a device beyond COM1..COM20 becomes COM1 of its own map, which
// no other worker sees.
int SessionPort(const FleetPort& port) {
  return port.number != 0 ? port.number : kFirstComPort;
}

PortMap OwnMap(const FleetPort& port) {
  PortMap map;
  if (port.number == 0)
    map.Set(kFirstComPort, port.device);
  return map;
}

}  // namespace

PortWorker::PortWorker(const FleetPort& port, const Fleet& fleet)
    : ownPort_(OwnMap(port)),
      session_(store_, port.number != 0 ? fleet.ports : ownPort_, out_, err_, SessionPort(port)) {
  session_.link.probeHeldPorts = fleet.probeHeldPorts;
  // The stored place belongs to a mapped port; a device of its own map never matches it.
  if (port.number != 0 && fleet.storedPlace.portNumber != -1)
    SaveLinkSettings(store_, fleet.storedPlace);
}

std::string PortWorker::TakeMessages() {
  std::istringstream lines(out_.str());
  out_.str("");
  std::string text;
  for (std::string line; std::getline(lines, line);) {
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty())
      text += (text.empty() ? "" : " ") + line;
  }
  return text;
}

void PortWorker::NoteIdentity() {
  // After a failure the texts are gone, and the model is the file's, not the interface's.
  if (session_.state.identityTexts[0].empty())
    return;
  serial_ = session_.state.identityTexts[2];
  if (const ModelInfo* model = ModelByIndex(session_.host.CurrentModel()))
    model_ = model->name;
}

std::vector<FleetPort> FleetPorts(const PortChoice& choice, const PortMap& ports) {
  std::vector<FleetPort> list;
  for (std::size_t i = 0; i < choice.ports.size(); ++i) {
    const int number = choice.ports[i];
    const std::string& named = i < choice.named.size() ? choice.named[i] : std::string();
    list.push_back({number, named.empty() ? "COM" + std::to_string(number) : named,
                    number != 0 ? ports.PathOf(number).value_or("") : named});
  }
  return list;
}

bool ChooseFleetPorts(const std::string& list, const Fleet& fleet, std::vector<FleetPort>& ports) {
  const PortChoice choice = ParsePortList(list, fleet.ports, false);
  if (!choice.error.empty()) {
    std::cerr << "mxtool: " << choice.error << "\n";
    return false;
  }
  ports = FleetPorts(choice, fleet.ports);
  return true;
}

void RunOnPorts(const std::vector<FleetPort>& ports, const Fleet& fleet,
                const std::function<void(PortWorker&, const FleetPort&)>& job) {
  std::vector<std::thread> threads;
  for (const FleetPort& port : ports) {
    threads.emplace_back([&fleet, &job, &port] {
      PortWorker worker(port, fleet);
      job(worker, port);
    });
  }
  for (std::thread& thread : threads)
    thread.join();
}

void RunInTwoSteps(const std::vector<FleetPort>& ports, const Fleet& fleet,
                   const std::function<bool(PortWorker&, const FleetPort&)>& first,
                   const std::function<bool()>& decide,
                   const std::function<void(PortWorker&, const FleetPort&)>& second) {
  bool go = false;
  auto decided = [&]() noexcept { go = decide(); };
  std::barrier gate(static_cast<std::ptrdiff_t>(ports.size()), decided);
  RunOnPorts(ports, fleet, [&](PortWorker& worker, const FleetPort& port) {
    if (!first(worker, port)) {
      gate.arrive_and_drop();
      return;
    }
    gate.arrive_and_wait();
    if (go)
      second(worker, port);
  });
}

FleetLine FailedLine(PortWorker& worker, const FleetPort& port, bool imageSent) {
  FleetLine line = IdentifiedLine(worker, port, "failed", "");
  if (const int signal = SignalCancel::Caught()) {
    line.outcome = "cancelled";
    line.message = "cancelled (" + SignalCancel::Name(signal) + ")" +
                   (imageSent ? "; the image had already gone out and may have been taken" : "");
    return line;
  }
  const DeviceSession& session = worker.Session();
  const std::vector<PortInUse>& busy = session.state.portsInUse;
  const std::string& unavailable = session.host.LastUnavailable();
  line.message = !busy.empty()          ? busy.front().holder
                 : !unavailable.empty() ? worker.TakeMessages() + " (" + unavailable + ")"
                                        : worker.TakeMessages();
  return line;
}

FleetLine IdentifiedLine(const PortWorker& worker, const FleetPort& port, std::string outcome,
                         std::string message) {
  FleetLine line = port.Line();
  line.serial = worker.Serial();
  line.model = worker.ModelName();
  line.outcome = std::move(outcome);
  line.message = std::move(message);
  return line;
}

int FinishFleet(const std::string& command, FleetPrinter& printer, std::size_t total) {
  printer.PrintSummary(total);
  const int failed = printer.Count("failed");
  const int cancelled = printer.Count("cancelled");
  if (!printer.Json()) {
    const int succeeded = static_cast<int>(total) - failed - cancelled;
    std::cerr << command << ": " << succeeded << " of " << total << " port"
              << (total == 1 ? "" : "s") << " succeeded, " << failed << " failed"
              << (cancelled ? ", " + std::to_string(cancelled) + " cancelled" : "") << "\n";
  }
  if (const int signal = SignalCancel::Caught()) {
    std::cerr << "mxtool: " << command << " cancelled (" << SignalCancel::Name(signal) << ")\n";
    return 128 + signal;
  }
  return failed == 0 ? kOk : kDeviceFailure;
}

}  // namespace mx::tool
