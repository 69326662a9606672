#include "report/PainterCanvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace mx::report {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ColourFor(uint32_t styleWord) {
  switch (style::ColourOf(styleWord)) {
    case style::Colour::White:
      return Qt::white;
    case style::Colour::Red:
      return QColor(255, 0, 0);
    case style::Colour::Green:
      return QColor(0, 255, 0);
    case style::Colour::Blue:
      return QColor(0, 0, 255);
    case style::Colour::Black:
      break;
  }
  return Qt::black;
}

}  // namespace

QFont MakeFont(const PageFont& wanted) {
  QFont font;
  switch (wanted.face) {
    case FontFace::Console:
      font.setFamilies({"Lucida Console", "Liberation Mono", "DejaVu Sans Mono"});
      font.setStyleHint(QFont::TypeWriter);
      font.setFixedPitch(true);
      break;
    case FontFace::SansSerif:
      font.setFamilies({"MS Sans Serif", "DejaVu Sans", "Liberation Sans"});
      font.setStyleHint(QFont::SansSerif);
      break;
    case FontFace::Serif:
      font.setFamilies({"Times New Roman", "Liberation Serif", "DejaVu Serif"});
      font.setStyleHint(QFont::Serif);
      break;
    case FontFace::Arial:
      font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
      font.setStyleHint(QFont::SansSerif);
      break;
  }
  // The painter works in thousandths of an inch, so a point size would be scaled twice; the pixel
  // size is the character height in page units.
  font.setPixelSize(static_cast<int>(std::lround(wanted.points * 1000.0 / 72.0)));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 1, 1000)));
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  // Hinting would fit the outlines to a grid of page units, and measure differently from what
  // a preview at screen resolution shows.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

TextExtent PainterCanvas::SetUpPage(int xOffset, int yOffset) {
  const QPaintDevice* device = painter_.device();
  const int dpiX = device->logicalDpiX();
  const int dpiY = device->logicalDpiY();
  painter_.resetTransform();
  painter_.scale(dpiX / 1000.0, dpiY / 1000.0);
  painter_.translate(xOffset, yOffset);
  return {device->width() * 1000 / dpiX, device->height() * 1000 / dpiY};
}

void PainterCanvas::SetFont(const PageFont& font) {
  font_ = MakeFont(font);
  painter_.setFont(font_);
  metrics_.emplace(font_, painter_.device());
  escapement_ = font.escapement;
}

LineMetrics PainterCanvas::Metrics() const {
  LineMetrics m;
  if (metrics_) {
    m.height = metrics_->height();
    m.externalLeading = std::max(0, metrics_->leading());
    m.averageWidth = metrics_->averageCharWidth();
    m.ascent = metrics_->ascent();
  }
  return m;
}

TextExtent PainterCanvas::Measure(std::string_view text) const {
  if (!metrics_)
    return {};
  return {metrics_->horizontalAdvance(Utf8(text)), metrics_->height()};
}

void PainterCanvas::Draw(int x, int y, std::string_view text, uint32_t styleWord, int squeezeTo) {
  const TextExtent natural = Measure(text);
  const LineMetrics metrics = Metrics();
  const TextExtent box{squeezeTo > 0 ? squeezeTo : natural.width, natural.height};
  const TextOffset offset = AlignText(box, styleWord, metrics.height + metrics.externalLeading);

  painter_.save();
  painter_.translate(x, y);
  if (escapement_ != 0)
    painter_.rotate(-escapement_ / 10.0);
  painter_.translate(offset.dx, offset.dy);
  if (style::IsOpaque(styleWord))
    painter_.fillRect(QRect(0, 0, box.width, box.height), Qt::white);
  if (squeezeTo > 0 && natural.width > 0)
    painter_.scale(static_cast<double>(squeezeTo) / natural.width, 1.0);
  painter_.setPen(ColourFor(styleWord));
  painter_.drawText(QPoint(0, metrics.ascent), Utf8(text));
  painter_.restore();
}

void PainterCanvas::ScaleFrom(int x, int y, double factor) {
  painter_.translate(x, y);
  painter_.scale(factor, factor);
  painter_.translate(-x, -y);
}

}  // namespace mx::report
