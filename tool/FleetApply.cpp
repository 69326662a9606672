// mxtool apply: a configuration ensured on a fleet. Each interface is read, the file is made into
// what a send would leave in it, and only when that differs from what it holds is it sent and
// read back.
#include <iostream>
#include <map>
#include <mutex>

#include "json/ImageEdit.h"
#include "link/ParameterTransfer.h"
#include "tool/FleetCommands.h"
#include "tool/FleetPlan.h"
#include "tool/FleetRun.h"

namespace mx::tool {
namespace {

// What the first step found on one port, for the second.
struct PortPlan {
  ParameterImage held;
  ParameterImage wanted;
  ExtensionBlock extension;
  std::string conversion;
};

// The image fields that differ, as diff writes them; the extension block is the file's alone and
// never goes to the interface.
std::vector<std::string> Differences(const PortPlan& plan) {
  return DiffImages(plan.held, plan.extension, plan.wanted, plan.extension);
}

void AddChanges(const std::vector<std::string>& lines, FleetLine& line) {
  line.hasChanges = true;
  for (const std::string& text : lines) {
    if (FieldChange change; ParseDiffLine(text, change))
      line.changes.push_back(change);
  }
}

std::string Joined(const std::string& a, const std::string& b) {
  return a.empty() ? b : b.empty() ? a : a + "; " + b;
}

class Apply {
 public:
  Apply(const FleetFile& file, const FleetOptions& options, FleetPrinter& printer)
      : file_(file), options_(options), printer_(printer) {}

  bool Read(PortWorker& worker, const FleetPort& port, FleetCensus& census) {
    DeviceSession& session = worker.Session();
    if (!ReadParameters(session.link)) {
      Print(FailedLine(worker, port), {});
      return false;
    }
    worker.NoteIdentity();
    const ModelIndex model = session.host.CurrentModel();
    census.Note(port, worker, model);
    PortPlan& plan = Plan(port);
    session.host.Document().CommitPages();
    plan.held = session.host.Document().Image();
    std::string error;
    const VarsRow* row = RowFor(file_, worker, port, error);
    const Prepared prepared = error.empty()
                                  ? PrepareImage(session.host, file_, row, model, &plan.held)
                                  : Prepared{false, error, ""};
    if (!prepared.ok) {
      Print(IdentifiedLine(worker, port, "failed", prepared.error), {});
      return false;
    }
    plan.wanted = session.host.Document().Image();
    plan.extension = session.host.Document().Extension();
    plan.conversion = prepared.conversion;
    return true;
  }

  void Ensure(PortWorker& worker, const FleetPort& port) {
    const PortPlan& plan = Plan(port);
    const std::vector<std::string> differences = Differences(plan);
    if (differences.empty())
      return Print(IdentifiedLine(worker, port, "unchanged", plan.conversion), differences);
    if (options_.check)
      return Print(IdentifiedLine(worker, port, "would change", plan.conversion), differences);
    DeviceSession& session = worker.Session();
    if (!SendParameters(session.link)) {
      FleetLine line = FailedLine(worker, port, session.host.ImageWentOut());
      if (session.host.ImageWentOut())
        LogTransfer(worker, port, session.host.Document().Image(), file_.name, line.outcome,
                    line.message);
      return Print(line, differences);
    }
    const ParameterImage sent = session.host.Document().Image();
    worker.TakeMessages();
    FleetLine line = IdentifiedLine(worker, port, "changed", plan.conversion);
    if (!ReadParameters(session.link)) {
      line = FailedLine(worker, port);
      line.message = Joined("sent, but not read back: " + line.message, plan.conversion);
    } else {
      session.host.Document().CommitPages();
      const std::vector<std::string> left =
          DiffImages(session.host.Document().Image(), plan.extension, plan.wanted, plan.extension);
      if (!left.empty()) {
        line.outcome = "failed";
        line.message = Joined("read back differs: " + left.front(), plan.conversion);
      }
    }
    LogTransfer(worker, port, sent, file_.name, line.outcome, line.message);
    Print(line, differences);
  }

 private:
  // Each port's thread only touches its own plan; the map's elements stay where they are.
  PortPlan& Plan(const FleetPort& port) {
    std::lock_guard lock(mutex_);
    return plans_[port.name];
  }

  // The line with its changes; without --json, --diff puts the differences under it.
  void Print(FleetLine line, const std::vector<std::string>& differences) {
    AddChanges(differences, line);
    if (options_.diff)
      line.below = differences;
    printer_.Print(line);
  }

  const FleetFile& file_;
  const FleetOptions& options_;
  FleetPrinter& printer_;
  std::mutex mutex_;
  std::map<std::string, PortPlan> plans_;
};

}  // namespace

int ApplyToPorts(const std::string& list, const std::vector<uint8_t>& bytes,
                 const std::string& name, const FleetOptions& options) {
  Fleet fleet;
  std::vector<FleetPort> ports;
  FleetFile file;
  if (!ChooseFleetPorts(list, fleet, ports) || !LoadFleetFile(bytes, name, options, file))
    return kUsage;
  FleetPrinter printer(std::cout, options.json);
  FleetCensus census;
  Apply apply(file, options, printer);
  std::string refusal;
  RunInTwoSteps(
      ports, fleet,
      [&](PortWorker& worker, const FleetPort& port) { return apply.Read(worker, port, census); },
      [&] {
        refusal = census.Refusal(file);
        return refusal.empty() && !SignalCancel::Caught();
      },
      [&](PortWorker& worker, const FleetPort& port) { apply.Ensure(worker, port); });
  if (!refusal.empty()) {
    std::cerr << "mxtool: " << refusal << "\n";
    return kUsage;
  }
  const int code = FinishFleet("apply", printer, ports.size());
  if (code != kOk)
    return code;
  return printer.Count("would change") > 0 ? kWouldChange : kOk;
}

}  // namespace mx::tool
