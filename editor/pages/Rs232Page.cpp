#include "editor/pages/Rs232Page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/PageMetrics.h"
#include "editor/pages/Rs232Texts.h"
#include "editor/pages/StatusTexts.h"
#include "editor/pages/TabVisibility.h"

namespace mx::editor {
namespace {

namespace t = text::rs232;

constexpr uint8_t kLevelLowBit = 0x10;
// Bits 4..7 belong to the editor (the level); bits 0..3 are carried as they are.
constexpr uint8_t kInterfaceBits = 0x0F;
constexpr uint8_t kDefaultEndOfPacketChar = 0x0D;
constexpr uint16_t kEmptyGapTimeMs = 100;

// Digital/RS232 inputs have no handshake line: a model that has them (Mesurix3, Mesurix5) has one
// only on its RS232-only channel E, if it has that channel.
bool HasHandshakeLevel(ModelIndex model, int channel) {
  if (!IsKnownModel(model) || IsRs232Only(model))
    return true;
  return ChannelCount(model) == kChannelCount && channel == channel::kE;
}

QString HexByte(int value) {
  return QString::asprintf("%02x", value & 0xFF);
}

// A value copied from a data sheet often carries the C prefix: "0x0D" is the byte 0d.
qsizetype HexPrefixLength(const QString& text) {
  return text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? 2 : 0;
}

QString HexDigits(const QString& text) {
  return text.mid(HexPrefixLength(text));
}

}  // namespace

Rs232Page::Rs232Page(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kRs232, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildLineGroups());
  auto* middle = new QHBoxLayout;
  middle->addWidget(BuildEndOfPacketGroup(), 1);
  middle->addWidget(BuildParsingGroup(), 1);
  layout->addLayout(middle);
  layout->addWidget(BuildReadCommandGroup());
  layout->addWidget(BuildResponseGroup());
  layout->addWidget(BuildChainingGroup());
  layout->addStretch();

  LoadFromImage();
  WhenTabShowsOrHides(
      this, [this] { LoadFromImage(); }, [this] { StoreToImage(); });
}

QWidget* Rs232Page::BuildLineGroups() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  QGroupBox* baudGroup = MakeGroup(text::kGroupBaud);
  auto* baudGrid = new QGridLayout(baudGroup);
  CompactGroup(baudGrid);
  baud_ = new ChoiceBinding(Document(), fld::gageBaud, this);
  const std::pair<const char*, int> bauds[] = {{"1200", 1200}, {"2400", 2400},   {"4800", 4800},
                                               {"9600", 9600}, {"19.2K", 19200}, {"38.4K", 38400}};
  for (int i = 0; i < 6; ++i)
    baudGrid->addWidget(baud_->Add(bauds[i].first, bauds[i].second), i % 3, i / 3);
  layout->addWidget(baudGroup);

  const auto column = [&](std::string_view title, ChoiceBinding* binding,
                          std::initializer_list<std::pair<std::string_view, int>> buttons) {
    QGroupBox* group = MakeGroup(title);
    auto* box = new QVBoxLayout(group);
    CompactGroup(box);
    for (const auto& [caption, value] : buttons)
      box->addWidget(binding->Add(caption, value));
    box->addStretch();
    layout->addWidget(group);
  };
  parity_ = new ChoiceBinding(Document(), fld::gageParity, this);
  column(text::kGroupParity, parity_, {{text::kNone, 'N'}, {text::kEven, 'E'}, {text::kOdd, 'O'}});
  dataBits_ = new ChoiceBinding(Document(), fld::gageDataBits, this);
  column(text::kGroupDataBits, dataBits_, {{"7", '7'}, {"8", '8'}});
  stopBits_ = new ChoiceBinding(Document(), fld::gageStopBits, this);
  column(text::kGroupStopBits, stopBits_, {{"1", '1'}, {"2", '2'}});
  level_ = new ChoiceBinding(Document(), fld::gageHandshakeFlags, this);
  column(t::kGroupLevel, level_, {{t::kLevelHigh, 0}, {t::kLevelLow, 1}});

  connect(parity_, &ChoiceBinding::Clicked, this,
          [this](int parity) { ApplyParityRule(static_cast<char>(parity)); });
  all_.Add(baud_->Buttons());
  all_.Add(parity_->Buttons());
  all_.Add(dataBits_->Buttons());
  all_.Add(stopBits_->Buttons());
  all_.Add(level_->Buttons());
  lockedByDefaultBaud_ = {baud_->Button(1200),  baud_->Button(2400),    baud_->Button(4800),
                          baud_->Button(19200), baud_->Button(38400),   parity_->Button('E'),
                          parity_->Button('O'), stopBits_->Button('2'), dataBits_->Button('7')};
  return row;
}

