#include "tool/FleetOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

namespace mx::tool {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

std::string EscapeCell(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      escaped += "\\t";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\\') {
      escaped += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      escaped += hex;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The "changes" array of a line.
static QJsonArray Changes(const FleetLine& line) {
  QJsonArray changes;
  for (const FieldChange& change : line.changes)
    changes.append(
        QJsonObject{{"field", Q(change.field)}, {"from", Q(change.from)}, {"to", Q(change.to)}});
  return changes;
}

std::string ChangesJson(const FleetLine& line) {
  return QJsonDocument(QJsonObject{{"changes", Changes(line)}})
      .toJson(QJsonDocument::Compact)
      .toStdString();
}

std::string JsonLine(const FleetLine& line) {
  QJsonObject object{{"port", Q(line.port)},       {"device", Q(line.device)},
                     {"serial", Q(line.serial)},   {"model", Q(line.model)},
                     {"outcome", Q(line.outcome)}, {"message", Q(line.message)}};
  if (line.hasChanges)
    object.insert("changes", Changes(line));
  if (line.hasLine) {
    object.insert("baud", line.baud);
    object.insert("parity", Q(line.parity));
    object.insert("dataBits", line.dataBits);
    object.insert("stopBits", line.stopBits);
  }
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

bool ParseDiffLine(const std::string& line, FieldChange& change) {
  const std::size_t colon = line.find(": ");
  const std::size_t arrow = line.find(" -> ", colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || arrow == std::string::npos)
    return false;
  change = {line.substr(0, colon), line.substr(colon + 2, arrow - colon - 2),
            line.substr(arrow + 4)};
  return true;
}

void FleetPrinter::Print(const FleetLine& given) {
  FleetLine line = given;
  // A script knows a cancelled run by its exit code; its lines keep to the outcomes it expects.
  if (json_ && line.outcome == "cancelled")
    line.outcome = "failed";
  std::lock_guard lock(mutex_);
  if (counts_[line.outcome]++ == 0)
    order_.push_back(line.outcome);
  if (json_) {
    out_ << JsonLine(line) << "\n";
  } else {
    out_ << EscapeCell(line.port) << "\t" << EscapeCell(line.device) << "\t" << line.outcome << "\t"
         << EscapeCell(line.serial) << "\t" << EscapeCell(line.model) << "\t"
         << EscapeCell(line.message) << "\n";
    for (const std::string& text : line.below)
      out_ << text << "\n";
  }
  out_.flush();
}

void FleetPrinter::PrintSummary(std::size_t total) {
  std::lock_guard lock(mutex_);
  if (!json_)
    return;
  QJsonObject summary{{"total", static_cast<int>(total)}};
  for (const std::string& outcome : order_)
    summary.insert(Q(outcome), counts_.at(outcome));
  out_
      << QJsonDocument(QJsonObject{{"summary", summary}}).toJson(QJsonDocument::Compact).constData()
      << "\n";
  out_.flush();
}

int FleetPrinter::Count(const std::string& outcome) const {
  std::lock_guard lock(mutex_);
  const auto found = counts_.find(outcome);
  return found == counts_.end() ? 0 : found->second;
}

}  // namespace mx::tool
