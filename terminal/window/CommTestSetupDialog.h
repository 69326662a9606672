#pragma once
// "Communications Test Setup: ": the port, the line, the two user buttons and the printer font
// size of the test window, as a view of a SetupDialogModel. The ports that could not be opened are
// greyed unless "Enable all" is ticked; "Find MX" selects where the interface answers; OK writes
// the fields back into the model, which the window then applies.

#include <QDialog>
#include <array>
#include <functional>

#include "link/PortMap.h"
#include "terminal/SetupDialogModel.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace mx::terminal {

class CommTestSetupDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpTopic = 400;

  CommTestSetupDialog(SetupDialogModel& model, std::function<void(int)> showHelp,
                      QWidget* parent = nullptr);

  void accept() override;

 private:
  void ShowModel();
  // The radio buttons' choices into the model.
  void TakeChoices();

  SetupDialogModel& model_;
  std::function<void(int)> showHelp_;
  std::array<QRadioButton*, kLastComPort + 1> ports_{};
  QButtonGroup* portGroup_ = nullptr;
  QCheckBox* enableAll_ = nullptr;
  QButtonGroup* baud_ = nullptr;
  QButtonGroup* parity_ = nullptr;
  QButtonGroup* dataBits_ = nullptr;
  QButtonGroup* stopBits_ = nullptr;
  QButtonGroup* printerFont_ = nullptr;
  std::array<QLineEdit*, 2> labels_{};
  std::array<QLineEdit*, 2> commands_{};
};

}  // namespace mx::terminal
