#include "editor/pages/BasicPage.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/ModelTable.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/BasicTexts.h"
#include "editor/pages/StatusTexts.h"

namespace mx::editor {
namespace {

namespace t = text::basic;

// The output positions of the six calculated items, in the order of their rows.
constexpr Field<FieldType::I8> kOrderFields[] = {fld::orderNum, fld::orderMin, fld::orderMax,
                                                 fld::orderTir, fld::orderAvg, fld::orderSd};

QFrame* Rule() {
  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

// Zero-fills a decoded text's bytes when its mode does not use it; returns the count to store.
uint16_t EncodeIf(bool used, ParameterImage& image, Field<FieldType::Text> text,
                  Field<FieldType::Bytes> bytes, int channel) {
  if (used)
    return DecodeTypedText(image, text, bytes, channel);
  auto buffer = image.Span(bytes, channel);
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  return 0;
}

}  // namespace

BasicPage::BasicPage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kBasic, parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(BuildGageGroup(), 0, 0);
  layout->addWidget(BuildFormatGroup(), 0, 1);
  layout->addWidget(BuildTirGroup(), 0, 2, 2, 1);
  layout->addWidget(BuildIdGroup(), 1, 0);
  layout->addWidget(BuildEndGroup(), 1, 1);
  layout->addWidget(BuildFormatTextGroup(), 2, 0, 1, 3);
  layout->setRowStretch(3, 1);
  LoadFromImage();
}

QWidget* BasicPage::BuildGageGroup() {
  QGroupBox* group = MakeGroup(t::kGroupGageType);
  auto* column = new QVBoxLayout(group);
  gage_ = new ChoiceBinding(Document(), fld::gageType, this);
  for (std::string_view caption :
       {t::kAutoSelect, t::kCdi, t::kFederal, t::kMitutoyo, t::kOnoSokki})
    column->addWidget(gage_->Add(caption));
  column->addWidget(Rule());
  column->addWidget(gage_->Add(t::kRs232));
  column->addWidget(gage_->Add(t::kDisableChannel));
  column->addStretch();
  connect(gage_, &ChoiceBinding::Clicked, this, &BasicPage::OnGageClicked);
  return group;
}

QWidget* BasicPage::BuildFormatGroup() {
  QGroupBox* group = MakeGroup(t::kGroupOutputFormat);
  auto* column = new QVBoxLayout(group);
  format_ = new ChoiceBinding(Document(), fld::outputFormat, this);
  for (std::string_view caption :
       {t::kStandard, t::kLeftJustify, t::kPulseport, t::kMux10, t::kTir, text::kCustom})
    column->addWidget(format_->Add(caption));
  connect(format_, &ChoiceBinding::Clicked, this, &BasicPage::ApplyFormatRule);

  include_ = new CheckBinding(Document(), fld::includeCalculated, t::kIncludeCalculated, this);
  column->addWidget(include_->Box());
  connect(include_, &CheckBinding::Clicked, this, &BasicPage::ApplyIncludeRule);

  readings_ = new NumberBinding(Document(), fld::calcReadingCount, box::kReadingCount, this);
  FitToCharacters(readings_->Box(), 5);
  QLabel* label = LabelFor(t::kNumberOfReadings, readings_->Box());
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(readings_->Box());
  row->addStretch();
  column->addLayout(row);
  column->addStretch();
  output_.Add(format_->Buttons());
  output_.Add({include_->Box(), label, readings_->Box()});
  count_ = {label, readings_->Box()};
  return group;
}

QWidget* BasicPage::BuildFormatTextGroup() {
  QGroupBox* group = MakeGroup(t::kGroupFormatText);
  auto* column = new QVBoxLayout(group);
  formatText_ = new TextBinding(Document(), fld::customFormatText, this);
  NameAfter(formatText_->Box(), desktop::FromUtf8(t::kGroupFormatText));
  column->addWidget(formatText_->Box());
  formatTextControls_.Add({formatText_->Box()});

  // The legend: what the letters of the format text stand for.
  auto* legend = new QGridLayout;
  const std::string_view entries[][2] = {{t::kLegendM, t::kLegendMeasurement},
                                         {t::kLegendC, t::kLegendCounter},
                                         {t::kLegendL, t::kLegendLabel},
                                         {t::kLegendU, t::kLegendUnits},
                                         {t::kLegendText, t::kLegendTextHelp}};
  for (int i = 0; i < 5; ++i) {
    QLabel* letter = MakeLabel(entries[i][0]);
    QLabel* equals = MakeLabel(t::kEquals);
    QLabel* meaning = MakeLabel(entries[i][1]);
    meaning->setWordWrap(true);
    const bool last = i == 4;
    const int row = last ? 2 : i % 2;
    const int column0 = last ? 0 : (i / 2) * 3;
    legend->addWidget(letter, row, column0);
    legend->addWidget(equals, row, column0 + 1);
    legend->addWidget(meaning, row, column0 + 2, 1, last ? 7 : 1);
    formatTextControls_.Add({letter, equals, meaning});
  }
  legend->setColumnStretch(2, 1);
  legend->setColumnStretch(5, 1);
  legend->setColumnStretch(8, 2);
  column->addLayout(legend);
  return group;
}

QWidget* BasicPage::BuildIdGroup() {
  QGroupBox* group = MakeGroup(t::kGroupId);
  auto* column = new QVBoxLayout(group);
  id_ = new ChoiceBinding(Document(), fld::idMode, this);
  for (std::string_view caption : {text::kNone, t::kPrefix, t::kSuffix})
    column->addWidget(id_->Add(caption));
  connect(id_, &ChoiceBinding::Clicked, this, [this](int mode) { chanId_.SetEnabled(mode != 0); });

  idText_ = new TextBinding(Document(), fld::idText, this);
  FitToCharacters(idText_->Box(), 12);
  QLabel* label = LabelFor(t::kChanId, idText_->Box());
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(idText_->Box(), 1);
  column->addLayout(row);
  column->addStretch();
  chanId_ = {label, idText_->Box()};
  output_.Add(id_->Buttons());
  output_.Add({label, idText_->Box()});
  return group;
}

QWidget* BasicPage::BuildEndGroup() {
  QGroupBox* group = MakeGroup(t::kGroupEnd);
  auto* column = new QVBoxLayout(group);
  end_ = new ChoiceBinding(Document(), fld::endOfOutputMode, this);
  for (std::string_view caption : {text::kNone, t::kCarriageReturn, t::kCarriageReturnLineFeed})
    column->addWidget(end_->Add(caption));
  QRadioButton* custom = end_->Add(text::kCustom);
  endText_ = new TextBinding(Document(), fld::endOfOutputText, this);
  FitToCharacters(endText_->Box(), 10);
  NameAfter(endText_->Box(), desktop::FromUtf8(text::kCustom));
  auto* row = new QHBoxLayout;
  row->addWidget(custom);
  row->addWidget(endText_->Box(), 1);
  column->addLayout(row);
  column->addStretch();
  output_.Add(end_->Buttons());
  output_.Add({endText_->Box()});
  connect(end_, &ChoiceBinding::Clicked, this,
          [this](int mode) { endText_->Box()->setEnabled(mode == endOfOutput::kCustom); });
  return group;
}

QWidget* BasicPage::BuildTirGroup() {
  QGroupBox* group = MakeGroup(t::kGroupTirSetup);
  auto* grid = new QGridLayout(group);
  QLabel* order = MakeLabel(t::kOrder);
  QLabel* item = MakeLabel(t::kItem);
  QFrame* orderRule = Rule();
  QFrame* itemRule = Rule();
  grid->addWidget(order, 0, 0);
  grid->addWidget(item, 0, 1);
  grid->addWidget(orderRule, 1, 0);
  grid->addWidget(itemRule, 1, 1);
  tirSetup_.Add({order, item, orderRule, itemRule});

  const std::string_view items[] = {t::kItemNum, t::kItemMin, t::kItemMax,
                                    t::kItemTir, t::kItemAvg, t::kItemSd};
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    auto* box = new NumberBinding(Document(), kOrderFields[i], box::kOrder, this);
    FitToCharacters(box->Box(), 1);
    QLabel* label = LabelFor(items[i], box->Box());
    grid->addWidget(box->Box(), static_cast<int>(i) + 2, 0);
    grid->addWidget(label, static_cast<int>(i) + 2, 1);
    connect(box->Box(), &QLineEdit::textChanged, this, [this, box] { OnOrderChanged(box); });
    tirSetup_.Add({box->Box(), label});
    orders_[i] = box;
  }