QWidget* Rs232Page::BuildEndOfPacketGroup() {
  QGroupBox* group = MakeGroup(t::kGroupEndOfPacket);
  auto* grid = new QGridLayout(group);
  CompactGroup(grid);
  endOfPacket_ = new ChoiceBinding(Document(), fld::endOfPacketMode, this);
  const std::string_view captions[] = {t::kEndNone, t::kEndCr, t::kEndLf, t::kEndCustom,
                                       t::kEndGap};
  for (int mode = endOfPacket::kNone; mode <= endOfPacket::kGap; ++mode)
    grid->addWidget(endOfPacket_->Add(captions[mode]), mode, 0);

  hex_ = new QLineEdit;
  hex_->setMaxLength(4);  // two digits after an optional "0x"
  FitToCharacters(hex_, 4);
  NameAfter(hex_, desktop::FromUtf8(t::kEndCustom));
  grid->addWidget(hex_, endOfPacket::kCustom, 1);
  gapTime_ = new NumberBinding(Document(), fld::gapTimeMs, box::kGapTime, this);
  FitToCharacters(gapTime_->Box(), 4);
  NameAfter(gapTime_->Box(), desktop::FromUtf8(t::kEndGap));
  grid->addWidget(gapTime_->Box(), endOfPacket::kGap, 1);
  gapMsec_ = MakeLabel(t::kMsec);
  grid->addWidget(gapMsec_, endOfPacket::kGap, 2);
  grid->setColumnStretch(3, 1);

  connect(endOfPacket_, &ChoiceBinding::Clicked, this, &Rs232Page::OnEndOfPacket);
  connect(hex_, &QLineEdit::textChanged, this, &Rs232Page::FilterHexBox);
  connect(hex_, &QLineEdit::editingFinished, this, &Rs232Page::NormaliseHexBox);
  all_.Add(endOfPacket_->Buttons());
  all_.Add({hex_, gapTime_->Box(), gapMsec_});
  return group;
}

