#pragma once
// The lines of the fleet commands, printed as each interface finishes so that a run cut short
// still says what was done: tab-separated (port, device, outcome, serial number, model, message)
// or, with --json, one JSON object a line and a summary line last.

#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace mx::tool {

struct FieldChange {
  std::string field;
  std::string from;
  std::string to;
};

struct FleetLine {
  std::string port;  // "COM3", or the device path when the list named a path
  std::string device;
  std::string serial;
  std::string model;
  std::string outcome;  // "ok", "failed", "unchanged", ...
  std::string message;
  bool hasChanges = false;  // apply and diff: "changes" is written, empty or not
  std::vector<FieldChange> changes;
  std::vector<std::string> below;  // tab-separated form only: lines printed under this one
  bool hasLine = false;            // find: the line settings
  int baud = 0;
  std::string parity;
  int dataBits = 0;
  int stopBits = 0;
};

// A field made safe for a column: a tab, line break or backslash as "\t", "\n", "\\", other
// control characters as "\xNN".
std::string EscapeCell(const std::string& text);
// One line of JSON, without the line break.
std::string JsonLine(const FleetLine& line);
// Only the "changes" of a line, for a diff of two files (no interface to name).
std::string ChangesJson(const FleetLine& line);
// "ipAddress: 192.168.0.10 -> 192.168.0.21" as a change; false for a line of another shape.
bool ParseDiffLine(const std::string& line, FieldChange& change);

class FleetPrinter {
 public:
  FleetPrinter(std::ostream& out, bool json) : out_(out), json_(json) {}
  // Thread-safe; written and flushed at once.
  void Print(const FleetLine& line);
  // The JSON summary line; nothing in the tab-separated form (its summary goes to stderr).
  void PrintSummary(std::size_t total);
  int Count(const std::string& outcome) const;
  bool Json() const { return json_; }

 private:
  std::ostream& out_;
  bool json_;
  mutable std::mutex mutex_;
  std::vector<std::string> order_;  // outcomes in the order they first occurred
  std::map<std::string, int> counts_;
};

}  // namespace mx::tool
