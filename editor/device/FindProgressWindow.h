#pragma once
// The progress window of the port scan: two text lines, a percentage bar and Cancel.

#include <functional>

#include "editor/device/DeviceWindow.h"

class QLabel;
class QPushButton;

namespace mx::editor {

// What the bar shows for position of total: round(position * 100 / total) held to 0..100; a total
// of 0 shows 100.
int ShownPercent(int position, int total);

// A black frame; inside, the done part blue and the rest white, and "%3d%" centred on the whole
// bar, white where it lies on blue and blue where it lies on white.
class PercentBar : public QWidget {
  Q_OBJECT
 public:
  explicit PercentBar(QWidget* parent = nullptr);
  // True when the shown percentage changed (and a repaint was asked for).
  bool SetPercent(int percent);
  int Percent() const { return percent_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int percent_ = 0;
};

class FindProgressWindow : public DeviceWindow {
  Q_OBJECT
 public:
  // `onCancel` runs when the user presses Cancel, before the window closes.
  FindProgressWindow(QWidget* owner, const QString& title, std::function<void()> onCancel);

  // `tip`: the line with full device paths, shown when the pointer rests on it.
  void SetLine(int line, const QString& text, const QString& tip = {});
  void SetProgress(int position, int total);
  QString Line(int line) const;
  int Percent() const;
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  // Closing the window by any means is a Cancel.
  void closeEvent(QCloseEvent* event) override;
  // Escape cancels like the Cancel button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void()> onCancel_;
  QLabel* lines_[2] = {};
  PercentBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace mx::editor