QWidget* Rs232Page::BuildParsingGroup() {
  QGroupBox* group = MakeGroup(t::kGroupParsing);
  auto* box = new QVBoxLayout(group);
  CompactGroup(box);
  removeEnd_ = new CheckBinding(Document(), fld::removeEndOfPacket, t::kRemoveEnd, this);
  charPositions_ = new CheckBinding(Document(), fld::useCharPositions, t::kCharPositions, this);
  findNumeric_ = new CheckBinding(Document(), fld::findFirstNumeric, t::kFindNumeric, this);
  transfer_ = new CheckBinding(Document(), fld::transferAsReceived, t::kTransfer, this);
  start_ = new NumberBinding(Document(), fld::charStart, box::kCharPosition, this);
  end_ = new NumberBinding(Document(), fld::charEnd, box::kCharPosition, this);
  FitToCharacters(start_->Box(), 3);
  FitToCharacters(end_->Box(), 3);

  box->addWidget(removeEnd_->Box());
  box->addWidget(charPositions_->Box());
  auto* positions = new QHBoxLayout;
  positions->setSpacing(6);
  positions->setContentsMargins(IndicatorIndent(charPositions_->Box()), 0, 0, 0);
  QLabel* startLabel = LabelFor(t::kStart, start_->Box());
  QLabel* endLabel = LabelFor(t::kEnd, end_->Box());
  positions->addWidget(startLabel);
  positions->addWidget(start_->Box());
  positions->addSpacing(12);
  positions->addWidget(endLabel);
  positions->addWidget(end_->Box());
  positions->addStretch();
  box->addLayout(positions);
  box->addWidget(findNumeric_->Box());
  box->addWidget(transfer_->Box());
  box->addStretch();

  positions_ = {startLabel, start_->Box(), endLabel, end_->Box()};
  start_->StoreWhenLeft();
  end_->StoreWhenLeft();
  connect(charPositions_, &CheckBinding::Clicked, this, [this] {
    charPositions_->Store();
    ApplyParsingEnabling(ParsingOn());
  });
  connect(transfer_, &CheckBinding::Clicked, this, &Rs232Page::OnTransferClicked);
  all_.Add({removeEnd_->Box(), charPositions_->Box(), findNumeric_->Box(), transfer_->Box(),
            startLabel, start_->Box(), endLabel, end_->Box()});
  return group;
}

QWidget* Rs232Page::BuildReadCommandGroup() {
  QGroupBox* group = MakeGroup(t::kGroupReadCommand);
  auto* grid = new QGridLayout(group);
  CompactGroup(grid);
  readCommand_ = new ChoiceBinding(Document(), fld::readCommandMode, this);
  grid->addWidget(readCommand_->Add(t::kAcceptAll), readCommand::kAcceptAll, 0, 1, 4);
  grid->addWidget(readCommand_->Add(t::kAcceptNext), readCommand::kAcceptNext, 0, 1, 4);
  grid->addWidget(readCommand_->Add(t::kHandshakeLow), readCommand::kHandshakeLow, 0);
  grid->addWidget(readCommand_->Add(t::kCommandString), readCommand::kCommandString, 0);

  handshakeLow_ = new NumberBinding(Document(), fld::handshakeLowMs, box::kHandshakeLow, this);
  FitToCharacters(handshakeLow_->Box(), 4);
  NameAfter(handshakeLow_->Box(), desktop::FromUtf8(t::kHandshakeLow));
  handshakeLowMsec_ = MakeLabel(t::kMsec);
  auto* low = new QHBoxLayout;
  low->setSpacing(6);
  low->addWidget(handshakeLow_->Box());
  low->addWidget(handshakeLowMsec_);
  low->addStretch();
  grid->addLayout(low, readCommand::kHandshakeLow, 1);
  command_ = new TextBinding(Document(), fld::commandText, this, kShownChannel, 30);
  command_->Box()->setMinimumWidth(command_->Box()->fontMetrics().horizontalAdvance('x') * 32);
  NameAfter(command_->Box(), desktop::FromUtf8(t::kCommandString));
  grid->addWidget(command_->Box(), readCommand::kCommandString, 1, 1, 2);
  grid->setColumnStretch(3, 1);

  connect(readCommand_, &ChoiceBinding::Clicked, this, &Rs232Page::ApplyReadCommandRule);
  handshakeLow_->StoreWhenLeft();
  all_.Add(readCommand_->Buttons());
  all_.Add({handshakeLow_->Box(), handshakeLowMsec_, command_->Box()});
  return group;
}

