#include "apps/mxtool/FleetCommands.h"

#include <functional>
#include <iostream>
#include <sstream>
#include <thread>

#include "apps/mxtool/DeviceSession.h"
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

enum class Outcome { Succeeded, Failed, Cancelled };

struct PortResult {
  int port = 0;
  std::string path;
  Outcome outcome = Outcome::Failed;
  std::string detail;
};

// The machine's ports and the stored place, read once before the threads start; the threads only
// read them.
struct Fleet {
  SignalCancel signals;  // first in, last out: caught until every port is closed
  QSettingsStore store;
  PortMap ports = PortMap::FromSystem(&store);
  LinkSettings storedPlace;
  Fleet() { LoadLinkSettings(store, storedPlace); }
};

// One port's session with a private copy of the stored place, so that nothing a port does reaches
// the preferences; what its console host says is kept for the port's result line.
class PortWorker {
 public:
  PortWorker(int port, const Fleet& fleet) : session_(store_, fleet.ports, out_, err_, port) {
    if (fleet.storedPlace.portNumber != -1)
      SaveLinkSettings(store_, fleet.storedPlace);
  }
  DeviceSession& Session() { return session_; }
  const DeviceSession& Session() const { return session_; }
  // The message box texts shown, on one line.
  std::string Messages() const {
    std::istringstream lines(out_.str());
    std::string text;
    for (std::string line; std::getline(lines, line);) {
      line.erase(line.find_last_not_of(' ') + 1);
      if (!line.empty())
        text += (text.empty() ? "" : " ") + line;
    }
    return text;
  }

 private:
  MemoryPreferencesStore store_;
  std::ostringstream out_;
  std::ostringstream err_;  // progress lines, not shown: twenty ports at once would be noise
  DeviceSession session_;
};

using PortJob = std::function<void(PortWorker&, PortResult&)>;

// Runs `job` on every port at once, each in a thread of its own: the ports only wait on their
// lines, so twenty take as long as the slowest one.
std::vector<PortResult> RunOnPorts(const std::vector<int>& ports, const Fleet& fleet,
                                   const PortJob& job) {
  std::vector<PortResult> results(ports.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    results[i].port = ports[i];
    results[i].path = fleet.ports.PathOf(ports[i]).value_or("");
    threads.emplace_back([&fleet, &job, &result = results[i]] {
      PortWorker worker(result.port, fleet);
      job(worker, result);
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  return results;
}

// A failed command's result: cancelled by a signal, the holder of a busy port, or what the
// interface (or its absence) made the command say.
void Failed(const PortWorker& worker, PortResult& result, bool imageSent = false) {
  if (const int signal = SignalCancel::Caught()) {
    result.outcome = Outcome::Cancelled;
    result.detail = "cancelled (" + SignalCancel::Name(signal) + ")" +
                    (imageSent ? "; the image had already gone out and may have been taken" : "");
    return;
  }
  result.outcome = Outcome::Failed;
  const DeviceSession& session = worker.Session();
  const std::vector<PortInUse>& busy = session.state.portsInUse;
  const std::string& unavailable = session.host.LastUnavailable();
  result.detail = !busy.empty()          ? busy.front().holder
                  : !unavailable.empty() ? worker.Messages() + " (" + unavailable + ")"
                                         : worker.Messages();
}

// Table cells hold what the interface said; a tab or line break in it would shift the columns.
std::string Cell(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = ' ';
  }
  return text;
}

int Report(const std::string& command, const std::vector<PortResult>& results) {
  int counts[3] = {};
  for (const PortResult& r : results) {
    static constexpr const char* kWords[] = {"ok", "failed", "cancelled"};
    const int index = static_cast<int>(r.outcome);
    ++counts[index];
    std::cout << "COM" << r.port << "\t" << r.path << "\t" << kWords[index] << "\t" << r.detail
              << "\n";
  }
  std::cout.flush();
  std::cerr << command << ": " << counts[0] << " of " << results.size() << " port"
            << (results.size() == 1 ? "" : "s") << " succeeded, " << counts[1] << " failed"
            << (counts[2] ? ", " + std::to_string(counts[2]) + " cancelled" : "") << "\n";
  if (const int signal = SignalCancel::Caught()) {
    std::cerr << "mxtool: " << command << " cancelled (" << SignalCancel::Name(signal) << ")\n";
    return 128 + signal;
  }
  return counts[1] == 0 ? kOk : kDeviceFailure;
}

bool ChoosePorts(const std::string& list, const Fleet& fleet, std::vector<int>& ports) {
  const PortChoice choice = ParsePortList(list, fleet.ports, false);
  if (!choice.error.empty()) {
    std::cerr << "mxtool: " << choice.error << "\n";
    return false;
  }
  ports = choice.ports;
  return true;
}

std::string FileOfPort(const std::string& folder, int port) {
  return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + "COM" +
         std::to_string(port) + ".mxs";
}

}  // namespace

int FindOnAllPorts() {
  Fleet fleet;
  std::vector<int> mapped;
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    if (fleet.ports.PathOf(port))
      mapped.push_back(port);
  }
  std::vector<std::string> found(kLastComPort + 1), busy(kLastComPort + 1);
  RunOnPorts(mapped, fleet, [&](PortWorker& worker, PortResult& result) {
    DeviceSession& session = worker.Session();
    SerialPort port(session.link.line, session.link.clock, session.link.ports);
    if (!LocateInterface(session.link, port)) {
      for (const PortInUse& holder : session.state.portsInUse)
        busy[static_cast<std::size_t>(result.port)] = holder.holder;
      return;
    }
    const IdentityTexts& texts = session.state.identityTexts;
    const ModelInfo* model = ModelByIndex(session.host.CurrentModel());
    found[static_cast<std::size_t>(result.port)] =
        texts[0] + "\t" + Cell(session.state.portPath) + "\t" + texts[1] + "\t" +
        (model ? std::string(model->name) : "") + "\t" + Cell(texts[2]);
  });
  if (const int signal = SignalCancel::Caught()) {
    std::cerr << "mxtool: find cancelled (" << SignalCancel::Name(signal) << ")\n";
    return 128 + signal;
  }
  int count = 0;
  for (int port : mapped) {
    const auto index = static_cast<std::size_t>(port);
    if (!found[index].empty()) {
      std::cout << found[index] << "\n";
      ++count;
    }
    if (!busy[index].empty())
      std::cerr << fleet.ports.Describe(port) << " is " << busy[index] << "\n";
  }
  std::cout.flush();
  std::cerr << "find: " << count << " interface" << (count == 1 ? "" : "s") << " on "
            << mapped.size() << " port" << (mapped.size() == 1 ? "" : "s") << "\n";
  return count > 0 ? kOk : kDeviceFailure;
}

