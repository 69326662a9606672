#pragma once
// The "Log to file..." control both terminals carry: it asks for a file, keeps a CaptureLog open on
// it and ticks it four times a second (so idle lines end and the file is flushed even when nothing
// arrives), and ends the capture on a second use, on a write failure (saying so) or when the
// owner goes away. The owner binds a checkable button or menu item to Toggle and `changed`, and
// hands Log() to whatever sees the traffic.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <string_view>

#include "desktop/CaptureLog.h"

class QWidget;

namespace mx::desktop {

inline constexpr std::string_view kLogToFile = "Log to file...";

class CaptureControl : public QObject {
  Q_OBJECT
 public:
  // `owner` carries the file dialog and the messages (captioned `messageCaption`); `baseName`
  // starts the suggested file name ("comtest" gives comtest-2024-05-02-140307.log).
  CaptureControl(QWidget* owner, QString baseName, QString messageCaption);
  ~CaptureControl() override;

  CaptureLog& Log() { return log_; }
  bool Logging() const { return log_.IsOpen(); }

  // "Log to file...": while a capture runs, ends it; otherwise asks for a file and starts one.
  void Toggle();
  // Starts capturing into `path` (appending); on failure says why and returns false.
  bool Start(const QString& path);
  void Stop();

  // Replaces the file dialog (tests): returns the chosen path, empty for Cancel.
  void SetFileQuestion(std::function<QString(const QString& suggested)> question) {
    question_ = std::move(question);
  }

 signals:
  // The capture started or ended; the bound control shows it checked while it runs.
  void changed(bool logging);

 private:
  void OnTick();
  QString SuggestedPath() const;

  QWidget* owner_;
  QString baseName_;
  QString caption_;
  QString lastFolder_;
  CaptureLog log_;
  QTimer tick_;
  std::function<QString(const QString&)> question_;
};

}  // namespace mx::desktop
