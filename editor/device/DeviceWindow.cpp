#include "editor/device/DeviceWindow.h"

#include <QCloseEvent>
#include <QWindow>

#include "desktop/widgets/WindowPlacement.h"
#include "editor/device/PaintingClock.h"

namespace mx::editor {

DeviceWindow::DeviceWindow(QWidget* owner, const QString& title)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), owner_(owner) {
  setWindowTitle(title);
  setAttribute(Qt::WA_ShowWithoutActivating, false);
}

DeviceWindow::~DeviceWindow() {
  ReleaseOwner();
}

void DeviceWindow::Open() {
  if (owner_) {
    owner_->setEnabled(false);
    holdsOwner_ = true;
    winId();  // creates the native window so it can be tied to the owner's
    if (QWindow* handle = windowHandle(); handle && owner_->window()->windowHandle())
      handle->setTransientParent(owner_->window()->windowHandle());
  }
  desktop::PlaceOverParent(this, owner_ ? owner_->window() : nullptr);
  show();
  raise();
  PaintPendingWindows();
}

void DeviceWindow::closeEvent(QCloseEvent* event) {
  ReleaseOwner();
  QWidget::closeEvent(event);
}

void DeviceWindow::ReleaseOwner() {
  if (holdsOwner_ && owner_)
    owner_->setEnabled(true);
  holdsOwner_ = false;
}

}  // namespace mx::editor
