#pragma once
// The communications test window: the pane with the traffic, the status panel of lamps and
// clickable rows, the character list, the activity row ("Log to file..." and the test strings'
// progress) and the ten buttons, driving a TerminalController. It is modal to the main window,
// takes 95 % of the work area, and its controls follow its size (WindowLayout).

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>

#include "desktop/widgets/CaptureControl.h"
#include "link/DeviceLink.h"
#include "terminal/TerminalController.h"
#include "terminal/TerminalView.h"
#include "terminal/WindowLayout.h"
#include "terminal/window/TerminalPrintout.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace mx::terminal {

class CommTestSetupDialog;
class TerminalPane;

class CommTestWindow : public QDialog, private TerminalView {
  Q_OBJECT
 public:
  static constexpr int kHelpTopic = 401;

  // What the window needs from the program around it.
  struct Hooks {
    std::function<void(int topic)> showHelp;
    // Find's windows and messages belong over this window from now on: the test window, its setup
    // dialog while that is open, null once the window has closed.
    std::function<void(QWidget* owner)> setFindOwner;
  };

  CommTestWindow(const DeviceLink& link, TestSettings& settings, Hooks hooks,
                 QWidget* parent = nullptr);
  ~CommTestWindow() override;

  // Takes 95 % of the work area, centred, shows the window, opens the port and starts the poll.
  void Open();
  // Open, then wait until the window closes.
  int Exec();

  TerminalController& Controller() { return controller_; }
  desktop::CaptureControl& Capture() { return *capture_; }
  TerminalPane* Pane() const { return pane_; }
  QTreeWidget* List() const { return list_; }
  // The setup dialog while it is open.
  CommTestSetupDialog* SetupDialog() const { return setupDialog_; }
  // Where the controls were first laid out, and at which client size.
  const WindowGeometry& InitialGeometry() const { return initial_; }
  QSize InitialClientSize() const { return initialClient_; }
  WindowGeometry CurrentGeometry() const;

  // Replaces the print dialog and the printer (tests): receives the job that would be printed.
  void SetPrinter(std::function<void(const PrintoutJob&)> print) { printer_ = std::move(print); }

  void done(int result) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // TerminalView
  void AppendToPane(std::string_view text, PaneOrigin origin) override;
  void ClearPane() override;
  void MoveFocus(Focus focus) override;
  void StatusChanged() override;
  void ShowMessage(std::string_view caption, std::string_view text) override;
  bool RunSetupDialog(SetupDialogModel& model) override;

  struct LampRow {
    QLabel* lamp = nullptr;
    QWidget* caption = nullptr;  // a QLabel, or the QToolButton of a clickable row
  };
  LampRow AddRow(QGroupBox* group, int row, std::string_view caption, std::string_view tip,
                 void (TerminalController::*operation)());
  QPushButton* AddButton(std::string_view caption);
  void BuildList();
  void LayOutFirst();
  void ApplyGeometry(const WindowGeometry& geometry);
  // Runs a controller operation with the poll held off, so a wait inside it cannot start a poll.
  void Do(const std::function<void()>& operation);
  void TypeListEntry();
  bool ListKey(QKeyEvent* event);
  void Print();
  void SetFindOwner(QWidget* owner);
  void ShowLineLamps(const LampRow& row, LineState state);
  void ShowLamp(const LampRow& row, Lamp lamp);
  QString ActivityText(const TerminalStatus& status) const;
  void ShowCounts();
  bool eventFilter(QObject* watched, QEvent* event) override;

  DeviceLink link_;
  Hooks hooks_;
  TerminalController controller_;
  desktop::CaptureControl* capture_ = nullptr;
  QTimer poll_;

  TerminalPane* pane_ = nullptr;
  QGroupBox* status_ = nullptr;
  LampRow cts_, dsr_, rts_, dtr_, port_, paused_, braces_, showCrLf_;
  QTreeWidget* list_ = nullptr;
  QWidget* activity_ = nullptr;
  QPushButton* logButton_ = nullptr;
  QLabel* activityText_ = nullptr;
  QLabel* counts_ = nullptr;
  QPushButton* resetCounts_ = nullptr;
  QProgressBar* burstProgress_ = nullptr;
  QPushButton* stopBurst_ = nullptr;
  std::array<QPushButton*, kButtonCount> buttons_{};

  WindowGeometry initial_;
  QSize initialClient_;
  bool laidOut_ = false;
  CommTestSetupDialog* setupDialog_ = nullptr;
  std::function<void(const PrintoutJob&)> printer_;
};

}  // namespace mx::terminal
