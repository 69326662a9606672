#include "desktop/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mx::desktop {
namespace {

// The user's folder of `kind` for this program, made when missing.
QString UserFolder(QStandardPaths::StandardLocation kind, const QString& below = {}) {
  const QString folder = QStandardPaths::writableLocation(kind) + below;
  QDir().mkpath(folder);
  return folder;
}

}  // namespace

bool IsInstalledProgram(const QString& programFolder) {
  const QFileInfo folder(programFolder);
  return !folder.isWritable() || folder.fileName() == QStringLiteral("bin");
}

QString SetupConfigFolder(const QString& programFolder) {
  if (IsInstalledProgram(programFolder))
    return UserFolder(QStandardPaths::AppDataLocation, QStringLiteral("/config"));
  return QDir(programFolder).filePath(QStringLiteral("config"));
}

QString DefaultDocumentFolder(const QString& programFolder) {
  if (IsInstalledProgram(programFolder))
    return UserFolder(QStandardPaths::AppConfigLocation);
  return programFolder;
}

}  // namespace mx::desktop
