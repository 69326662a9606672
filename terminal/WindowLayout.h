#pragma once
// How the test window's controls follow its size: every control keeps its place relative to the
// edge it belongs to, measured from where it stood when the window was laid out first. The status
// panel and the character list stay at the right (the list also grows with the height), the button
// rows and the activity row above them at the bottom right, and the pane fills what is left. A
// window made smaller than half its first size in either direction lays out as if it were half
// that size: the controls stop moving and the window clips them.

#include <QRect>
#include <QSize>
#include <array>

namespace mx::terminal {

inline constexpr int kButtonCount = 10;
// "Exit", whose left and top edges the pane keeps its distance from.
inline constexpr int kExitButton = 9;

struct WindowGeometry {
  QRect pane;
  QRect status;
  QRect list;
  QRect activity;  // "Log to file..." and the test strings' progress
  std::array<QRect, kButtonCount> buttons;
  bool operator==(const WindowGeometry&) const = default;
};

// The size the layout works with: `client`, but never less than half of `initialClient`.
QSize EffectiveClientSize(QSize initialClient, QSize client);

// Where the controls go at `client`, given where they were at `initialClient`.
WindowGeometry Relayout(const WindowGeometry& initial, QSize initialClient, QSize client);

}  // namespace mx::terminal
