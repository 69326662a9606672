#include "nettest/window/UserPushbuttonsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/NetTestTexts.h"
#include "nettest/window/TerminalMessages.h"
#include "notation/ControlNotation.h"

namespace mx::nettest {
namespace {
constexpr const char* kRowCaptions[kUserButtonCount] = {
    "Button 1  (top left)", "Button 2  (top right)", "Button 3  (bottom left)",
    "Button 4  (bottom right)"};
constexpr std::size_t kMaxCommandLength = 100;
}  // namespace

QString UserPushbuttonsDialog::CommandForEditing(const std::string& bytes) {
  std::string shown;
  for (char c : bytes)
    shown += FormatCharacter(static_cast<uint8_t>(c), true, false);
  return desktop::FromLatin1(shown);
}

UserPushbuttonsDialog::UserPushbuttonsDialog(const Texts& labels, const Texts& commands,
                                             QWidget* parent)
    : QDialog(parent), labels_(labels), commands_(commands) {
  setWindowTitle(desktop::FromUtf8(text::kUserButtonsTitle));
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < kUserButtonCount; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    auto* group = new QGroupBox(desktop::FromUtf8(kRowCaptions[i]), this);
    auto* grid = new QGridLayout(group);
    auto* label = new QLineEdit(desktop::FromLatin1(labels[slot]), group);
    auto* command = new QLineEdit(CommandForEditing(commands[slot]), group);
    label->setObjectName(QStringLiteral("label%1").arg(i + 1));
    command->setObjectName(QStringLiteral("command%1").arg(i + 1));
    command->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 32);
    auto* labelCaption = new QLabel(desktop::FromUtf8(text::kButtonLabel), group);
    auto* commandCaption = new QLabel(desktop::FromUtf8(text::kCommandString), group);
    labelCaption->setBuddy(label);
    commandCaption->setBuddy(command);
    grid->addWidget(labelCaption, 0, 0);
    grid->addWidget(commandCaption, 0, 1);
    grid->addWidget(label, 1, 0);
    grid->addWidget(command, 1, 1);
    grid->setColumnStretch(1, 1);
    labelFields_[slot] = label;
    commandFields_[slot] = command;
    layout->addWidget(group);
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(desktop::FromUtf8(text::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(desktop::FromUtf8(text::kCancel), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &UserPushbuttonsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &UserPushbuttonsDialog::reject);
  layout->addWidget(buttons);
  desktop::PlaceOnScreen(this);
}

bool UserPushbuttonsDialog::TranslateField(int index, std::string& bytes) {
  QLineEdit* field = CommandField(index);
  CommandTranslation record;
  record.input = desktop::ToLatin1(field->text());
  record.maxLength = kMaxCommandLength;
  switch (TranslateCommandString(record)) {
    case TranslateResult::Success:
      bytes.assign(record.output.begin(),
                   record.output.begin() + static_cast<std::ptrdiff_t>(record.outputLength));
      return true;
    case TranslateResult::InvalidToken:
      field->setFocus();
      field->setSelection(static_cast<int>(record.errorStart),
                          static_cast<int>(record.errorEnd - record.errorStart));
      ShowMessage(this, desktop::FromUtf8(kInvalidCommandStringText));
      return false;
    case TranslateResult::TooLong:
      field->setFocus();
      field->selectAll();
      ShowMessage(this, desktop::FromUtf8(CommandTooLongText(kMaxCommandLength)));
      return false;
  }
  return false;
}

void UserPushbuttonsDialog::accept() {
  Texts commands;
  for (int i = 0; i < kUserButtonCount; ++i) {
    if (!TranslateField(i, commands[static_cast<std::size_t>(i)]))
      return;
  }
  commands_ = commands;
  for (int i = 0; i < kUserButtonCount; ++i) {
    labels_[static_cast<std::size_t>(i)] = desktop::ToLatin1(LabelField(i)->text());
  }
  QDialog::accept();
}

}  // namespace mx::nettest
