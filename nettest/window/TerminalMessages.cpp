#include "nettest/window/TerminalMessages.h"

#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {

void ShowMessage(QWidget* parent, const QString& text) {
  desktop::ShowMessageBox(parent, desktop::FromUtf8(text::kAppName), text, QMessageBox::Warning);
}

desktop::SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title) {
  return desktop::AskSaveChanges(parent, desktop::FromUtf8(text::kAppName), title);
}

}  // namespace mx::nettest
