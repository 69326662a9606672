#pragma once
// Where the programs' windows open and how large they may be. Everything is reckoned with the
// window's frame (title bar and borders) on the free area of its screen (the screen less its panels
// and docks), so a title bar never ends up above the screen or under a taskbar. Dialogs sit
// centred across the free area with their top a quarter of the way down the room left; the device
// command windows sit over the main window.
//
// The frame is only known for sure once the window manager has framed the window. Until then it is
// estimated, and a window placed here is placed again, once, when its real frame is known.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace mx::desktop {

// Top-left corner of a frame of size `frame`: x = (free width - width) / 2, y = (free height -
// height) / 4, integer division, from the free area's top-left corner; never left of or above that
// corner, so a frame larger than the free area keeps its title bar in reach.
QPoint ScreenPlacement(const QRect& freeArea, const QSize& frame);
// Centred across the parent's frame, top at the parent's top plus 14/32 of the height left over.
QPoint OverParentPlacement(const QRect& parent, const QSize& frame);
// The client size closest to `wanted` whose frame (`margins` around it) fits in `freeArea`.
QSize FitOnScreen(const QSize& wanted, const QMargins& margins, const QSize& freeArea);
// A frame of `percent` of the free area in both directions, centred in it.
QRect CentredFraction(const QRect& freeArea, int percent);

// The window's frame margins: the window manager's once known, an estimate before.
QMargins FrameMargins(const QWidget* window);
// The free area of the screen the window is on (or will open on).
QRect FreeArea(const QWidget* window);

// Moves a window (its size fitted to its contents) to ScreenPlacement.
void PlaceOnScreen(QWidget* window);
// Moves a window (its size fitted to its contents) to OverParentPlacement of `parent`'s frame.
void PlaceOverParent(QWidget* window, const QWidget* parent);
// A main window of fixed size: `wanted` as far as the free area allows, fixed, then placed like a
// dialog.
void FixSizeOnScreen(QWidget* window, const QSize& wanted);
// A main window that the user may resize: its frame `percent` of the free area, centred.
void SizeToScreenFraction(QWidget* window, int percent);

}  // namespace mx::desktop
