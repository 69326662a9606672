#include "link/TransferLog.h"

#include <pwd.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <cstdlib>
#include <mutex>

#include "core/FileIo.h"

namespace mx {
namespace {

// Key and member, in the order a line is written.
struct Column {
  const char* key;
  std::string TransferRecord::*member;
};
constexpr Column kColumns[] = {
    {"time", &TransferRecord::time},       {"user", &TransferRecord::user},
    {"host", &TransferRecord::host},       {"port", &TransferRecord::port},
    {"device", &TransferRecord::device},   {"serial", &TransferRecord::serial},
    {"model", &TransferRecord::model},     {"file", &TransferRecord::file},
    {"sha256", &TransferRecord::sha256},   {"outcome", &TransferRecord::outcome},
    {"message", &TransferRecord::message},
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::mutex& LogMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

TransferRecord MakeTransferRecord(const LinkState& state, const std::string& model,
                                  std::span<const uint8_t> image, const std::string& file) {
  TransferRecord record;
  const QDateTime now = QDateTime::currentDateTime();
  record.time = now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
  if (const passwd* entry = getpwuid(getuid()))
    record.user = entry->pw_name;
  record.host = QSysInfo::machineHostName().toStdString();
  record.port = state.identityTexts[0];
  record.device = state.portPath;
  record.serial = state.identityTexts[2];
  record.model = model;
  record.file = file;
  record.sha256 =
      QCryptographicHash::hash(QByteArrayView(image.data(), static_cast<qsizetype>(image.size())),
                               QCryptographicHash::Sha256)
          .toHex()
          .toStdString();
  return record;
}

std::string TransferLogPath() {
  std::string state = Environment("XDG_STATE_HOME");
  if (state.empty() || state[0] != '/')  // relative values are to be ignored, as with XDG_*
    state = Environment("HOME") + "/.local/state";
  return state + "/mxsetup/transfers.jsonl";
}

TransferLogResult AppendTransferRecord(const TransferRecord& record) {
  QJsonObject object;
  for (const Column& column : kColumns)
    object.insert(column.key, QString::fromStdString(record.*column.member));
  const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + "\n";
  const std::string path = TransferLogPath();
  TransferLogResult result;
  std::lock_guard lock(LogMutex());
  if (!QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath())) {
    result.error = path + ": cannot create the folder";
    return result;
  }
  // Opened as every log is: a link or FIFO planted under the log's name neither redirects the
  // line into another file nor hangs the send that writes it.
  int fd = -1;
  if (const FileResult opened = OpenForAppend(path, fd); !opened.ok) {
    result.error = opened.error;
    return result;
  }
  QFile file;
  if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    result.error = path + ": " + file.errorString().toStdString();
    return result;
  }
  if (file.write(line) != line.size() || !file.flush()) {
    result.error = path + ": " + file.errorString().toStdString();
    return result;
  }
  result.ok = true;
  return result;
}

TransferLogRead ReadTransferLog(const std::string& path) {
  TransferLogRead read;
  QFile file(QString::fromStdString(path));
  if (!file.exists()) {
    read.ok = true;
    return read;
  }
  if (!QFileInfo(file).isFile()) {  // a FIFO would wait for a writer
    read.error = path + ": not a regular file";
    return read;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    read.error = path + ": " + file.errorString().toStdString();
    return read;
  }
  while (!file.atEnd()) {
    const QJsonObject object = QJsonDocument::fromJson(file.readLine()).object();
    if (object.isEmpty())
      continue;
    TransferRecord record;
    for (const Column& column : kColumns)
      record.*column.member = object.value(column.key).toString().toStdString();
    read.records.push_back(std::move(record));
  }
  read.ok = true;
  return read;
}

}  // namespace mx
