#pragma once
// The Toggle Sw tab: what the left and right positions of the toggle switch of Mesurix5 and
// Mesurix6 interfaces do. Which operations are allowed follows from the read switch settings of
// every channel, so the page enforces them whenever it is loaded, stored or hidden.

#include <array>

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace mx::editor {

class TogglePage : public SetupPage {
  Q_OBJECT
 public:
  explicit TogglePage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  // The rules of the read switch settings; may rewrite toggleMode.
  void ApplyEnabling();
  void LoadFromImage() override;
  // Every control has written its field when it was used; storing re-checks the rules.
  void StoreToImage() override;

 private:
  struct Column {
    QGroupBox* group = nullptr;
    std::array<CheckBinding*, 5> channels{};
    ChoiceBinding* readMode = nullptr;
  };

  QWidget* BuildOperationGroup();
  QGroupBox* BuildColumn(Column& column, std::string_view title, Field<FieldType::U8> channels,
                         Field<FieldType::U8> continuous);
  // The keyboard focus goes to `button` now (when the page is shown) and whenever the view hands
  // the page the focus after a tab switch; null: no particular control.
  void FocusOn(QRadioButton* button);
  void OnMaxChannelLeft();

  ChoiceBinding* mode_ = nullptr;
  // The operation buttons and the captions beside them, in the order they stand.
  QRadioButton* stepForward_ = nullptr;
  QRadioButton* restartSequence_ = nullptr;
  QLabel* stepForwardCaption_ = nullptr;
  QLabel* restartCaption_ = nullptr;
  QLabel* maxLabel_ = nullptr;
  NumberBinding* maxChannel_ = nullptr;
  // "Disabled", the third and fourth "Step back" and "Read channels", with their captions.
  ControlSet freeChoices_;
  Column left_;
  Column right_;
};

}  // namespace mx::editor
