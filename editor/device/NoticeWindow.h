#pragma once
// The notice of the device commands: two text lines and no buttons, shown while the program waits
// or transfers.

#include "editor/device/DeviceWindow.h"

class QLabel;

namespace mx::editor {

class NoticeWindow : public DeviceWindow {
  Q_OBJECT
 public:
  NoticeWindow(QWidget* owner, const QString& title, const QString& first, const QString& second);
  QString Line(int line) const;

 private:
  QLabel* lines_[2] = {};
};

}  // namespace mx::editor