QWidget* Rs232Page::BuildResponseGroup() {
  QGroupBox* group = MakeGroup(t::kGroupResponse);
  auto* grid = new QGridLayout(group);
  CompactGroup(grid);
  wait_ = new NumberBinding(Document(), fld::responseWaitMs, box::kResponseWait, this);
  FitToCharacters(wait_->Box(), 4);
  QLabel* waitLabel = LabelFor(t::kWaitTime, wait_->Box());
  QLabel* waitMsec = MakeLabel(t::kMsec);
  auto* waitRow = new QHBoxLayout;
  waitRow->setSpacing(6);
  waitRow->addWidget(waitLabel);
  waitRow->addWidget(wait_->Box());
  waitRow->addWidget(waitMsec);
  waitRow->addStretch();
  grid->addLayout(waitRow, 0, 0, Qt::AlignTop);
  QLabel* actionLabel = MakeLabel(t::kAction);
  grid->addWidget(actionLabel, 0, 1);
  grid->setHorizontalSpacing(16);
  action_ = new ChoiceBinding(Document(), fld::noResponseAction, this);
  grid->addWidget(action_->Add(t::kAcceptAny), 1, 1);
  grid->addWidget(action_->Add(t::kAcceptLate), 2, 1);
  grid->addWidget(action_->Add(t::kDiscardLate), 3, 1);
  grid->setColumnStretch(2, 1);

  wait_->StoreWhenLeft();
  response_ = {waitLabel, wait_->Box(), waitMsec, actionLabel};
  response_.Add(action_->Buttons());
  all_.Add({waitLabel, wait_->Box(), waitMsec, actionLabel});
  all_.Add(action_->Buttons());
  return group;
}

QWidget* Rs232Page::BuildChainingGroup() {
  QGroupBox* group = MakeGroup(t::kGroupChaining);
  auto* box = new QHBoxLayout(group);
  CompactGroup(box);
  chainCommands_ = new CheckBinding(Document(), fld::chainCommands, t::kChainCommands, this, 0);
  chainDefaultBaud_ =
      new CheckBinding(Document(), fld::chainDefaultBaudE, t::kChainDefaultBaud, this, 0);
  box->addWidget(chainCommands_->Box());
  box->addSpacing(24);
  box->addWidget(chainDefaultBaud_->Box());
  box->addStretch();
  connect(chainCommands_, &CheckBinding::Clicked, this, &Rs232Page::OnChainCommands);
  connect(chainDefaultBaud_, &CheckBinding::Clicked, this, &Rs232Page::OnChainDefaultBaud);
  return group;
}

int Rs232Page::Channel() {
  return Document().CurrentChannel();
}

ParameterImage& Rs232Page::Image() {
  return Document().Image();
}

void Rs232Page::SwitchAll(bool on) {
  all_.SetEnabled(on);
  const bool chaining = on && Channel() == channel::kE;
  chainCommands_->Box()->setEnabled(chaining);
  chainDefaultBaud_->Box()->setEnabled(chaining);
}

void Rs232Page::ApplyParityRule(char parity) {
  if (parity == 'N') {
    dataBits_->Button('7')->setEnabled(true);
    dataBits_->Button('8')->setEnabled(true);
  } else {
    dataBits_->Select('7');
    dataBits_->Button('7')->setEnabled(true);
    dataBits_->Button('8')->setEnabled(false);
  }
  stopBits_->Button('2')->setEnabled(true);
  // A click on "None" must not undo the lock of the default Mesurix baud.
  if (DefaultBaudLocked())
    LockDefaultBaud(true);
}

void Rs232Page::ApplyResponseRule() {
  const bool on = endOfPacket_->Selected() != std::optional<int>(endOfPacket::kNone) &&
                  readCommand_->Selected() != std::optional<int>(readCommand::kAcceptAll);
  response_.SetEnabled(on);
}

void Rs232Page::ApplyReadCommandRule(int command) {
  handshakeLow_->Box()->setEnabled(command == readCommand::kHandshakeLow);
  handshakeLowMsec_->setEnabled(command == readCommand::kHandshakeLow);
  command_->Box()->setEnabled(command == readCommand::kCommandString);
  ApplyResponseRule();
  if (command == readCommand::kAcceptNext) {
    // The next reading is asked for, so there is always one to wait for.
    action_->Button(noResponse::kAcceptAny)->setEnabled(false);
    if (action_->Selected() == noResponse::kAcceptAny)
      action_->Select(noResponse::kAcceptLate);
  }
}

