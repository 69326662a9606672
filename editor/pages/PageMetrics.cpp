#include "editor/pages/PageMetrics.h"

#include <QAbstractButton>
#include <QLayout>
#include <QStyle>
#include <QStyleOptionButton>

namespace mx::editor {

void CompactGroup(QLayout* layout) {
  layout->setSpacing(2);
  layout->setContentsMargins(8, 4, 8, 4);
}

int IndicatorIndent(const QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  const QStyle* style = button->style();
  return style->pixelMetric(QStyle::PM_IndicatorWidth, &option, button) +
         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, button);
}

}  // namespace mx::editor
