#pragma once
// The network test terminal's one document: the set-up of a test, kept as a .ltn file.

#include <QString>

#include "nettest/LtnFormat.h"

namespace mx::nettest {

class CLinkTest_NetworkDoc {
 public:
  struct [[nodiscard]] FileResult {
    bool ok = true;
    QString message;  // for the user when !ok
  };

  // A real .ltn holds a few hundred bytes; anything past this is not one of ours, and reading it
  // whole would only tie up memory.
  static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

  CLinkTest_NetworkDoc() = default;

  LtnFields& Fields() { return fields_; }
  const LtnFields& Fields() const { return fields_; }

  // "New": defaults, no path, title "untitled".
  void OnNewDocument();

  // Resets to the defaults, takes `path` as the document's path, then reads the file. On any
  // failure the defaults stay in effect (never a half-read document) and the message says why.
  FileResult Open(const QString& path);

  // Saves through the setup program's safe save: a temporary file beside `path` replaces the old
  // one only when every byte is on disk, so a full disk or a crash never leaves a cut-off
  // document. On success `path` becomes the document's path.
  FileResult Save(const QString& path);

  // True when saving under `path` would overwrite an existing file that this document failed to
  // read: the user never saw what it holds, so the window asks first. Any successful save, New or
  // a good Open ends that.
  bool WouldReplaceUnreadFile(const QString& path) const;

  QString PathName() const { return path_; }
  void SetPathName(const QString& path);
  QString Title() const { return title_; }

  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

 private:
  LtnFields fields_;
  QString path_;
  QString unreadPath_;  // the file of the last failed open, until the document moves on
  QString title_ = QStringLiteral("untitled");
  bool modified_ = false;
};

}  // namespace mx::nettest
