#pragma once
// The Basic tab: for the channel shown, the kind of gage on the input and how each reading leaves
// the interface (output format, calculated results, channel ID, end of output, the custom format).

#include <array>

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

class QLabel;

namespace mx::editor {

class BasicPage : public SetupPage {
  Q_OBJECT
 public:
  explicit BasicPage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;
  void FocusFirstChoice() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildGageGroup();
  QWidget* BuildFormatGroup();
  QWidget* BuildFormatTextGroup();
  QWidget* BuildIdGroup();
  QWidget* BuildEndGroup();
  QWidget* BuildTirGroup();

  int8_t Gage();
  bool TransferAsReceived();
  // The four groups switched together; each is forced off where the channel cannot use it.
  void SwitchOutput(bool on);
  void SwitchFormatText(bool on);
  void SwitchTirSetup(bool on);
  void SwitchCount(bool on);
  void ApplyFormatRule(int format);
  void ApplyIncludeRule();
  void OnGageClicked(int gage);
  void OnOrderChanged(NumberBinding* order);

  ChoiceBinding* gage_;
  ChoiceBinding* format_;
  CheckBinding* include_;
  NumberBinding* readings_;
  TextBinding* formatText_;
  ChoiceBinding* id_;
  TextBinding* idText_;
  ChoiceBinding* end_;
  TextBinding* endText_;
  std::array<NumberBinding*, 6> orders_{};
  CheckBinding* individual_;
  NumberBinding* tirReadings_;
  TextBinding* afterData_;

  ControlSet output_;
  ControlSet formatTextControls_;
  ControlSet tirSetup_;
  ControlSet count_;
  ControlSet chanId_;
  ControlSet tirCount_;
};

}  // namespace mx::editor
