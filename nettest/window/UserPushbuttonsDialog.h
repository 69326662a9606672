#pragma once
// "User Pushbuttons": the labels and command strings of U 1 to U 4. Commands are edited in brace
// notation and stored as bytes; OK refuses to close while a command string does not translate.

#include <QDialog>
#include <array>
#include <string>

#include "nettest/LtnFormat.h"

class QLineEdit;

namespace mx::nettest {

class UserPushbuttonsDialog : public QDialog {
  Q_OBJECT
 public:
  using Texts = std::array<std::string, kUserButtonCount>;

  UserPushbuttonsDialog(const Texts& labels, const Texts& commands, QWidget* parent = nullptr);

  // Valid after the dialog was accepted.
  const Texts& Labels() const { return labels_; }
  const Texts& Commands() const { return commands_; }

  QLineEdit* LabelField(int index) const { return labelFields_[static_cast<std::size_t>(index)]; }
  QLineEdit* CommandField(int index) const {
    return commandFields_[static_cast<std::size_t>(index)];
  }

  // Shows stored command bytes for editing: braces on, names off ({CR}, {200}, {{}, plain blanks).
  static QString CommandForEditing(const std::string& bytes);

 public slots:
  void accept() override;

 private:
  // Checks one field; on failure points at the fault and says why.
  bool TranslateField(int index, std::string& bytes);

  std::array<QLineEdit*, kUserButtonCount> labelFields_{};
  std::array<QLineEdit*, kUserButtonCount> commandFields_{};
  Texts labels_;
  Texts commands_;
};

}  // namespace mx::nettest
