#include "desktop/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace mx::desktop {
namespace {

const char* const kSection = "Recent File List";

QString Key(int i) {
  return QStringLiteral("%1/File%2").arg(kSection).arg(i + 1);
}

}  // namespace

RecentFileList::RecentFileList() {
  QSettings settings;
  for (int i = 0; i < kSize; ++i) {
    const QString path = settings.value(Key(i)).toString();
    if (!path.isEmpty() && !files_.contains(path))
      files_.append(path);
  }
}

void RecentFileList::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > kSize)
    files_.removeLast();
  Store();
}

void RecentFileList::Remove(const QString& path) {
  files_.removeAll(QFileInfo(path).absoluteFilePath());
  Store();
}

void RecentFileList::Store() const {
  QSettings settings;
  settings.remove(kSection);
  for (int i = 0; i < files_.size(); ++i)
    settings.setValue(Key(i), files_[i]);
}

}  // namespace mx::desktop
