#include "tool/LogCommand.h"

#include <QDateTime>
#include <iostream>

#include "link/TransferLog.h"
#include "tool/ExitCodes.h"
#include "tool/FleetOutput.h"

namespace mx::tool {
namespace {

QDateTime ParseTime(const std::string& text) {
  const QString value = QString::fromStdString(text);
  QDateTime time = QDateTime::fromString(value, Qt::ISODate);
  if (!time.isValid()) {
    const QDate day = QDate::fromString(value, Qt::ISODate);
    if (day.isValid())
      time = day.startOfDay();
  }
  return time;
}

int Usage(const std::string& problem) {
  std::cerr << "mxtool: " << problem << "\nusage: mxtool log [--since DATE] [--serial N]\n";
  return kUsage;
}

}  // namespace

int RunLogCommand(const std::vector<std::string>& args) {
  QDateTime since;
  std::string serial;
  bool bySerial = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i + 1 >= args.size() || (args[i] != "--since" && args[i] != "--serial"))
      return Usage("log: unexpected argument " + args[i]);
    if (args[i] == "--since") {
      since = ParseTime(args[++i]);
      if (!since.isValid())
        return Usage("log: --since takes a date such as 2026-12-08 or 2026-12-08T14:00");
    } else {
      serial = args[++i];
      bySerial = true;
    }
  }
  const std::string path = TransferLogPath();
  const TransferLogRead read = ReadTransferLog(path);
  if (!read.ok) {
    std::cerr << "mxtool: " << read.error << "\n";
    return kUsage;
  }
  for (const TransferRecord& r : read.records) {
    if (bySerial && r.serial != serial)
      continue;
    if (since.isValid() && ParseTime(r.time) < since)
      continue;
    std::cout << EscapeCell(r.time) << "\t" << EscapeCell(r.user) << "\t" << EscapeCell(r.host)
              << "\t" << EscapeCell(r.port) << "\t" << EscapeCell(r.device) << "\t"
              << EscapeCell(r.serial) << "\t" << EscapeCell(r.model) << "\t" << EscapeCell(r.file)
              << "\t" << EscapeCell(r.sha256) << "\t" << EscapeCell(r.outcome) << "\t"
              << EscapeCell(r.message) << "\n";
  }
  return kOk;
}

}  // namespace mx::tool
