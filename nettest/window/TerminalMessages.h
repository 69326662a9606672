#pragma once
// The terminal's message boxes carry its name as their caption, and its failures the warning sign.

#include <QString>

#include "desktop/widgets/MessageBoxes.h"

namespace mx::nettest {

// A message with an OK button.
void ShowMessage(QWidget* parent, const QString& text);
// "Save changes to <title>?" with Yes, No and Cancel.
desktop::SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title);

}  // namespace mx::nettest
