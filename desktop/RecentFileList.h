#pragma once
// The File menu's last four documents, kept in the per-user preferences of the program (the
// organisation and application names of QCoreApplication). Both desktop programs keep theirs here.

#include <QString>
#include <QStringList>

namespace mx::desktop {

class RecentFileList {
 public:
  static constexpr int kSize = 4;

  RecentFileList();  // reads the stored list
  const QStringList& Files() const { return files_; }
  void Add(const QString& path);  // to the top, once; stored at once
  void Remove(const QString& path);

 private:
  void Store() const;
  QStringList files_;
};

}  // namespace mx::desktop
