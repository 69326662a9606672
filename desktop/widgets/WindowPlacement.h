#pragma once
// Where the programs' windows open: dialogs centred across the screen with their top a quarter of
// the way down the free room (the screen less its panels and docks); the device command windows
// over the main window.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace mx::desktop {

// x = (free width - width) / 2, y = (free height - height) / 4, integer division, from the free
// area's top-left corner.
QPoint ScreenPlacement(const QRect& freeArea, const QSize& window);
// Centred across the parent, top at the parent's top plus 14/32 of the height left over.
QPoint OverParentPlacement(const QRect& parent, const QSize& window);

// Moves a window (size unchanged) to ScreenPlacement on the free area of the screen it is on.
void PlaceOnScreen(QWidget* window);
// Moves a window to OverParentPlacement of `parent`'s frame.
void PlaceOverParent(QWidget* window, const QWidget* parent);

}  // namespace mx::desktop
