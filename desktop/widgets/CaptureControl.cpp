#include "desktop/widgets/CaptureControl.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"

namespace mx::desktop {
namespace {

constexpr int kTickMs = 250;
constexpr std::string_view kFileFilter = "Log files (*.log *.txt);;All files (*)";
constexpr std::string_view kCannotOpen = "The log file %1 cannot be opened:\n%2";
constexpr std::string_view kWriteFailed =
    "Writing the log file %1 failed:\n%2\nThe log has stopped; what was written before is kept.";

}  // namespace

CaptureControl::CaptureControl(QWidget* owner, QString baseName, QString messageCaption)
    : QObject(owner),
      owner_(owner),
      baseName_(std::move(baseName)),
      caption_(std::move(messageCaption)) {
  tick_.setInterval(kTickMs);
  connect(&tick_, &QTimer::timeout, this, &CaptureControl::OnTick);
}

CaptureControl::~CaptureControl() {
  log_.Close();
}

QString CaptureControl::SuggestedPath() const {
  QString folder = lastFolder_;
  if (folder.isEmpty())
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir())
    folder = QDir::homePath();
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  return QDir(folder).filePath(QStringLiteral("%1-%2.log").arg(baseName_, stamp));
}

void CaptureControl::Toggle() {
  if (Logging()) {
    Stop();
    return;
  }
  const QString suggested = SuggestedPath();
  QString path;
  if (question_) {
    path = question_(suggested);
  } else {
    // The log appends, so choosing an existing file is no overwrite.
    path =
        QFileDialog::getSaveFileName(owner_, FromUtf8(kLogToFile), suggested, FromUtf8(kFileFilter),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
  }
  if (path.isEmpty()) {
    emit changed(false);  // a checkable control that was pressed springs back
    return;
  }
  Start(path);
}

bool CaptureControl::Start(const QString& path) {
  if (!log_.Open(path)) {
    ShowMessageBox(owner_, caption_, FromUtf8(kCannotOpen).arg(path, log_.ErrorString()),
                   QMessageBox::Warning);
    emit changed(false);
    return false;
  }
  lastFolder_ = QFileInfo(path).absolutePath();
  tick_.start();
  emit changed(true);
  return true;
}

void CaptureControl::Stop() {
  tick_.stop();
  const bool wasOpen = log_.IsOpen();
  log_.Close();
  if (wasOpen)
    emit changed(false);
}

void CaptureControl::OnTick() {
  log_.Tick();
  if (log_.ErrorString().isEmpty())
    return;
  // A full disk or a vanished folder: the user must know that the log no longer has everything.
  const QString name = log_.FileName();
  const QString reason = log_.ErrorString();
  Stop();
  ShowMessageBox(owner_, caption_, FromUtf8(kWriteFailed).arg(name, reason), QMessageBox::Warning);
}

}  // namespace mx::desktop
