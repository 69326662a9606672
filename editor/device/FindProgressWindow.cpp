#include "editor/device/FindProgressWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "desktop/TextConversion.h"
#include "editor/device/DeviceTexts.h"

namespace mx::editor {

int ShownPercent(int position, int total) {
  if (total == 0)
    return 100;
  const long percent = std::lround(static_cast<double>(position) * 100.0 / total);
  return static_cast<int>(std::clamp(percent, 0L, 100L));
}

PercentBar::PercentBar(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool PercentBar::SetPercent(int percent) {
  if (percent == percent_)
    return false;
  percent_ = percent;
  update();
  return true;
}

QSize PercentBar::sizeHint() const {
  return {260, fontMetrics().height() + 8};
}

void PercentBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.setPen(Qt::black);
  painter.drawRect(frame);
  const QRect inside = frame.adjusted(1, 1, 0, 0);
  const int doneWidth = inside.width() * percent_ / 100;
  const QRect done(inside.left(), inside.top(), doneWidth, inside.height());
  const QRect rest(inside.left() + doneWidth, inside.top(), inside.width() - doneWidth,
                   inside.height());
  painter.fillRect(done, Qt::blue);
  painter.fillRect(rest, Qt::white);
  const QString label = QString::asprintf("%3d%%", percent_);
  painter.setClipRect(done);
  painter.setPen(Qt::white);
  painter.drawText(inside, Qt::AlignCenter, label);
  painter.setClipRect(rest);
  painter.setPen(Qt::blue);
  painter.drawText(inside, Qt::AlignCenter, label);
}

FindProgressWindow::FindProgressWindow(QWidget* owner, const QString& title,
                                       std::function<void()> onCancel)
    : DeviceWindow(owner, title), onCancel_(std::move(onCancel)) {
  auto* layout = new QVBoxLayout(this);
  for (QLabel*& line : lines_) {
    line = new QLabel(this);
    line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QString(46, 'x')));
    layout->addWidget(line);
  }
  bar_ = new PercentBar(this);
  layout->addWidget(bar_);
  cancel_ = new QPushButton(desktop::FromUtf8(text::kProgressCancel), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
}

void FindProgressWindow::closeEvent(QCloseEvent* event) {
  if (onCancel_)
    onCancel_();
  DeviceWindow::closeEvent(event);
}

void FindProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    cancel_->click();
    return;
  }
  DeviceWindow::keyPressEvent(event);
}

void FindProgressWindow::SetLine(int line, const QString& text, const QString& tip) {
  if (line != 0 && line != 1)
    return;
  lines_[line]->setText(text);
  lines_[line]->setToolTip(tip == text ? QString() : tip);
}

void FindProgressWindow::SetProgress(int position, int total) {
  bar_->SetPercent(ShownPercent(position, total));
}

QString FindProgressWindow::Line(int line) const {
  return line == 0 || line == 1 ? lines_[line]->text() : QString();
}

int FindProgressWindow::Percent() const {
  return bar_->Percent();
}

}  // namespace mx::editor
