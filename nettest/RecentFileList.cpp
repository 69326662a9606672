#include "nettest/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace mx {
namespace {
const QString kSection = QStringLiteral("Recent File List");
QString Key(int i) {
  return kSection + QStringLiteral("/File%1").arg(i + 1);
}
}  // namespace

RecentFileList::RecentFileList() {
  QSettings settings;
  for (int i = 0; i < kSize; ++i) {
    const QString path = settings.value(Key(i)).toString();
    if (!path.isEmpty())
      files_ << path;
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
  files_.removeAll(path);
  Store();
}

void RecentFileList::Store() const {
  QSettings settings;
  for (int i = 0; i < kSize; ++i) {
    if (i < files_.size()) {
      settings.setValue(Key(i), files_[i]);
    } else {
      settings.remove(Key(i));
    }
  }
}

}  // namespace mx
