#pragma once
// The programs' message boxes: a text with one OK button, the question before unsaved changes are
// lost, and the question before a file that could not be read is overwritten. Tests answer them in
// the user's place through one hook.

#include <QMessageBox>
#include <functional>

namespace mx::desktop {

enum class SaveChangesAnswer { Save, Discard, Cancel };

// A modal box with `text`, the caption `caption` (may be empty) and one OK button.
void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text,
                    QMessageBox::Icon icon = QMessageBox::Information);
// "Save changes to <documentName>?" with Yes (the default), No and Cancel.
SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& caption,
                                 const QString& documentName);
// "<path> could not be read when it was opened. Replace it with the current settings?" with Yes
// and No (the default); true for Yes.
bool AskReplaceUnreadFile(QWidget* owner, const QString& caption, const QString& path);
// `text` with Yes (the default) and No; true for Yes.
bool AskYesNo(QWidget* owner, const QString& caption, const QString& text,
              QMessageBox::Icon icon = QMessageBox::Question);

// While an answerer is set, every box is built as usual but, instead of waiting for a click, takes
// the button the answerer names (a button the box lacks counts as Cancel). Tests set one to read
// and answer the boxes; an empty function gives them back to the user.
using MessageBoxAnswerer = std::function<QMessageBox::StandardButton(const QMessageBox& box)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace mx::desktop