bool Rs232Page::ParsingOn() const {
  return endOfPacket_->Selected() != std::optional<int>(endOfPacket::kNone);
}

void Rs232Page::ApplyParsingEnabling(bool parsing) {
  const int c = Channel();
  const bool parsed = parsing && Image().Get(fld::transferAsReceived, c) == 0;
  removeEnd_->Box()->setEnabled(parsed);
  findNumeric_->Box()->setEnabled(parsed);
  charPositions_->Box()->setEnabled(parsed);
  positions_.SetEnabled(parsed && Image().Get(fld::useCharPositions, c) != 0);
}

void Rs232Page::ApplyParsingRule(bool on) {
  ApplyParsingEnabling(on);
  response_.SetEnabled(on);
  if (!on)
    return;
  if (const std::optional<int> command = readCommand_->Selected()) {
    Image().Set(fld::readCommandMode, static_cast<uint8_t>(*command), Channel());
    ApplyReadCommandRule(*command);
  }
}

void Rs232Page::OnEndOfPacket(int mode) {
  hex_->setEnabled(mode == endOfPacket::kCustom);
  gapTime_->Box()->setEnabled(mode == endOfPacket::kGap);
  gapMsec_->setEnabled(mode == endOfPacket::kGap);
  ApplyParsingRule(mode != endOfPacket::kNone);
}

void Rs232Page::OnTransferClicked() {
  transfer_->Store();
  ApplyParsingEnabling(ParsingOn());
}

void Rs232Page::OnChainCommands() {
  chainCommands_->Store();
  const bool ticked = chainCommands_->IsTicked();
  if (ticked) {
    // The next interface in the chain asks; this one passes every reading on.
    readCommand_->Select(readCommand::kAcceptAll);
    ApplyReadCommandRule(readCommand::kAcceptAll);
  }
  for (int command :
       {readCommand::kAcceptNext, readCommand::kHandshakeLow, readCommand::kCommandString})
    readCommand_->Button(command)->setEnabled(!ticked);
}

void Rs232Page::OnChainDefaultBaud() {
  chainDefaultBaud_->Store();
  const bool ticked = chainDefaultBaud_->IsTicked();
  if (ticked) {
    baud_->Select(9600);
    parity_->Select('N');
    dataBits_->Select('8');
    stopBits_->Select('1');
    dataBits_->Button('8')->setEnabled(true);
  }
  LockDefaultBaud(ticked);
}

bool Rs232Page::DefaultBaudLocked() {
  return Channel() == channel::kE && chainDefaultBaud_->IsTicked();
}

void Rs232Page::LockDefaultBaud(bool locked) {
  for (QRadioButton* button : lockedByDefaultBaud_)
    button->setEnabled(!locked);
}

void Rs232Page::FilterHexBox() {
  if (hexGuard_)
    return;
  hexGuard_ = true;
  const qsizetype prefix = HexPrefixLength(hex_->text());
  const QString typed = hex_->text().left(prefix + 2);
  const int start = hex_->hasSelectedText() ? hex_->selectionStart() : hex_->cursorPosition();
  QString kept = typed.left(prefix);
  int caret = start;
  for (auto i = static_cast<int>(prefix); i < typed.size(); ++i) {
    const QChar c = typed[i].toLower();
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))
      kept += c;
    else if (i < start)
      --caret;  // the caret stays behind the characters that are left
  }
  if (kept != hex_->text()) {
    hex_->setText(kept);
    hex_->setCursorPosition(std::max(caret, 0));
  }
  hexGuard_ = false;
}

void Rs232Page::NormaliseHexBox() {
  const QString digits = HexDigits(hex_->text());
  hex_->setText(digits.isEmpty() ? QString() : HexByte(digits.toInt(nullptr, 16)));
}

