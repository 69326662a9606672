#pragma once
// mxtool's device commands on many ports at once: find --all, read --ports, send --ports. Each port
// runs in a thread of its own with its own line, lock, link state, console host and copy of the
// stored place; a signal cancels them all. The setup program's window never works this way.

#include <cstdint>
#include <string>
#include <vector>

namespace mx::tool {

// Every interface on every mapped port: "COMn, path, line settings, model, serial number" lines,
// tab-separated. The stored place is probed where it lies but never changed. Exit 0 when one was
// found, 1 when none, 128 + the signal when cancelled.
int FindOnAllPorts();
// `list` as ParsePortList takes it. One result line a port (tab-separated: COMn, path, "ok",
// "failed" or "cancelled", what happened) and a summary on stderr. Exit 0 when every port
// succeeded, 1 when one failed, 2 for a bad list or folder, 128 + the signal when cancelled.
int ReadFromPorts(const std::string& list, const std::string& folder);
int SendToPorts(const std::string& list, const std::vector<uint8_t>& file, const std::string& name,
                bool updateNetwork);

}  // namespace mx::tool
