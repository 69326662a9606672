#pragma once
// "About LinkTest_Network".

#include <QDialog>

namespace mx::nettest {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace mx::nettest
