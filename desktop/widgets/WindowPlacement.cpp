#include "desktop/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mx::desktop {

QPoint ScreenPlacement(const QRect& freeArea, const QSize& window) {
  return {freeArea.left() + (freeArea.width() - window.width()) / 2,
          freeArea.top() + (freeArea.height() - window.height()) / 4};
}

QPoint OverParentPlacement(const QRect& parent, const QSize& window) {
  return {parent.left() + (parent.width() - window.width()) / 2,
          parent.top() + (parent.height() - window.height()) * 14 / 32};
}

void PlaceOnScreen(QWidget* window) {
  window->adjustSize();
  window->winId();  // the native window knows its frame, which is part of what is centred
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen)
    return;
  window->move(ScreenPlacement(screen->availableGeometry(), window->frameGeometry().size()));
}

void PlaceOverParent(QWidget* window, const QWidget* parent) {
  window->adjustSize();
  window->winId();
  if (!parent)
    return PlaceOnScreen(window);
  window->move(OverParentPlacement(parent->frameGeometry(), window->frameGeometry().size()));
}

}  // namespace mx::desktop
