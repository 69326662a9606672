#include "desktop/widgets/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace mx::desktop {
namespace {

constexpr int kSize = 20;
constexpr int kGreyedOpacityPercent = 40;
const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kBlue(30, 90, 190);
const QColor kYellow(236, 196, 80);
const QColor kGreen(40, 140, 60);
const QColor kScreen(20, 20, 20);
const QColor kScreenGreen(0, 230, 0);

// A sheet with its top right corner folded.
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

// A flat panel with rounded corners (a clipboard sheet, a terminal screen).
void Panel(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(fill);
  p.drawRoundedRect(r, 1, 1);
}

// Bold fixed-pitch characters centred in `r`, as on a terminal screen.
void ScreenText(QPainter& p, const QString& text, const QColor& colour, int pixelSize,
                const QRectF& r) {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::TypeWriter);
  font.setBold(true);
  font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
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

void Cross(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(210, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
}

void Draw(QPainter& p, ToolbarIcon which) {
  const QRectF full(0, 0, kSize, kSize);
  switch (which) {
    case ToolbarIcon::New:
      Page(p, QRectF(4.5, 2.5, 11, 15));
      break;
    case ToolbarIcon::Open: {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kYellow.darker(115));
      p.drawRect(QRectF(2.5, 5.5, 15, 11));
      p.setBrush(kYellow);
      QPolygonF front({{2.5, 16.5}, {5.5, 8.5}, {19.5, 8.5}, {17.5, 16.5}});
      p.drawPolygon(front);
      break;
    }
    case ToolbarIcon::Save:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue);
      p.drawRect(QRectF(2.5, 2.5, 15, 15));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 2.5, 9, 6));
      p.setBrush(QColor(210, 210, 210));
      p.drawRect(QRectF(5.5, 11.5, 9, 6));
      break;
    case ToolbarIcon::Print:
      Page(p, QRectF(5.5, 1.5, 9, 8));
      p.setBrush(QColor(190, 190, 190));
      p.drawRoundedRect(QRectF(1.5, 8.5, 17, 7), 1.5, 1.5);
      p.setBrush(kPaper);
      p.drawRect(QRectF(5.5, 13.5, 9, 5));
      break;
    case ToolbarIcon::Preview:
      Page(p, QRectF(2.5, 1.5, 11, 15));
      Lens(p, QPointF(11, 11), 4);
      break;
    case ToolbarIcon::Cut:
      p.setPen(QPen(QColor(50, 50, 50), 1.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(5.5, 2), QPointF(13, 13));
      p.drawLine(QPointF(14.5, 2), QPointF(7, 13));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(190, 30, 30), 1.5));
      p.drawEllipse(QPointF(5.5, 15.5), 2.8, 2.8);
      p.drawEllipse(QPointF(14.5, 15.5), 2.8, 2.8);
      break;
    case ToolbarIcon::Copy:
      Panel(p, QRectF(2, 2, 10, 12.5), Qt::white);
      Panel(p, QRectF(7.5, 5.5, 10, 12.5), QColor(225, 235, 250));
      break;
    case ToolbarIcon::Paste:
      Panel(p, QRectF(3, 3, 14, 15.5), QColor(205, 160, 95));
      Panel(p, QRectF(7, 1, 6, 4), QColor(120, 120, 120));
      Panel(p, QRectF(6, 7, 10, 10.5), Qt::white);
      break;
    case ToolbarIcon::Find:
      Lens(p, QPointF(8, 8), 5.5);
      break;
    case ToolbarIcon::CopyChannels:
      Page(p, QRectF(1.5, 1.5, 9, 12));
      Page(p, QRectF(9.5, 6.5, 9, 12));
      Arrow(p, QPointF(5, 16), QPointF(8, 16), kGreen);
      break;
    case ToolbarIcon::Reset:
      p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3, 3, 14, 14), 100 * 16, 280 * 16);
      p.drawLine(QPointF(8.5, 3.2), QPointF(12.5, 0.8));
      p.drawLine(QPointF(8.5, 3.2), QPointF(12, 6.5));
      break;
    case ToolbarIcon::Terminal:
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
    case ToolbarIcon::Send:
      Page(p, QRectF(1.5, 4.5, 9, 12));
      Arrow(p, QPointF(8, 10.5), QPointF(18, 10.5), kGreen);
      break;
    case ToolbarIcon::Read:
      Page(p, QRectF(9.5, 4.5, 9, 12));
      Arrow(p, QPointF(2, 10.5), QPointF(12, 10.5), kBlue);
      break;
    case ToolbarIcon::Help: {
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
    case ToolbarIcon::Braces:
      Panel(p, full.adjusted(0.5, 2, -0.5, -2), kScreen);
      ScreenText(p, QStringLiteral("{ }"), kScreenGreen, 9, full);
      break;
    case ToolbarIcon::CrLf:
      Panel(p, full.adjusted(0.5, 2, -0.5, -2), kScreen);
      ScreenText(p, QStringLiteral("CR\nLF"), kScreenGreen, 6, full);
      break;
    case ToolbarIcon::Beep: {
      p.setPen(QPen(QColor(60, 60, 60), 1));
      p.setBrush(QColor(235, 190, 40));
      QPainterPath bell;
      bell.moveTo(10, 2.5);
      bell.cubicTo(5, 2.5, 5, 8.75, 4.4, 13.75);
      bell.lineTo(15.6, 13.75);
      bell.cubicTo(15, 8.75, 15, 2.5, 10, 2.5);
      p.drawPath(bell);
      p.drawEllipse(QPointF(10, 15.6), 1.9, 1.9);
      p.drawLine(QPointF(3, 13.75), QPointF(17, 13.75));
      break;
    }
    case ToolbarIcon::NewLine:
      Panel(p, full.adjusted(0.5, 2, -0.5, -2), kScreen);
      ScreenText(p, QString(QChar(0x21B5)), QColor(255, 255, 0), 12, full);
      break;
    case ToolbarIcon::ClearTraffic:
      Panel(p, full.adjusted(0.5, 1, -0.5, -5), kScreen);
      Cross(p, QRectF(6, 4, 8, 7));
      break;
    case ToolbarIcon::ClearSend:
      Panel(p, full.adjusted(0.5, 10, -0.5, -1), kScreen);
      Cross(p, QRectF(7, 12, 6, 5));
      break;
  }
}

// The greyed form of a picture: grey tones, faded into the bar. The style's own greying keeps dark
// pictures (the terminal screens) dark, so a disabled command looked as available as the others.
QPixmap Greyed(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 128 + qGray(line[x]) / 2;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * kGreyedOpacityPercent / 100);
    }
  }
  QPixmap greyed = QPixmap::fromImage(image);
  greyed.setDevicePixelRatio(pixmap.devicePixelRatio());
  return greyed;
}

}  // namespace

QIcon MakeToolbarIcon(ToolbarIcon which) {
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
    icon.addPixmap(Greyed(pixmap), QIcon::Disabled);
  }
  return icon;
}

}  // namespace mx::desktop
