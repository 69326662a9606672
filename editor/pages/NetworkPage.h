#pragma once
// The Network tab: the interface's network setup (address, mask, base port, network channels,
// default gateway) and the routing of readings to the RS232 port and the six network channels,
// with the grid of input channels that feed each output. "Update network settings" edits the
// document's flag that a send keeps the network fields shown here instead of the interface's own.

#include <array>

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

class QCheckBox;
class QLabel;

namespace mx::editor {

class AddressEdit;

class NetworkPage : public SetupPage {
  Q_OBJECT
 public:
  explicit NetworkPage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;

 private:
  // Row 0 is the RS232 port, rows 1..6 the network channels.
  static constexpr int kRows = 7;
  struct GridRow {
    QCheckBox* target = nullptr;
    QCheckBox* all = nullptr;
    std::array<CheckBinding*, 5> channels{};
  };

  QWidget* BuildSetupGroup();
  QWidget* BuildTargetsGroup();
  ParameterImage& Image();
  bool NetworkModel();
  void ApplyRowRule(int row);
  void ApplyCaptionRule();
  void ApplySetupRule(bool on);
  void LoadRow(int row);
  void OnEnableClicked();
  void OnUpdateClicked();
  void OnBasePortLeft();
  void OnAllClicked(int row);

  CheckBinding* enable_ = nullptr;
  QCheckBox* update_ = nullptr;
  ChoiceBinding* server_ = nullptr;
  AddressEdit* address_ = nullptr;
  AddressEdit* mask_ = nullptr;
  NumberBinding* basePort_ = nullptr;
  ListBinding* channelCount_ = nullptr;
  CheckBinding* gatewayEnabled_ = nullptr;
  QLabel* gatewayLabel_ = nullptr;
  AddressEdit* gateway_ = nullptr;
  // Enabled while the network settings may be edited ("Update network settings").
  ControlSet editable_;
  std::array<GridRow, kRows> rows_{};
  // The C, D and E headings and boxes, shown on five-channel models only.
  std::vector<QWidget*> lastThreeColumns_;
};

}  // namespace mx::editor