  individual_ = new CheckBinding(Document(), fld::outputIndividual, t::kOutputIndividual, this);
  grid->addWidget(individual_->Box(), 8, 0, 1, 2);

  tirReadings_ = new NumberBinding(Document(), fld::tirReadingCount, box::kReadingCount, this);
  FitToCharacters(tirReadings_->Box(), 5);
  QLabel* tirLabel = LabelFor(t::kNumberOfTirReadings, tirReadings_->Box());
  auto* tirRow = new QHBoxLayout;
  tirRow->addWidget(tirLabel);
  tirRow->addWidget(tirReadings_->Box());
  tirRow->addStretch();
  grid->addLayout(tirRow, 9, 0, 1, 2);
  tirCount_ = {tirLabel, tirReadings_->Box()};

  afterData_ = new TextBinding(Document(), fld::afterDataText, this);
  QLabel* afterLabel = LabelFor(t::kAfterData, afterData_->Box());
  grid->addWidget(afterLabel, 10, 0, 1, 2);
  grid->addWidget(afterData_->Box(), 11, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(12, 1);
  tirSetup_.Add({individual_->Box(), afterLabel, afterData_->Box()});
  return group;
}

int8_t BasicPage::Gage() {
  return Document().Image().Get(fld::gageType, Document().CurrentChannel());
}

bool BasicPage::TransferAsReceived() {
  return Document().Image().Get(fld::transferAsReceived, Document().CurrentChannel()) == 1;
}

void BasicPage::SwitchOutput(bool on) {
  const int8_t gage = Gage();
  output_.SetEnabled(on && gage != gage::kDisabled &&
                     !(gage == gage::kRs232 && TransferAsReceived()));
}

void BasicPage::SwitchFormatText(bool on) {
  formatTextControls_.SetEnabled(on && Gage() != gage::kDisabled);
}

void BasicPage::SwitchTirSetup(bool on) {
  tirSetup_.SetEnabled(on && Gage() != gage::kDisabled);
  tirCount_.SetEnabled(format_->Selected() == outputFormat::kTir);
}

void BasicPage::SwitchCount(bool on) {
  count_.SetEnabled(on);
}

void BasicPage::ApplyFormatRule(int format) {
  if (format < 0 || format > outputFormat::kCustom)
    return;
  const bool disabled = Gage() == gage::kDisabled;
  const bool calculated =
      Document().Image().Get(fld::includeCalculated, Document().CurrentChannel()) != 0;
  if (format == outputFormat::kTir) {
    SwitchFormatText(true);
    SwitchTirSetup(true);
    include_->Box()->setEnabled(false);
    SwitchCount(false);
    return;
  }
  SwitchFormatText(format == outputFormat::kCustom || calculated);
  SwitchTirSetup(calculated);
  include_->Box()->setEnabled(!disabled);
  include_->Store();
  SwitchCount(include_->IsTicked() && !disabled);
}

void BasicPage::ApplyIncludeRule() {
  include_->Store();
  SwitchCount(include_->IsTicked());
  if (const std::optional<int> format = format_->Selected())
    ApplyFormatRule(*format);
}

void BasicPage::OnGageClicked(int gage) {
  ParameterImage& image = Document().Image();
  const int channel = Document().CurrentChannel();
  const int8_t old = image.Get(fld::gageType, channel);
  image.Set(fld::gageType, static_cast<int8_t>(gage), channel);
  // Entering or leaving RS232 or "Disable channel" changes what the rest of the page may offer.
  const bool rs232Changed = (old == gage::kRs232) != (gage == gage::kRs232);
  const bool disabledChanged = (old == gage::kDisabled) != (gage == gage::kDisabled);
  if (rs232Changed || disabledChanged) {
    StoreToImage();
    LoadFromImage();
  }
}

void BasicPage::OnOrderChanged(NumberBinding* order) {
  // Positions are 1..9; anything else is erased as it is typed. Erasing an empty box changes
  // nothing, so the check never runs into itself.
  const long long position = order->Typed();
  if (!order->Box()->text().isEmpty() && (position < 1 || position > 9))
    order->Box()->clear();
}

void BasicPage::LoadFromImage() {
  ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  SwitchOutput(true);

  const bool serialOnly = IsRs232Only(Document().CurrentModel());
  ApplyGageRule(image, Document().CurrentModel(), c);
  const bool digital = !serialOnly && c != channel::kE;
  for (int type = gage::kAutoSelect; type <= gage::kOnoSokki; ++type)
    gage_->Button(type)->setEnabled(digital);

  gage_->Load();
  include_->Load();
  format_->Load();
  if (const std::optional<int> format = format_->Selected())
    ApplyFormatRule(*format);
  ApplyIncludeRule();
  readings_->Load();

  const bool asReceived = TransferAsReceived();
  id_->Load();
  idText_->Load();
  chanId_.SetEnabled(image.Get(fld::idMode, c) != idMode::kNone && !asReceived);
  end_->Load();
  endText_->Load();
  endText_->Box()->setEnabled(image.Get(fld::endOfOutputMode, c) == endOfOutput::kCustom &&
                              !asReceived);

  for (std::size_t i = 0; i < orders_.size(); ++i)
    orders_[i]->Show(std::max<int8_t>(0, image.Get(kOrderFields[i], c)));

  tirReadings_->Load();
  afterData_->Load();
  individual_->Load();
  formatText_->Load();

  // An RS232 gage whose packets pass through unparsed gets no output formatting.
  if (Gage() == gage::kRs232 &&
      (image.Get(fld::endOfPacketMode, c) == endOfPacket::kNone || asReceived)) {
    SwitchOutput(false);
    SwitchTirSetup(false);
    SwitchFormatText(false);
    tirCount_.SetEnabled(false);
  }
}

void BasicPage::StoreToImage() {
  ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  gage_->Store();
  format_->Store();

  readings_->Write(StoredReadingCount(image, c, readings_->Clamped()));

  id_->Store();
  idText_->Store();
  image.Set(
      fld::idLength,
      EncodeIf(image.Get(fld::idMode, c) != idMode::kNone, image, fld::idText, fld::idBytes, c), c);
  end_->Store();
  endText_->Store();
  image.Set(fld::endOfOutputLength,
            EncodeIf(image.Get(fld::endOfOutputMode, c) == endOfOutput::kCustom, image,
                     fld::endOfOutputText, fld::endOfOutputBytes, c),
            c);

  for (NumberBinding* order : orders_)
    order->Store();
  tirReadings_->Store();
  individual_->Store();
  afterData_->Store();
  image.Set(fld::afterDataLength, EncodeIf(true, image, fld::afterDataText, fld::afterDataBytes, c),
            c);
  formatText_->Store();
  CompileCustomFormat(image, c);
}

void BasicPage::FocusFirstChoice() {
  gage_->FocusSelected();
}

void BasicPage::showEvent(QShowEvent* event) {
  SetupPage::showEvent(event);
  LoadFromImage();
}

void BasicPage::hideEvent(QHideEvent* event) {
  StoreToImage();
  SetupPage::hideEvent(event);
}

}  // namespace mx::editor
