#pragma once
// `--vars TABLE.csv`: values per interface for the fleet commands. The first row names the
// columns: `serial` or `port` (the key), the others elements as `set` names them (`ipAddress`,
// `basePort`, `description`, `gageType[A]`). Each later row is one interface; a cell is a plain
// value (a text is the text itself, an address a dotted quad) and an empty cell keeps the file's.
// Rows are counted as lines of the file, the header being row 1.

#include <string>
#include <vector>

#include "core/ExtensionBlock.h"
#include "core/ParameterImage.h"
#include "json/ImageEdit.h"

namespace mx::tool {

struct VarsRow {
  int row = 0;
  std::string key;
  std::vector<std::string> cells;  // one per column after the key
};

struct VarsTable {
  std::string path;
  bool bySerial = true;
  std::vector<std::string> columns;  // the elements, without the key
  std::vector<VarsRow> rows;

  // The row of the interface with this serial number or on this port ("COM3" in any case, or its
  // device path); nullptr when none.
  const VarsRow* Find(const std::string& serial, const std::string& port,
                      const std::string& device) const;
  // True when the row sets the whole address or one of its octets.
  bool GivesAddress(const VarsRow& row) const;
};

struct VarsProblem {
  bool ok = false;
  std::string error;  // "TABLE.csv: row 3, column basePort: ..."
};

// Reads and splits the CSV (RFC 4180 quoting, LF or CRLF).
VarsProblem LoadVarsTable(const std::string& path, VarsTable& table);
// The row applied to a file's image as `set` applies it. The error names the row and column.
EditedImage ApplyVarsRow(const VarsTable& table, const VarsRow& row, const ParameterImage& image,
                         const ExtensionBlock& extension);
// Every row applied to the file's image, so that no bad cell is found half way through a fleet;
// also refuses two rows that give the same address.
VarsProblem CheckVarsTable(const VarsTable& table, const ParameterImage& image,
                           const ExtensionBlock& extension);

}  // namespace mx::tool
