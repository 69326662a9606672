#pragma once
// The Status tab's Find button: its caption is "Find", and its face shows "Find" centred just above
// the middle and "Mesurix" centred below it.

#include <QPushButton>

namespace mx::editor {

class FindButton : public QPushButton {
  Q_OBJECT
 public:
  explicit FindButton(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace mx::editor
