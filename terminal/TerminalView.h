#pragma once
// What the test controller needs of its window. The Qt window implements it; the tests record.

#include <string_view>

namespace mx::terminal {

class SetupDialogModel;

enum class PaneOrigin {
  Received,  // after such text the pane trims itself (TrimFor)
  Typed,     // echo of bytes the user sent; never trims
};

enum class Focus { Pane, Exit };

class TerminalView {
 public:
  virtual ~TerminalView() = default;

  // Adds text at the end of the pane, caret and view following; '\n' starts a new line. Nothing
  // added here is sent again.
  virtual void AppendToPane(std::string_view text, PaneOrigin origin) = 0;
  virtual void ClearPane() = 0;
  virtual void MoveFocus(Focus focus) = 0;
  // Lamps, rows, buttons, caption or progress may have changed: read TerminalController::Status.
  virtual void StatusChanged() = 0;
  // A failure the user must know of (the port would not open), shown with the warning sign.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
  // Shows the setup dialog on `model` until OK (true) or Cancel (false).
  virtual bool RunSetupDialog(SetupDialogModel& model) = 0;
};

}  // namespace mx::terminal
