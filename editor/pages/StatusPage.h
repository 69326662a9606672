#pragma once
// The Status tab: where and what the interface is, the Find button, the model choice, and the
// global settings of the host serial line, the starting channel, the description and the default
// pushbutton.

#include <array>

#include "core/ModelTable.h"
#include "editor/pages/SetupPage.h"
#include "link/ConnectionStatus.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace mx::editor {

class FindButton;

// The Custom starting channel as typed: read like "%d" (blanks, sign, digits; nothing gives 0),
// then held to 1..98.
int ClampStartChannelNumber(const QString& typed);

class StatusPage : public SetupPage {
  Q_OBJECT
 public:
  explicit StatusPage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;

  // Empty lines when `lines` is null (the link is gone), else the given lines; `serialTip` is the
  // tooltip of the serial line (the device's full path).
  void ShowConnectionLines(const ConnectionStatusLines* lines, const QString& serialTip = {});
  // Checks the model's radio button (none for an unknown model).
  void CheckModel(ModelIndex model);
  QAbstractButton* FindMesurixButton() const;

 signals:
  void FindRequested();
  void ModelClicked(int model);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildConnectionGroup();
  QWidget* BuildModelGroup();
  QWidget* BuildHostSerialGroup();
  QWidget* BuildStartChannelGroup();
  void ApplyParityRule(char parity);
  void CommitCustomNumber();

  FindButton* find_ = nullptr;
  std::array<QLabel*, 4> lines_{};
  QButtonGroup* models_ = nullptr;
  QButtonGroup* baud_ = nullptr;
  QButtonGroup* parity_ = nullptr;
  QButtonGroup* dataBits_ = nullptr;
  QRadioButton* stopBits_ = nullptr;
  QButtonGroup* handshake_ = nullptr;
  QButtonGroup* startChannel_ = nullptr;
  QLineEdit* custom_ = nullptr;
  QLineEdit* description_ = nullptr;
  QCheckBox* enableButton_ = nullptr;
};

}  // namespace mx::editor
