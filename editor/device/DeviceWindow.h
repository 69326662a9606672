#pragma once
// The common part of the two small windows of the device commands: titled like the message boxes,
// no close button, placed over the owner window, which stays disabled while the window is open.
// The window has no Qt parent (a child window would be disabled together with its owner); it is
// kept above the owner as a transient window instead.

#include <QPointer>
#include <QWidget>

namespace mx::editor {

class DeviceWindow : public QWidget {
  Q_OBJECT
 public:
  DeviceWindow(QWidget* owner, const QString& title);
  ~DeviceWindow() override;

  // Shows the window over the owner and disables the owner.
  void Open();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Re-enables the owner once; further calls do nothing.
  void ReleaseOwner();

 private:
  QPointer<QWidget> owner_;
  bool holdsOwner_ = false;
};

}  // namespace mx::editor
