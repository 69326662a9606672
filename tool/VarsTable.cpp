#include "tool/VarsTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <map>

#include "core/FieldCodes.h"
#include "core/FieldTable.h"
#include "tool/FileCommands.h"

namespace mx::tool {
namespace {

// Splits CSV text into rows of cells; false when a quote is left open.
bool SplitCsv(const std::string& text, std::vector<std::vector<std::string>>& rows) {
  std::vector<std::string> row(1);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
        row.back() += text[++i];
      else if (c == '"')
        quoted = false;
      else
        row.back() += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.emplace_back();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      i += c == '\r';
      rows.push_back(std::move(row));
      row.assign(1, "");
    } else {
      row.back() += c;
    }
  }
  if (row.size() > 1 || !row.front().empty())
    rows.push_back(std::move(row));
  return !quoted;
}

bool IsTextField(const std::string& column) {
  const std::size_t index = FindField(column.substr(0, column.find('[')));
  return index < kFieldCount &&
         (kFieldTable[index].type == FieldType::Text || kFieldTable[index].type == FieldType::Char);
}

// A plain cell as the value `set` takes: texts become JSON strings.
std::string Assignment(const std::string& column, const std::string& cell) {
  if (!IsTextField(column))
    return column + "=" + cell;
  const QByteArray array =
      QJsonDocument(QJsonArray{QString::fromStdString(cell)}).toJson(QJsonDocument::Compact);
  return column + "=" + array.mid(1, array.size() - 2).toStdString();
}

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return text;
}

// A code the cell brought in that no interface can hold, as `set` refuses it; "" when none.
std::string CodeOutside(const ParameterImage& before, const ParameterImage& after) {
  const std::vector<CodeViolation> held = ValuesOutsideCodes(before);
  for (const CodeViolation& v : ValuesOutsideCodes(after)) {
    const bool new_ = std::none_of(held.begin(), held.end(), [&](const CodeViolation& h) {
      return h.element == v.element && h.value == v.value;
    });
    if (new_)
      return v.element + " cannot be " + v.value + ": no interface takes it (" + v.allowed + ")";
  }
  return "";
}

std::string Address(const ParameterImage& image) {
  std::string text;
  for (int i = 0; i < 4; ++i)
    text += (i ? "." : "") + std::to_string(image.Get(fld::ipAddress, i));
  return text;
}

}  // namespace

const VarsRow* VarsTable::Find(const std::string& serial, const std::string& port,
                               const std::string& device) const {
  for (const VarsRow& row : rows) {
    if (bySerial ? !serial.empty() && row.key == serial
                 : Lower(row.key) == Lower(port) || (!device.empty() && row.key == device))
      return &row;
  }
  return nullptr;
}

bool VarsTable::GivesAddress(const VarsRow& row) const {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].rfind("ipAddress", 0) == 0 && !row.cells[c].empty())
      return true;
  }
  return false;
}

VarsProblem LoadVarsTable(const std::string& path, VarsTable& table) {
  VarsProblem problem;
  std::vector<uint8_t> bytes;
  if (const FileResult read = ReadInput(path, bytes, 16 * 1024 * 1024); !read.ok) {
    problem.error = read.error;
    return problem;
  }
  std::vector<std::vector<std::string>> rows;
  if (!SplitCsv(std::string(bytes.begin(), bytes.end()), rows)) {
    problem.error = path + ": a quoted cell is not closed";
    return problem;
  }
  if (rows.empty() || (rows[0][0] != "serial" && rows[0][0] != "port")) {
    problem.error = path + ": the first column must be \"serial\" or \"port\"";
    return problem;
  }
  table.path = path;
  table.bySerial = rows[0][0] == "serial";
  table.columns.assign(rows[0].begin() + 1, rows[0].end());
  std::map<std::string, int> keys;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const int number = static_cast<int>(r) + 1;
    std::vector<std::string>& cells = rows[r];
    if (cells.size() == 1 && cells[0].empty())
      continue;  // a blank line
    const std::string where = path + ": row " + std::to_string(number);
    if (cells.size() != table.columns.size() + 1) {
      problem.error = where + " has " + std::to_string(cells.size()) + " cells, the header " +
                      std::to_string(table.columns.size() + 1);
      return problem;
    }
    const std::string key = table.bySerial ? cells[0] : Lower(cells[0]);
    if (cells[0].empty() || !keys.emplace(key, number).second) {
      problem.error =
          where + ", column " + rows[0][0] + ": " +
          (cells[0].empty() ? std::string("empty")
                            : "\"" + cells[0] + "\" is also in row " + std::to_string(keys[key]));
      return problem;
    }
    table.rows.push_back({number, cells[0], {cells.begin() + 1, cells.end()}});
  }
  problem.ok = true;
  return problem;
}

EditedImage ApplyVarsRow(const VarsTable& table, const VarsRow& row, const ParameterImage& image,
                         const ExtensionBlock& extension) {
  EditedImage edited;
  edited.ok = true;
  edited.image = image;
  edited.extension = extension;
  // One cell at a time, so that an error names its column.
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (row.cells[c].empty())
      continue;
    EditedImage next = SetImageFields(edited.image, edited.extension,
                                      {Assignment(table.columns[c], row.cells[c])});
    if (next.ok)
      next.error = CodeOutside(edited.image, next.image);
    next.ok = next.ok && next.error.empty();
    if (!next.ok) {
      next.error = table.path + ": row " + std::to_string(row.row) + ", column " +
                   table.columns[c] + ": " + next.error;
      return next;
    }
    edited.image = next.image;
    edited.extension = next.extension;
  }
  return edited;
}

VarsProblem CheckVarsTable(const VarsTable& table, const ParameterImage& image,
                           const ExtensionBlock& extension) {
  VarsProblem problem;
  std::map<std::string, int> addresses;
  for (const VarsRow& row : table.rows) {
    const EditedImage edited = ApplyVarsRow(table, row, image, extension);
    if (!edited.ok) {
      problem.error = edited.error;
      return problem;
    }
    if (!table.GivesAddress(row))
      continue;
    const std::string address = Address(edited.image);
    if (const auto [at, added] = addresses.emplace(address, row.row); !added) {
      problem.error = table.path + ": rows " + std::to_string(at->second) + " and " +
                      std::to_string(row.row) + " give the same address " + address;
      return problem;
    }
  }
  problem.ok = true;
  return problem;
}

}  // namespace mx::tool
