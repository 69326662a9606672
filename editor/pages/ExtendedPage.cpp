#include "editor/pages/ExtendedPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/ExtendedTexts.h"
#include "editor/pages/StatusTexts.h"

namespace mx::editor {
namespace {

namespace t = text::extended;

constexpr int kMostDecimals = 6;

}  // namespace

ExtendedPage::ExtendedPage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kExtended, parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(BuildUnitsGroup(), 0, 0);
  layout->addWidget(BuildMathGroup(), 0, 1);
  layout->addWidget(BuildEquationGroup(), 1, 0);
  layout->addWidget(BuildCustomFeatureGroup(), 1, 1);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(0, 1);
  LoadFromImage();
}

ListBinding* ExtendedPage::MakeDecimalsList(Field<FieldType::U8> field) {
  auto* list = new ListBinding(Document(), field, this);
  list->Add(QString(), decimals::kVariable);
  for (int places = 0; places <= kMostDecimals; ++places)
    list->Add(QString::number(places), places);
  // Both lists as wide as a few digits, whatever their entries.
  list->List()->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->List()->setMinimumContentsLength(3);
  return list;
}

QWidget* ExtendedPage::BuildUnitsGroup() {
  QGroupBox* group = MakeGroup(t::kGroupUnits);
  auto* grid = new QGridLayout(group);
  conversion_ = new ChoiceBinding(Document(), fld::unitsConversion, this);
  int row = 0;
  for (std::string_view caption : {text::kNone, t::kMmToInch, t::kInchToMm})
    grid->addWidget(conversion_->Add(caption), row++, 0, 1, 3);
  conversionDecimals_ = MakeDecimalsList(fld::unitsDecimals);
  QLabel* label = LabelFor(t::kDecimalPlaces, conversionDecimals_->List());
  grid->addWidget(label, row, 0);
  grid->addWidget(conversionDecimals_->List(), row, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row + 1, 1);
  allControls_.Add(conversion_->Buttons());
  allControls_.Add({label, conversionDecimals_->List()});
  connect(conversion_, &ChoiceBinding::Clicked, this, [this](int conversion) {
    conversionDecimals_->List()->setEnabled(conversion != 0 && !SwitchedOff());
  });
  return group;
}

QWidget* ExtendedPage::BuildMathGroup() {
  QGroupBox* group = MakeGroup(t::kGroupMath);
  auto* column = new QVBoxLayout(group);
  absolute_ = new CheckBinding(Document(), fld::absoluteValue, t::kAbsoluteValue, this);
  column->addWidget(absolute_->Box());
  column->addStretch();
  allControls_.Add({absolute_->Box()});
  return group;
}

QWidget* ExtendedPage::BuildEquationGroup() {
  QGroupBox* group = MakeGroup(t::kGroupEquation);
  auto* grid = new QGridLayout(group);
  equation_ = new CheckBinding(Document(), fld::equationEnabled, t::kEnableEquation, this);
  grid->addWidget(equation_->Box(), 0, 0, 1, 3);
  constant_ = new DecimalBinding(Document(), fld::equationA, this);
  slope_ = new DecimalBinding(Document(), fld::equationB, this);
  equationDecimals_ = MakeDecimalsList(fld::equationDecimals);
  QLabel* constantLabel = LabelFor(t::kConstant, constant_->Box());
  QLabel* slopeLabel = LabelFor(t::kSlope, slope_->Box());
  QLabel* decimalsLabel = LabelFor(t::kDecimalPlaces, equationDecimals_->List());
  grid->addWidget(constantLabel, 1, 0);
  grid->addWidget(constant_->Box(), 1, 1);
  grid->addWidget(slopeLabel, 2, 0);
  grid->addWidget(slope_->Box(), 2, 1);
  grid->addWidget(decimalsLabel, 3, 0);
  grid->addWidget(equationDecimals_->List(), 3, 1, Qt::AlignLeft);
  QLabel* result = MakeLabel(t::kResult);
  grid->addWidget(result, 4, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);
  constant_->StoreWhenLeft();
  slope_->StoreWhenLeft();
  allControls_.Add({equation_->Box(), constantLabel, constant_->Box(), slopeLabel, slope_->Box(),
                    decimalsLabel, equationDecimals_->List(), result});
  equationValues_ = {constant_->Box(), slope_->Box(), equationDecimals_->List()};
  // Clearing the box keeps A and B in the image; ticking it shows them again.
  connect(equation_, &CheckBinding::Clicked, this,
          [this](bool ticked) { equationValues_.SetEnabled(ticked); });
  return group;
}

QWidget* ExtendedPage::BuildCustomFeatureGroup() {
  QGroupBox* group = MakeGroup(t::kGroupCustomFeature);
  auto* column = new QVBoxLayout(group);
  // Room for features to come: "None" is all there is, and nothing is stored.
  customFeature_ = new ChoiceBinding(Document(), fld::customFeature, this);
  column->addWidget(customFeature_->Add(text::kNone));
  for (int i = 0; i < 2; ++i) {
    QRadioButton* future = customFeature_->Add(t::kFuture);
    future->setEnabled(false);
    column->addWidget(future);
  }
  column->addStretch();
  allControls_.Add({customFeature_->Button(0)});
  return group;
}

bool ExtendedPage::SwitchedOff() {
  const ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  return image.Get(fld::gageType, c) == gage::kDisabled ||
         image.Get(fld::transferAsReceived, c) == 1;
}

void ExtendedPage::LoadFromImage() {
  const ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  const bool off = SwitchedOff();
  allControls_.SetEnabled(!off);
  absolute_->Load();
  conversion_->Load();
  conversionDecimals_->List()->setEnabled(
      image.Get(fld::unitsConversion, c) != unitsConversion::kNone && !off);
  conversionDecimals_->Load();
  equation_->Load();
  equationValues_.SetEnabled(image.Get(fld::equationEnabled, c) != 0 && !off);
  constant_->Load();
  slope_->Load();
  equationDecimals_->Load();
  customFeature_->Select(0);
  // An RS232 gage in immediate pass-through sends its packets on untouched.
  const bool passThrough = image.Get(fld::gageType, c) == gage::kRs232 &&
                           image.Get(fld::endOfPacketMode, c) == endOfPacket::kNone;
  if (passThrough)
    allControls_.SetEnabled(false);
  // The reason lies on another tab, so the page says where.
  std::string_view why;
  if (image.Get(fld::gageType, c) == gage::kDisabled)
    why = t::kOffChannelDisabled;
  else if (image.Get(fld::transferAsReceived, c) == 1)
    why = t::kOffAsReceived;
  else if (passThrough)
    why = t::kOffPassThrough;
  setToolTip(desktop::FromUtf8(why));
}

void ExtendedPage::StoreToImage() {
  absolute_->Store();
  conversion_->Store();
  conversionDecimals_->Store();
  equation_->Store();
  constant_->Store();
  slope_->Store();
  equationDecimals_->Store();
}

void ExtendedPage::FocusFirstChoice() {
  conversion_->FocusSelected();
}

void ExtendedPage::showEvent(QShowEvent* event) {
  SetupPage::showEvent(event);
  LoadFromImage();
}

void ExtendedPage::hideEvent(QHideEvent* event) {
  StoreToImage();
  SetupPage::hideEvent(event);
}

}  // namespace mx::editor
