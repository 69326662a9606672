#include "nettest/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace mx::nettest {
namespace {

constexpr int kSize = 32;  // drawn large, shown at the toolbar's size

void Page(QPainter& p, QRectF r, QColor fill) {
  p.setPen(QPen(QColor(60, 60, 60), 1.6));
  p.setBrush(fill);
  p.drawRoundedRect(r, 1.5, 1.5);
}

void Text(QPainter& p, const QString& text, QColor colour, int pixelSize, QRectF r) {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::TypeWriter);
  font.setBold(true);
  font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

}  // namespace

QIcon MakeToolbarIcon(ToolbarIcon which) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF full(0, 0, kSize, kSize);
  const QColor terminal(20, 20, 20);
  switch (which) {
    case ToolbarIcon::Cut: {
      p.setPen(QPen(QColor(50, 50, 50), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9, 3), QPointF(21, 21));
      p.drawLine(QPointF(23, 3), QPointF(11, 21));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(190, 30, 30), 2.4));
      p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
      p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
      break;
    }
    case ToolbarIcon::Copy:
      Page(p, QRectF(3, 3, 16, 20), Qt::white);
      Page(p, QRectF(12, 9, 16, 20), QColor(225, 235, 250));
      break;
    case ToolbarIcon::Paste:
      Page(p, QRectF(5, 5, 22, 25), QColor(205, 160, 95));
      Page(p, QRectF(11, 2, 10, 6), QColor(120, 120, 120));
      Page(p, QRectF(10, 11, 16, 17), Qt::white);
      break;
    case ToolbarIcon::Braces:
      Page(p, full.adjusted(1, 3, -1, -3), terminal);
      Text(p, QStringLiteral("{ }"), QColor(0, 230, 0), 15, full);
      break;
    case ToolbarIcon::CrLf:
      Page(p, full.adjusted(1, 3, -1, -3), terminal);
      Text(p, QStringLiteral("CR\nLF"), QColor(0, 230, 0), 10, full);
      break;
    case ToolbarIcon::Beep: {
      p.setPen(QPen(QColor(60, 60, 60), 1.6));
      p.setBrush(QColor(235, 190, 40));
      QPainterPath bell;
      bell.moveTo(16, 4);
      bell.cubicTo(8, 4, 8, 14, 7, 22);
      bell.lineTo(25, 22);
      bell.cubicTo(24, 14, 24, 4, 16, 4);
      p.drawPath(bell);
      p.drawEllipse(QPointF(16, 25), 3, 3);
      p.drawLine(QPointF(5, 22), QPointF(27, 22));
      break;
    }
    case ToolbarIcon::NewLine:
      Page(p, full.adjusted(1, 3, -1, -3), terminal);
      Text(p, QString(QChar(0x21B5)), QColor(255, 255, 0), 20, full);
      break;
    case ToolbarIcon::ClearTraffic:
    case ToolbarIcon::ClearSend: {
      const bool traffic = which == ToolbarIcon::ClearTraffic;
      Page(p, traffic ? full.adjusted(1, 2, -1, -8) : full.adjusted(1, 16, -1, -2), terminal);
      p.setPen(QPen(QColor(210, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
      const QRectF x = traffic ? QRectF(10, 6, 12, 12) : QRectF(11, 19, 10, 8);
      p.drawLine(x.topLeft(), x.bottomRight());
      p.drawLine(x.topRight(), x.bottomLeft());
      break;
    }
  }
  return QIcon(pixmap);
}

}  // namespace mx::nettest
