#include "editor/device/NoticeWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mx::editor {

NoticeWindow::NoticeWindow(QWidget* owner, const QString& title, const QString& first,
                           const QString& second)
    : DeviceWindow(owner, title) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 18, 24, 18);
  const QString texts[] = {first, second};
  for (int i = 0; i < 2; ++i) {
    lines_[i] = new QLabel(texts[i], this);
    lines_[i]->setAlignment(Qt::AlignCenter);
    lines_[i]->setMinimumWidth(lines_[i]->fontMetrics().horizontalAdvance(QString(44, 'x')));
    layout->addWidget(lines_[i]);
  }
}

QString NoticeWindow::Line(int line) const {
  return line == 0 || line == 1 ? lines_[line]->text() : QString();
}

}  // namespace mx::editor
