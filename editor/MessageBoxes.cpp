#include "editor/MessageBoxes.h"

#include <QMessageBox>

#include "desktop/TextConversion.h"
#include "editor/EditorTexts.h"

namespace mx::editor {

void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& documentName) {
  QMessageBox box(QMessageBox::Question, desktop::FromUtf8(text::kProgramTitle),
                  desktop::FromUtf8(text::kSaveChangesPrefix) + documentName + "?",
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveChangesAnswer::Save;
    case QMessageBox::No:
      return SaveChangesAnswer::Discard;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

}  // namespace mx::editor
