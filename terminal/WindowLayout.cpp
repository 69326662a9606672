#include "terminal/WindowLayout.h"

#include <algorithm>

namespace mx::terminal {

QSize EffectiveClientSize(QSize initialClient, QSize client) {
  return {std::max(client.width(), initialClient.width() / 2),
          std::max(client.height(), initialClient.height() / 2)};
}

WindowGeometry Relayout(const WindowGeometry& initial, QSize initialClient, QSize client) {
  const QSize size = EffectiveClientSize(initialClient, client);
  const int dw = size.width() - initialClient.width();
  const int dh = size.height() - initialClient.height();

  WindowGeometry now = initial;
  now.status.translate(dw, 0);
  now.list.translate(dw, 0);
  now.list.setHeight(std::max(initial.list.height() + dh, initial.list.height() / 2));
  now.activity.translate(dw, dh);
  for (QRect& button : now.buttons)
    button.translate(dw, dh);

  // The pane's right and bottom edges keep their distances from the left and top of "Exit".
  const QRect& exitBefore = initial.buttons[kExitButton];
  const QRect& exitNow = now.buttons[kExitButton];
  const int right = exitNow.left() - (exitBefore.left() - initial.pane.right());
  const int bottom = exitNow.top() - (exitBefore.top() - initial.pane.bottom());
  now.pane.setRight(std::max(right, initial.pane.left()));
  now.pane.setBottom(std::max(bottom, initial.pane.top()));
  return now;
}

}  // namespace mx::terminal