int ReadFromPorts(const std::string& list, const std::string& folder) {
  Fleet fleet;
  std::vector<int> ports;
  if (!ChoosePorts(list, fleet, ports))
    return kUsageError;
  // Minutes of transfers should not end in a folder that takes no files.
  for (int port : ports) {
    if (const FileResult target = CheckSaveTarget(FileOfPort(folder, port)); !target.ok) {
      std::cerr << "mxtool: " << target.error << "\n";
      return kUsageError;
    }
  }
  const auto results = RunOnPorts(ports, fleet, [&](PortWorker& worker, PortResult& result) {
    DeviceSession& session = worker.Session();
    session.link.probeHeldPorts = true;  // named in the list
    if (!ReadParameters(session.link))
      return Failed(worker, result);
    SetupDocument& document = session.host.Document();
    document.CommitPages();
    // The port and its lock are released; a signal caught until here still means no file.
    if (SignalCancel::Caught())
      return Failed(worker, result);
    const std::string path = FileOfPort(folder, result.port);
    const FileResult written =
        WriteFileAtomically(path, SerializeConfigFile(document.Image(), document.Extension()));
    result.outcome = written.ok ? Outcome::Succeeded : Outcome::Failed;
    result.detail = written.ok ? "saved " + path : written.error;
  });
  return Report("read", results);
}

int SendToPorts(const std::string& list, const std::vector<uint8_t>& file, const std::string& name,
                bool updateNetwork) {
  Fleet fleet;
  std::vector<int> ports;
  if (!ChoosePorts(list, fleet, ports))
    return kUsageError;
  const auto results = RunOnPorts(ports, fleet, [&](PortWorker& worker, PortResult& result) {
    DeviceSession& session = worker.Session();
    session.link.probeHeldPorts = true;  // named in the list
    SetupDocument& document = session.host.Document();
    document.Load(file, name);  // the caller has checked that the file opens
    document.SetNetworkSettingsEdited(updateNetwork);
    if (!SendParameters(session.link))
      return Failed(worker, result, session.host.ImageSent());
    result.outcome = Outcome::Succeeded;
    result.detail = worker.Messages();
  });
  return Report("send", results);
}

}  // namespace mx::tool