void Rs232Page::CorrectPositions() {
  const int c = Channel();
  ApplyCharPositionRule(Image(), c);
  start_->Write(Image().Get(fld::charStart, c));
  end_->Write(Image().Get(fld::charEnd, c));
}

void Rs232Page::LoadFromImage() {
  ParameterImage& image = Image();
  const int c = Channel();
  SwitchAll(true);
  baud_->Load();
  // A setting the page does not know selects nothing, so no other channel's choice is stored here.
  parity_->Load();
  if (const std::optional<int> parity = parity_->Selected())
    ApplyParityRule(static_cast<char>(*parity));
  dataBits_->Load();
  stopBits_->Load();

  uint8_t flags = image.Get(fld::gageHandshakeFlags, c);
  const bool hasLevel = HasHandshakeLevel(Document().CurrentModel(), c);
  if (!hasLevel) {
    flags &= kInterfaceBits;
    image.Set(fld::gageHandshakeFlags, flags, c);
  }
  for (QRadioButton* button : level_->Buttons())
    button->setEnabled(hasLevel);
  level_->Select((flags & kLevelLowBit) ? 1 : 0);

  readCommand_->Load();
  if (const std::optional<int> command = readCommand_->Selected())
    ApplyReadCommandRule(*command);
  handshakeLow_->Load();
  command_->Load();

  endOfPacket_->Load();
  const int mode = image.Get(fld::endOfPacketMode, c);
  ApplyParsingRule(mode != endOfPacket::kNone);
  hex_->setEnabled(mode == endOfPacket::kCustom);
  if (mode == endOfPacket::kGap) {
    OnEndOfPacket(endOfPacket::kGap);
  } else {
    gapTime_->Box()->setEnabled(false);
    gapMsec_->setEnabled(false);
  }
  hex_->setText(HexByte(image.Get(fld::endOfPacketChar, c)));
  gapTime_->Load();
  ApplyResponseRule();

  removeEnd_->Load();
  findNumeric_->Load();
  charPositions_->Load();
  transfer_->Load();
  CorrectPositions();
  OnTransferClicked();

  action_->Load();
  wait_->Load();

  if (c == channel::kE) {
    chainCommands_->Load();
    chainDefaultBaud_->Load();
    OnChainCommands();
    OnChainDefaultBaud();
  } else {
    chainCommands_->Box()->setChecked(false);
    chainDefaultBaud_->Box()->setChecked(false);
  }
  if (image.Get(fld::gageType, c) != gage::kRs232)
    SwitchAll(false);
}

void Rs232Page::StoreToImage() {
  ParameterImage& image = Image();
  const int c = Channel();
  baud_->Store();
  dataBits_->Store();
  parity_->Store();
  stopBits_->Store();
  uint8_t flags = image.Get(fld::gageHandshakeFlags, c) & kInterfaceBits;
  if (level_->Selected() == 1)
    flags |= kLevelLowBit;
  image.Set(fld::gageHandshakeFlags, flags, c);
  endOfPacket_->Store();

  const QString digits = HexDigits(hex_->text());
  const int hex = digits.isEmpty() ? kDefaultEndOfPacketChar : digits.toInt(nullptr, 16);
  image.Set(fld::endOfPacketChar, static_cast<uint8_t>(hex), c);
  hex_->setText(HexByte(hex));
  if (gapTime_->Box()->text().isEmpty())
    gapTime_->Write(kEmptyGapTimeMs);
  else
    gapTime_->Store();

  removeEnd_->Store();
  findNumeric_->Store();
  start_->Store();
  end_->Store();
  CorrectPositions();

  readCommand_->Store();
  handshakeLow_->Store();
  command_->Store();
  image.Set(fld::commandLength, DecodeTypedText(image, fld::commandText, fld::commandBytes, c), c);
  action_->Store();
  wait_->Store();
}

void Rs232Page::FocusFirstChoice() {
  baud_->FocusSelected();
}

}  // namespace mx::editor
