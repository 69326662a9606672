#pragma once
// The About box: program name, version line, date line and the rights notice, with one OK button.

#include <QDialog>

namespace mx::editor {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
  static QString VersionLine();
};

}  // namespace mx::editor
