#include "terminal/window/LampPixmaps.h"

#include <QPainter>
#include <QRadialGradient>

namespace mx::terminal {
namespace {

void PaintLamp(QPainter& painter, int x, Lamp lamp) {
  const QColor colour = LampColour(lamp);
  const QRectF bounds(x + 0.5, 0.5, kLampSize - 1, kLampSize - 1);
  // A little highlight towards the top left, so a lit lamp reads as a light and not a dot.
  QRadialGradient glow(bounds.center() - QPointF(2, 2), kLampSize / 2.0);
  glow.setColorAt(0,
                  colour.lighter(lamp == Lamp::BrightGreen || lamp == Lamp::BrightRed ? 130 : 110));
  glow.setColorAt(1, colour);
  painter.setBrush(glow);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawEllipse(bounds);
}

QPixmap Blank(int width, const QColor& face) {
  QPixmap pixmap(width, kLampSize);
  pixmap.fill(face);
  return pixmap;
}

}  // namespace

QColor LampColour(Lamp lamp) {
  switch (lamp) {
    case Lamp::BrightGreen:
      return QColor(0, 255, 0);
    case Lamp::DarkGreen:
      return QColor(0, 72, 0);
    case Lamp::BrightRed:
      return QColor(255, 0, 0);
    case Lamp::DarkRed:
      return QColor(80, 0, 0);
    case Lamp::Grey:
      break;
  }
  return QColor(160, 160, 160);
}

QPixmap LampPixmap(Lamp lamp, const QColor& face) {
  QPixmap pixmap = Blank(kLampSize, face);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintLamp(painter, 0, lamp);
  return pixmap;
}

QPixmap LampPairPixmap(LampPair pair, const QColor& face) {
  QPixmap pixmap = Blank(2 * kLampSize + kLampGap, face);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintLamp(painter, 0, pair.green);
  PaintLamp(painter, kLampSize + kLampGap, pair.red);
  return pixmap;
}

}  // namespace mx::terminal
