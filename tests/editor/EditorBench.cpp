#include "tests/editor/EditorBench.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QSettings>
#include <QStandardPaths>

#include <cstdlib>

#include "desktop/widgets/MessageBoxes.h"
#include "editor/frame/SetupApplication.h"

namespace mx::test {

void UsePrivatePreferences() {
  static TempDir home;
  static bool done = false;
  if (done)
    return;
  done = true;
  const std::string config = home.File("config");
  ::setenv("HOME", home.path().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ::setenv("XDG_STATE_HOME", home.File("state").c_str(), 1);  // the transfer log of a Send
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config));
  editor::SetPreferencesNames();
}

QAbstractButton* FindButton(QWidget* root, const QString& caption, const QString& group) {
  QWidget* scope = root;
  if (!group.isEmpty()) {
    scope = FindGroup(root, group);
    if (!scope)
      return nullptr;
  }
  for (QAbstractButton* button : scope->findChildren<QAbstractButton*>()) {
    if (button->text() == caption || AccessibleName(button) == caption)
      return button;
  }
  return nullptr;
}

QGroupBox* FindGroup(QWidget* root, const QString& title) {
  // Two tabs may carry a group of the same title ("Baud Rate: "): the one in view is meant.
  QGroupBox* hidden = nullptr;
  for (QGroupBox* box : root->findChildren<QGroupBox*>()) {
    if (box->title() != title && AccessibleName(box) != title)
      continue;
    if (box->isVisible())
      return box;
    if (!hidden)
      hidden = box;
  }
  return hidden;
}

QString AccessibleName(QWidget* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

ModalWatcher::ModalWatcher() {
  desktop::SetMessageBoxAnswerer([this](const QMessageBox& box) {
    messages.push_back({box.windowTitle(), box.text(), box.icon()});
    if (box.standardButtons() == QMessageBox::Ok)
      return QMessageBox::Ok;
    if (answers.empty())
      return QMessageBox::Cancel;
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
  });
  connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Tick);
  timer_.start(0);  // at every pass of the event loop, also inside the commands' pumps
}

ModalWatcher::~ModalWatcher() {
  desktop::SetMessageBoxAnswerer({});
}

void ModalWatcher::Tick() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) {
    if (idle)
      idle();
    return;
  }
  if (!modal->isVisible())
    return;
  if (!dialogActions.empty()) {
    auto action = std::move(dialogActions.front());
    dialogActions.pop_front();
    action(modal);
  } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  }
}

WindowBench::WindowBench() {
  UsePrivatePreferences();
  environment.store = &store;
  environment.line = &line;
  environment.clock = &clock;
  environment.ports = [this] { return ports; };
  document = std::make_unique<editor::CMX3_SetupDoc>();
  frame = std::make_unique<editor::CMainFrame>(*document, environment);
  document->NewDocument();
  document->SetMainWindow(frame.get());
  document->Core().UpdateCaption();
  frame->show();
  QApplication::setActiveWindow(frame.get());  // shortcuts need an active window
}

WindowBench::~WindowBench() {
  frame.reset();
}

void WindowBench::Click(const QString& caption, const QString& group) {
  QAbstractButton* button = Button(caption, group);
  ASSERT_NE(button, nullptr) << caption.toStdString() << " in " << group.toStdString();
  button->click();
}

void WindowBench::Trigger(int commandId) {
  QAction* action = frame->Action(commandId);
  ASSERT_NE(action, nullptr) << commandId;
  action->trigger();
}

QAction* WindowBench::MenuCommand(std::string_view caption) const {
  const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  for (QAction* action : frame->findChildren<QAction*>()) {
    if (action->text() == text)
      return action;
  }
  return nullptr;
}

void WindowBench::Choose(std::string_view caption) {
  QAction* action = MenuCommand(caption);
  ASSERT_NE(action, nullptr) << caption;
  action->trigger();
}

std::vector<QString> WindowBench::Texts() const {
  std::vector<QString> texts;
  for (const ShownMessage& message : watcher.messages)
    texts.push_back(message.text);
  return texts;
}

}  // namespace mx::test
