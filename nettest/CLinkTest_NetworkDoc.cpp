#include "nettest/CLinkTest_NetworkDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "nettest/NetTestTexts.h"
#include "nettest/QtText.h"

namespace mx::nettest {
QString FromDocText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToDocText(const QString& text) {
  return text.toLatin1().toStdString();
}

void CLinkTest_NetworkDoc::OnNewDocument() {
  fields_ = LtnFields{};
  path_.clear();
  title_ = Q(text::kUntitled);
  modified_ = false;
}

void CLinkTest_NetworkDoc::SetPathName(const QString& path) {
  path_ = path;
  // The title is what follows the last separator; both kinds are accepted so a path typed the
  // Windows way still gives a sensible title.
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  title_ = path.isEmpty() ? Q(text::kUntitled) : path.mid(cut + 1);
}

CLinkTest_NetworkDoc::FileResult CLinkTest_NetworkDoc::Open(const QString& path) {
  fields_ = LtnFields{};
  modified_ = false;
  SetPathName(path);

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {false, Q(text::kCannotOpenFile) + path + QLatin1Char('\n') + file.errorString()};
  }
  if (file.size() > kMaxFileSize) {
    return {false, Q(text::kFileTooLarge) + path + Q(text::kDefaultsKept)};
  }
  const QByteArray bytes = file.read(kMaxFileSize + 1);
  if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) {
    return {false, Q(text::kCannotOpenFile) + path + QLatin1Char('\n') + file.errorString()};
  }

  const LtnLoadResult result = ParseLtn(std::span(
      reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
  switch (result.status) {
    case LtnLoadStatus::Ok:
      fields_ = result.fields;
      return {};
    case LtnLoadStatus::WrongHeader:
      return {false, Q(text::kInvalidDataFile) + path};
    case LtnLoadStatus::Truncated:
      return {false, Q(text::kDamagedDataFile) + path + Q(text::kDefaultsKept)};
  }
  return {false, Q(text::kDamagedDataFile) + path};
}

CLinkTest_NetworkDoc::FileResult CLinkTest_NetworkDoc::Save(const QString& path) {
  const std::vector<uint8_t> bytes = SerializeLtn(fields_);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return {false, Q(text::kCannotSaveFile) + path + QLatin1Char('\n') + file.errorString()};
  }
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit()) {
    const QString why = file.errorString();
    file.cancelWriting();
    return {false, Q(text::kCannotSaveFile) + path + QLatin1Char('\n') + why};
  }
  SetPathName(path);
  modified_ = false;
  return {};
}

}  // namespace mx::nettest
