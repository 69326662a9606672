#pragma once
// The setup program's window on the virtual bench: the document, the main frame and the simulated
// serial ports on a virtual clock, with private preferences, and helpers that find controls by
// their captions and answer the modal boxes as a user would.

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/device/DeviceEnvironment.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/CMainFrame.h"
#include "link/LinkSettings.h"
#include "tests/support/SimulatedPorts.h"
#include "tests/support/TempDir.h"

namespace mx::test {

// Points the per-user preferences at a private folder for the whole test program.
void UsePrivatePreferences();

// The button with this exact caption (an ampersand shown as itself), inside the group box titled
// `group` when one is given (the group on the tab shown, when several tabs have one of that title).
QAbstractButton* FindButton(QWidget* root, const QString& caption, const QString& group = {});
QGroupBox* FindGroup(QWidget* root, const QString& title);
// What a screen reader announces for a control: a button's caption, a box's label.
QString AccessibleName(QWidget* control);
// The control of this type with this exact accessible name, or null.
template <typename Widget>
Widget* FindNamed(QWidget* root, const QString& name) {
  for (Widget* control : root->findChildren<Widget*>()) {
    if (AccessibleName(control) == name)
      return control;
  }
  return nullptr;
}

struct ShownMessage {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers every modal window that opens: message boxes, through the programs' answerer, are
// recorded and answered (OK, or the next queued button); other dialogs get the next queued action.
class ModalWatcher : public QObject {
 public:
  ModalWatcher();
  ~ModalWatcher() override;
  std::vector<ShownMessage> messages;
  std::deque<QMessageBox::StandardButton> answers;  // for questions; OK otherwise
  std::deque<std::function<void(QWidget*)>> dialogActions;
  // Runs at every tick while no modal window is open (to press Cancel during a scan, say).
  std::function<void()> idle;

 private:
  void Tick();
  QTimer timer_;
};

struct WindowBench : SimulatedPorts {
  WindowBench();
  ~WindowBench();

  MemoryPreferencesStore store;
  editor::DeviceEnvironment environment;
  std::unique_ptr<editor::CMX3_SetupDoc> document;
  std::unique_ptr<editor::CMainFrame> frame;
  ModalWatcher watcher;
  TempDir folder;

  editor::CMX3_SetupView& View() { return *frame->View(); }
  ParameterImage& Image() { return document->Image(); }
  ModelIndex Model() { return View().CurrentModel(); }
  QAbstractButton* Button(const QString& caption, const QString& group = {}) {
    return FindButton(frame.get(), caption, group);
  }
  // Clicks a button found by caption; fails the test when there is none.
  void Click(const QString& caption, const QString& group = {});
  void Trigger(int commandId);
  // The menu command with this exact caption ("Mesurix5 Plus"), or null.
  QAction* MenuCommand(std::string_view caption) const;
  // Chooses a menu command by its caption; fails the test when there is none.
  void Choose(std::string_view caption);

  void StorePlace(int port, int baud, char parity, char dataBits) {
    SaveLinkSettings(store, LinkSettings{port, baud, parity, dataBits, '1'});
  }
  std::vector<QString> Texts() const;
};

}  // namespace mx::test
