#include "nettest/MessageBoxes.h"

#include <QMessageBox>
#include <QWidget>

#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {
namespace {
std::function<void(const QString&)>& MessageHook() {
  static std::function<void(const QString&)> hook;
  return hook;
}
std::function<SaveChangesAnswer(const QString&)>& SaveHook() {
  static std::function<SaveChangesAnswer(const QString&)> hook;
  return hook;
}
QString AppName() {
  return desktop::FromUtf8(text::kAppName);
}
}  // namespace

void SetMessageHooks(std::function<void(const QString&)> message,
                     std::function<SaveChangesAnswer(const QString&)> saveChanges) {
  MessageHook() = std::move(message);
  SaveHook() = std::move(saveChanges);
}

void ShowMessage(QWidget* parent, const QString& text) {
  if (MessageHook()) {
    MessageHook()(text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, AppName(), text, QMessageBox::Ok, parent);
  box.exec();
}

SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title) {
  const QString question = desktop::FromUtf8(text::kSaveChangesPrefix) + title +
                           desktop::FromUtf8(text::kSaveChangesSuffix);
  if (SaveHook())
    return SaveHook()(question);
  QMessageBox box(QMessageBox::Question, AppName(), question,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveChangesAnswer::Save;
    case QMessageBox::No:
      return SaveChangesAnswer::Discard;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

}  // namespace mx::nettest
