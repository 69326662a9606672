#pragma once
// mxtool's device commands on many ports at once: find --all, read --ports, send --ports and
// apply. Each port runs in a thread of its own with its own line, lock, link state, console host
// and copy of the stored place; a signal cancels them all. The setup program's window never works
// this way.

#include <cstdint>
#include <string>
#include <vector>

namespace mx::tool {

struct FleetOptions {
  bool json = false;
  std::string vars;  // --vars TABLE.csv
  bool updateNetwork = false;
  bool check = false;  // apply: send nothing
  bool diff = false;   // apply: the differences per interface
};

// Every interface on every mapped port: a line each as it is found (tab-separated: COMn, path,
// line settings, model, serial number; or JSON). The stored place is probed where it lies but
// never changed. Exit 0 when one was found, 1 when none, 128 + the signal when cancelled.
int FindOnAllPorts(bool json);
// `list` as ParsePortList takes it. One result line a port as it finishes (tab-separated: port,
// path, "ok", "failed" or "cancelled", serial number, model, what happened; or JSON) and a
// summary. Exit 0 when every port succeeded, 1 when one failed, 2 for a bad list, folder, file or
// table (nothing sent then), 128 + the signal when cancelled.
int ReadFromPorts(const std::string& list, const std::string& folder, bool json);
int SendToPorts(const std::string& list, const std::vector<uint8_t>& file, const std::string& name,
                const FleetOptions& options);
// The file's configuration ensured on every port: read, compared with what a send would leave,
// sent only when that differs, read back. Exit 0 all hold it, 3 with --check when one would
// change, 1 when one failed, 2 usage and file errors.
int ApplyToPorts(const std::string& list, const std::vector<uint8_t>& file, const std::string& name,
                 const FleetOptions& options);

}  // namespace mx::tool
