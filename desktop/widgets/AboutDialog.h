#pragma once
// The About box of both programs: the program's icon, its name in bold, the version line, the
// date line when there is one and the notice, with one OK button.

#include <QDialog>

namespace mx::desktop {

struct AboutTexts {
  QString title;    // the window's caption
  QString product;  // the first line, in bold
  QString version;  // the number; the box shows "Version <number>"
  QString date;     // empty: no date line
  QString notice;   // rights and contact lines
};

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(const AboutTexts& texts, QWidget* parent = nullptr);
};

}  // namespace mx::desktop
