#include "editor/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace mx::editor {
namespace {

constexpr int kSize = 20;
const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kBlue(30, 90, 190);
const QColor kYellow(236, 196, 80);
const QColor kGreen(40, 140, 60);

void Page(QPainter& p, const QRectF& r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 4, r.top());
  path.lineTo(r.right(), r.top() + 4);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(kPaper);
  p.setPen(QPen(kInk, 1));
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
  p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void Lens(QPainter& p, const QPointF& centre, qreal radius) {
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
             centre + QPointF(radius * 0.7 + 5, radius * 0.7 + 5));
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(200, 225, 255));
  p.drawEllipse(centre, radius, radius);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
  const QPointF n(-d.y(), d.x());
  p.drawLine(to, to - d * 4 + n * 4);
  p.drawLine(to, to - d * 4 - n * 4);
}

void Draw(QPainter& p, ToolIcon which) {
  switch (which) {
    case ToolIcon::New:
      Page(p, QRectF(4.5, 2.5, 11, 15));
      break;
    case ToolIcon::Open: {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kYellow.darker(115));
      p.drawRect(QRectF(2.5, 5.5, 15, 11));
      p.setBrush(kYellow);
      QPolygonF front({{2.5, 16.5}, {5.5, 8.5}, {19.5, 8.5}, {17.5, 16.5}});
      p.drawPolygon(front);
      break;
    }
    case ToolIcon::Save:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue);
      p.drawRect(QRectF(2.5, 2.5, 15, 15));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 2.5, 9, 6));
      p.setBrush(QColor(210, 210, 210));
      p.drawRect(QRectF(5.5, 11.5, 9, 6));
      break;
    case ToolIcon::Print:
      Page(p, QRectF(5.5, 1.5, 9, 8));
      p.setBrush(QColor(190, 190, 190));
      p.drawRoundedRect(QRectF(1.5, 8.5, 17, 7), 1.5, 1.5);
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 13.5, 9, 5));
      break;
    case ToolIcon::Preview:
      Page(p, QRectF(2.5, 1.5, 11, 15));
      Lens(p, QPointF(11, 11), 4);
      break;
    case ToolIcon::Find:
      Lens(p, QPointF(8, 8), 5.5);
      break;
    case ToolIcon::Copy:
      Page(p, QRectF(1.5, 1.5, 9, 12));
      Page(p, QRectF(9.5, 6.5, 9, 12));
      Arrow(p, QPointF(5, 16), QPointF(8, 16), kGreen);
      break;
    case ToolIcon::Reset: {
      p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3, 3, 14, 14), 100 * 16, 280 * 16);
      p.drawLine(QPointF(8.5, 3.2), QPointF(12.5, 0.8));
      p.drawLine(QPointF(8.5, 3.2), QPointF(12, 6.5));
      break;
    }
    case ToolIcon::Terminal:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(40, 40, 48));
      p.drawRoundedRect(QRectF(1.5, 2.5, 17, 13), 1.5, 1.5);
      p.setPen(QPen(QColor(120, 230, 120), 1.5));
      p.drawLine(QPointF(4.5, 6), QPointF(7.5, 9));
      p.drawLine(QPointF(7.5, 9), QPointF(4.5, 12));
      p.drawLine(QPointF(9.5, 12), QPointF(14, 12));
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(190, 190, 190));
      p.drawRect(QRectF(6.5, 16.5, 7, 2));
      break;
    case ToolIcon::Send:
      Page(p, QRectF(1.5, 4.5, 9, 12));
      Arrow(p, QPointF(8, 10.5), QPointF(18, 10.5), kGreen);
      break;
    case ToolIcon::Read:
      Page(p, QRectF(9.5, 4.5, 9, 12));
      Arrow(p, QPointF(2, 10.5), QPointF(12, 10.5), kBlue);
      break;
    case ToolIcon::Help: {
      p.setPen(QPen(kBlue.darker(120), 1));
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(13);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
  }
}

}  // namespace

QIcon MakeToolbarIcon(ToolIcon which) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(kSize * scale, kSize * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, which);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace mx::editor
