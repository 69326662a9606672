#pragma once
// The terminal's message boxes, behind one hook so automated checks can read a message instead of
// blocking on a modal box.

#include <QString>
#include <functional>

class QWidget;

namespace mx::nettest {

enum class SaveChangesAnswer { Save, Discard, Cancel };

// A message with an OK button, captioned with the program's name.
void ShowMessage(QWidget* parent, const QString& text);
// "Save changes to <title>?" with Yes, No and Cancel.
SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title);

// Replaces the boxes; pass empty functions to restore them.
void SetMessageHooks(std::function<void(const QString&)> message,
                     std::function<SaveChangesAnswer(const QString&)> saveChanges);

}  // namespace mx::nettest
