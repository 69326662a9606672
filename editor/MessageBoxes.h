#pragma once
// The program's message boxes: a text with one OK button, and the save-changes question.

#include <QString>
#include <string_view>

class QWidget;

namespace mx::editor {

enum class SaveChangesAnswer { Save, Discard, Cancel };

// A modal box with `text`, the caption `caption` (may be empty) and one OK button.
void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text);
// "Save changes to <name>?" with Yes, No and Cancel, captioned with the program's name.
SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& documentName);

}  // namespace mx::editor
