#pragma once
// The Extended tab: the arithmetic the interface applies to the channel's readings before output
// (units conversion, absolute value, the equation Result = A + B * Measurement).

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

namespace mx::editor {

class ExtendedPage : public SetupPage {
  Q_OBJECT
 public:
  explicit ExtendedPage(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;
  void FocusFirstChoice() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildUnitsGroup();
  QWidget* BuildMathGroup();
  QWidget* BuildEquationGroup();
  QWidget* BuildCustomFeatureGroup();
  // Whether this channel's readings reach the arithmetic at all.
  bool SwitchedOff();
  ListBinding* MakeDecimalsList(Field<FieldType::U8> field);

  ChoiceBinding* conversion_;
  ListBinding* conversionDecimals_;
  CheckBinding* absolute_;
  CheckBinding* equation_;
  DecimalBinding* constant_;
  DecimalBinding* slope_;
  ListBinding* equationDecimals_;
  ChoiceBinding* customFeature_;

  ControlSet allControls_;
  ControlSet equationValues_;
};

}  // namespace mx::editor
