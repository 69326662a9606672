#include "tool/FleetPlan.h"

#include <iostream>

#include "core/ImageOperations.h"
#include "link/TransferLog.h"

namespace mx::tool {

bool LoadFleetFile(const std::vector<uint8_t>& bytes, const std::string& name,
                   const FleetOptions& options, FleetFile& file) {
  file.bytes = bytes;
  file.name = name;
  file.updateNetwork = options.updateNetwork;
  if (options.vars.empty())
    return true;
  VarsTable table;
  VarsProblem problem = LoadVarsTable(options.vars, table);
  if (problem.ok) {
    EditorHooks editor;
    SetupDocument document(editor);
    [[maybe_unused]] const LoadOutcome opened =
        document.Load(bytes, name);  // the caller has checked that the file opens
    problem = CheckVarsTable(table, document.Image(), document.Extension());
  }
  if (!problem.ok) {
    std::cerr << "mxtool: " << problem.error << "\n";
    return false;
  }
  file.vars = std::move(table);
  return true;
}

void FleetCensus::Note(const FleetPort& port, const PortWorker& worker, ModelIndex model) {
  std::lock_guard lock(mutex_);
  entries_.push_back({port.name, worker.Serial(), model, port.device});
}

std::string FleetCensus::Refusal(const FleetFile& file) const {
  std::lock_guard lock(mutex_);
  if (!file.updateNetwork)
    return "";
  std::vector<const Entry*> network;
  for (const Entry& entry : entries_) {
    if (IsNetworkModel(entry.model))
      network.push_back(&entry);
  }
  if (network.size() < 2)
    return "";
  for (const Entry* entry : network) {
    const VarsRow* row =
        file.vars ? file.vars->Find(entry->serial, entry->port, entry->device) : nullptr;
    if (!row || !file.vars->GivesAddress(*row)) {
      return "--update-network would give " + std::to_string(network.size()) +
             " Network interfaces one address: --vars must give each its own ipAddress (" +
             entry->port + (entry->serial.empty() ? "" : ", serial number " + entry->serial) +
             " has none); nothing was sent";
    }
  }
  return "";
}

const VarsRow* RowFor(const FleetFile& file, const PortWorker& worker, const FleetPort& port,
                      std::string& error) {
  error.clear();
  if (!file.vars)
    return nullptr;
  const VarsRow* row = file.vars->Find(worker.Serial(), port.name, port.device);
  if (!row) {
    error =
        "no row of " + file.vars->path + " for " +
        (file.vars->bySerial ? "serial number \"" + worker.Serial() + "\"" : "port " + port.name);
  }
  return row;
}

Prepared PrepareImage(HeadlessCommandHost& host, const FleetFile& file, const VarsRow* row,
                      ModelIndex model, const ParameterImage* held) {
  Prepared prepared;
  SetupDocument& document = host.Document();
  if (document.Load(file.bytes, file.name) != LoadOutcome::Opened) {
    prepared.error = std::string(kInvalidConfigFileText);
    return prepared;
  }
  const ModelIndex fileModel = host.CurrentModel();
  if (row) {
    const EditedImage edited =
        ApplyVarsRow(*file.vars, *row, document.Image(), document.Extension());
    if (!edited.ok) {
      prepared.error = edited.error;
      return prepared;
    }
    document.Image() = edited.image;
    document.Extension() = edited.extension;
  }
  const ModelInfo* from = ModelByIndex(fileModel);
  const ModelInfo* to = ModelByIndex(model);
  if (from && to && from != to)
    prepared.conversion =
        "converted from " + std::string(from->name) + " to " + std::string(to->name);
  if (held) {
    // What the send itself does once it has found the interface.
    host.ModelSelect(model);
    if (IsNetworkModel(model) && !file.updateNetwork) {
      for (int i = 0; i < 4; ++i)
        document.Image().Set(fld::ipAddress, held->Get(fld::ipAddress, i), i);
      document.Image().Set(fld::basePort, held->Get(fld::basePort));
      document.Image().Set(fld::serverMode, held->Get(fld::serverMode));
    }
    host.CommitPages();
  }
  document.SetNetworkSettingsEdited(file.updateNetwork);
  prepared.ok = true;
  return prepared;
}

void LogTransfer(const PortWorker& worker, const FleetPort& port, const ParameterImage& image,
                 const std::string& file, const std::string& outcome, const std::string& message) {
  TransferRecord record =
      MakeTransferRecord(worker.Session().state, worker.ModelName(), image.Bytes(), file);
  record.port = port.name;
  record.device = port.device;
  record.serial = worker.Serial();
  record.outcome = outcome;
  record.message = message;
  if (const TransferLogResult logged = AppendTransferRecord(record); !logged.ok)
    std::cerr << "mxtool: warning: the transfer log was not written: " << logged.error << "\n";
}

}  // namespace mx::tool
