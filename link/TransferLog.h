#pragma once
// The record of what was sent where: one JSON line per send, appended to
// $XDG_STATE_HOME/mxsetup/transfers.jsonl (~/.local/state/... when the variable is unset). The
// setup program's Send and mxtool's send and apply write it; `mxtool log` reads it. A record that
// cannot be written never turns a transfer into a failure: the caller warns and goes on.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/LinkState.h"

namespace mx {

struct TransferRecord {
  std::string time;  // ISO 8601 with the zone's offset; filled in by MakeTransferRecord
  std::string user;
  std::string host;
  std::string port;  // "COM3"
  std::string device;
  std::string serial;
  std::string model;
  std::string file;    // the configuration file's path as given
  std::string sha256;  // of the image sent, in hex
  std::string outcome;
  std::string message;
};

// Time, user and host name now, the port, device, serial number and model from the link's state
// after the transfer, and the image's digest.
TransferRecord MakeTransferRecord(const LinkState& state, const std::string& model,
                                  std::span<const uint8_t> image, const std::string& file);

std::string TransferLogPath();

struct [[nodiscard]] TransferLogResult {
  bool ok = false;
  std::string error;  // for a warning: the path and the reason
};

// Appends one line; safe to call from several threads of one process at once.
TransferLogResult AppendTransferRecord(const TransferRecord& record);

// The log's records, oldest first; lines that are not records are skipped.
struct TransferLogRead {
  bool ok = false;  // false only when the log exists but cannot be read
  std::string error;
  std::vector<TransferRecord> records;
};
TransferLogRead ReadTransferLog(const std::string& path);

}  // namespace mx
