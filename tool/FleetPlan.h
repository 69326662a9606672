#pragma once
// What send and apply work out per interface before they change any: the table row it gets, the
// refusal of one address for several Network interfaces, the file as a send would leave it in the
// interface, and the transfer log's line.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/ModelTable.h"
#include "link/HeadlessCommandHost.h"
#include "tool/FleetCommands.h"
#include "tool/FleetRun.h"
#include "tool/VarsTable.h"

namespace mx::tool {

// The file and the table, checked before any port is opened.
struct FleetFile {
  std::vector<uint8_t> bytes;
  std::string name;
  std::optional<VarsTable> vars;
  bool updateNetwork = false;
};
// Loads and checks --vars against the file; false after saying why on stderr.
bool LoadFleetFile(const std::vector<uint8_t>& bytes, const std::string& name,
                   const FleetOptions& options, FleetFile& file);

// What the first step learnt of the interfaces, for the decision before the second.
class FleetCensus {
 public:
  void Note(const FleetPort& port, const PortWorker& worker, ModelIndex model);
  // Empty when the second step may go on; else why not, for the user.
  std::string Refusal(const FleetFile& file) const;

 private:
  struct Entry {
    std::string port;
    std::string serial;
    ModelIndex model;
    std::string device;
  };
  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
};

// The row of --vars for the interface the worker identified; nullptr with `error` set when the
// table has none (or there is no table, with `error` empty).
const VarsRow* RowFor(const FleetFile& file, const PortWorker& worker, const FleetPort& port,
                      std::string& error);

struct Prepared {
  bool ok = false;
  std::string error;
  std::string conversion;  // "converted from Mesurix3 Plus to Mesurix5 Network", or ""
};
// Loads the file into the host's document as a send to an interface of `model` would leave it:
// the row applied, the model's rules, and unless --update-network a Network model's own address,
// port and mode from `held`. `held` may be null (a plain send, which reads the interface's own).
Prepared PrepareImage(HeadlessCommandHost& host, const FleetFile& file, const VarsRow* row,
                      ModelIndex model, const ParameterImage* held);

// The transfer log's line for a send that ended `outcome`; a log that cannot be written is a
// warning on stderr.
void LogTransfer(const PortWorker& worker, const FleetPort& port, const ParameterImage& image,
                 const std::string& file, const std::string& outcome, const std::string& message);

}  // namespace mx::tool
