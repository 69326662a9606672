#include "nettest/CLinkTest_NetworkDoc.h"

#include <QFile>
#include <QFileInfo>

#include "core/FileIo.h"
#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {
void CLinkTest_NetworkDoc::OnNewDocument() {
  fields_ = LtnFields{};
  path_.clear();
  unreadPath_.clear();
  title_ = desktop::FromUtf8(text::kUntitled);
  modified_ = false;
}

bool CLinkTest_NetworkDoc::WouldReplaceUnreadFile(const QString& path) const {
  if (unreadPath_.isEmpty() || !QFileInfo::exists(path))
    return false;
  // The same file under another name (a link, a relative path) counts too.
  return QFileInfo(path).canonicalFilePath() == QFileInfo(unreadPath_).canonicalFilePath();
}

void CLinkTest_NetworkDoc::SetPathName(const QString& path) {
  path_ = path;
  // The title is what follows the last separator; both kinds are accepted so a path typed the
  // Windows way still gives a sensible title.
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  title_ = path.isEmpty() ? desktop::FromUtf8(text::kUntitled) : path.mid(cut + 1);
}

CLinkTest_NetworkDoc::FileResult CLinkTest_NetworkDoc::Open(const QString& path) {
  fields_ = LtnFields{};
  modified_ = false;
  SetPathName(path);
  unreadPath_ = path;  // until the file has been read in full

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {false, desktop::FromUtf8(text::kCannotOpenFile) + path + QLatin1Char('\n') +
                       file.errorString()};
  }
  if (file.size() > kMaxFileSize) {
    return {false,
            desktop::FromUtf8(text::kFileTooLarge) + path + desktop::FromUtf8(text::kDefaultsKept)};
  }
  const QByteArray bytes = file.read(kMaxFileSize + 1);
  if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) {
    return {false, desktop::FromUtf8(text::kCannotOpenFile) + path + QLatin1Char('\n') +
                       file.errorString()};
  }

  const LtnLoadResult result = ParseLtn(std::span(
      reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
  switch (result.status) {
    case LtnLoadStatus::Ok:
      fields_ = result.fields;
      unreadPath_.clear();
      return {};
    case LtnLoadStatus::WrongHeader:
      return {false, desktop::FromUtf8(text::kInvalidDataFile) + path};
    case LtnLoadStatus::Truncated:
      return {false, desktop::FromUtf8(text::kDamagedDataFile) + path +
                         desktop::FromUtf8(text::kDefaultsKept)};
  }
  return {false, desktop::FromUtf8(text::kDamagedDataFile) + path};
}

CLinkTest_NetworkDoc::FileResult CLinkTest_NetworkDoc::Save(const QString& path) {
  // The same save as the setup program's files, with the same rules for what it may replace.
  const mx::FileResult result =
      WriteFileAtomically(QFile::encodeName(path).toStdString(), SerializeLtn(fields_));
  if (!result.ok) {
    return {false, desktop::FromUtf8(text::kCannotSaveFile) + path + QLatin1Char('\n') +
                       QString::fromLocal8Bit(result.error)};
  }
  SetPathName(path);
  unreadPath_.clear();
  modified_ = false;
  return {};
}

}  // namespace mx::nettest
