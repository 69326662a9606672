#include "editor/pages/FindButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "desktop/TextConversion.h"
#include "editor/pages/StatusTexts.h"

namespace mx::editor {

FindButton::FindButton(QWidget* parent) : QPushButton(desktop::FromUtf8(text::kFindTop), parent) {}

QSize FindButton::sizeHint() const {
  const QFontMetrics metrics(font());
  const int width = metrics.horizontalAdvance(desktop::FromUtf8(text::kFindBottom)) + 40;
  return {std::max(width, 88), metrics.height() * 2 + 28};
}

void FindButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();  // the two lines are drawn below, the caption stays for shortcuts and tests
  painter.drawControl(QStyle::CE_PushButton, option);

  const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  const QFontMetrics metrics(font());
  const int middle = face.center().y() + 1;
  const QRect top(face.left(), middle - metrics.height(), face.width(), metrics.height());
  const QRect bottom(face.left(), middle, face.width(), metrics.height());
  if (option.state & QStyle::State_Sunken)
    painter.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                      style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, desktop::FromUtf8(text::kFindTop));
  painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop, desktop::FromUtf8(text::kFindBottom));
}

}  // namespace mx::editor
