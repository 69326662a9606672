#pragma once
// The Read Sw tab: what a press of the channel's read switch does, how it starts and stops
// continuous reads, and its contact bounce time. On channel A it also edits the string sent to the
// host computer and the LED of the custom read sequence, which belong to the whole interface.

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

class QLabel;
class QWidget;

namespace mx::editor {

class ReadSwitchPage : public SetupPage {
  Q_OBJECT
 public:
  explicit ReadSwitchPage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;
  void FocusFirstChoice() override;
  // Recomputes what the channel and model allow; may move a step mode the model lacks back to a
  // single read.
  void ApplyEnabling();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildOperationGroup();
  QWidget* BuildContactBounceGroup();
  void OnModeClicked(int mode);
  void FilterSequence();

  ChoiceBinding* mode_;
  TextBinding* host_;
  QLabel* hostNote_;
  TextBinding* sequence_;
  CheckBinding* led_;
  ChoiceBinding* press_;
  NumberBinding* bounce_;

  ControlSet everyChannel_;  // enabled wherever the switch can be used at all
  ControlSet stepModes_;
  ControlSet hostString_;
};

}  // namespace mx::editor
