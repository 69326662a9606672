#include "editor/pages/PageMetrics.h"

#include <QAbstractButton>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>

namespace mx::editor {

void CompactGroup(QLayout* layout) {
  layout->setSpacing(2);
  layout->setContentsMargins(8, 4, 8, 4);
}

void FitDigits(QLineEdit* box, int digits) {
  const int text = box->fontMetrics().horizontalAdvance(QString(digits + 1, '0'));
  box->setFixedWidth(text + 8);
}

int IndicatorIndent(const QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  const QStyle* style = button->style();
  return style->pixelMetric(QStyle::PM_IndicatorWidth, &option, button) +
         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, button);
}

}  // namespace mx::editor
