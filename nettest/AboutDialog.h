#pragma once
// "About LinkTest_Network".

#include <QDialog>

namespace mx {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace mx
