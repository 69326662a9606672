#include "desktop/widgets/MessageBoxes.h"

#include "desktop/TextConversion.h"

namespace mx::desktop {
namespace {

constexpr std::string_view kSaveChangesPrefix = "Save changes to ";
constexpr std::string_view kSaveChangesSuffix = "?";
constexpr std::string_view kReplaceUnreadSuffix =
    " could not be read when it was opened. Replace it with the current settings?";

MessageBoxAnswerer& Answerer() {
  static MessageBoxAnswerer answerer;
  return answerer;
}

QMessageBox::StandardButton Run(QMessageBox& box) {
  if (!Answerer())
    return static_cast<QMessageBox::StandardButton>(box.exec());
  const QMessageBox::StandardButton answer = Answerer()(box);
  return box.button(answer) ? answer : QMessageBox::Cancel;
}

}  // namespace

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
  Answerer() = std::move(answerer);
}

void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text,
                    QMessageBox::Icon icon) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
  Run(box);
}

SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& caption,
                                 const QString& documentName) {
  QMessageBox box(QMessageBox::Question, caption,
                  FromUtf8(kSaveChangesPrefix) + documentName + FromUtf8(kSaveChangesSuffix),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Yes);
  switch (Run(box)) {
    case QMessageBox::Yes:
      return SaveChangesAnswer::Save;
    case QMessageBox::No:
      return SaveChangesAnswer::Discard;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

bool AskReplaceUnreadFile(QWidget* owner, const QString& caption, const QString& path) {
  QMessageBox box(QMessageBox::Warning, caption, path + FromUtf8(kReplaceUnreadSuffix),
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::No);
  return Run(box) == QMessageBox::Yes;
}

bool AskYesNo(QWidget* owner, const QString& caption, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::Yes);
  return Run(box) == QMessageBox::Yes;
}

}  // namespace mx::desktop
