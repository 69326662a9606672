#include "editor/pages/ReadSwitchPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/ModelTable.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/ReadSwitchTexts.h"

namespace mx::editor {
namespace {

namespace t = text::readsw;

bool IsContinuous(int mode) {
  return mode == readSwitch::kContinuousOnChannel || mode == readSwitch::kContinuousOnAll;
}

// The bracket that joins the three step-mode buttons to their label.
class Bracket : public QWidget {
 public:
  Bracket() { setFixedWidth(12); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int x = width() / 2;
    const int top = 4;
    const int bottom = height() - 5;
    painter.drawLine(0, top, x, top);
    painter.drawLine(x, top, x, bottom);
    painter.drawLine(0, bottom, x, bottom);
    painter.drawLine(x, height() / 2, width() - 1, height() / 2);
  }
};

// What the custom read sequence may hold: channel letters A to O, and p and w, which are always
// small. Lower-case channel letters become capitals, P and W small; anything else is dropped.
QChar SequenceCharacter(QChar typed) {
  const char16_t c = typed.unicode();
  if (c >= u'A' && c <= u'O')
    return typed;
  if (c >= u'a' && c <= u'o')
    return QChar(c - u'a' + u'A');
  if (c == u'P' || c == u'W')
    return QChar(c - u'A' + u'a');
  if (c == u'p' || c == u'w')
    return typed;
  return {};
}

}  // namespace

ReadSwitchPage::ReadSwitchPage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kReadSwitch, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildOperationGroup());
  layout->addWidget(BuildContactBounceGroup());
  layout->addStretch();
  LoadFromImage();
}

QWidget* ReadSwitchPage::BuildOperationGroup() {
  QGroupBox* group = MakeGroup(t::kGroupOperation);
  auto* grid = new QGridLayout(group);
  mode_ = new ChoiceBinding(Document(), fld::readSwitchMode, this);
  int row = 0;
  for (std::string_view caption : {t::kDisabled, t::kSingleOnChannel, t::kContinuousOnChannel,
                                   t::kSingleOnAll, t::kContinuousOnAll}) {
    QRadioButton* button = mode_->Add(caption);
    grid->addWidget(button, row++, 0, 1, 4);
    everyChannel_.Add({button});
  }

  // The two choices with a text of their own: their boxes line up beside them.
  auto* texts = new QGridLayout;
  QRadioButton* sendString = mode_->Add(t::kSendString, readSwitch::kSendString);
  host_ = new TextBinding(Document(), fld::hostStringText, this, channel::kA);
  NameAfter(host_->Box(), desktop::FromUtf8(t::kSendString));
  hostNote_ = MakeLabel(t::kMaximumLength);
  texts->addWidget(sendString, 0, 0);
  texts->addWidget(host_->Box(), 0, 1);
  texts->addWidget(hostNote_, 1, 1);
  hostString_ = {host_->Box(), hostNote_};

  QRadioButton* custom = mode_->Add(t::kCustomSequence, readSwitch::kCustomSequence);
  sequence_ = new TextBinding(Document(), fld::customReadSequence, this);
  NameAfter(sequence_->Box(), desktop::FromUtf8(t::kCustomSequence));
  led_ = new CheckBinding(Document(), fld::useLedForNext, t::kUseLed, this, channel::kA);
  texts->addWidget(custom, 2, 0);
  texts->addWidget(sequence_->Box(), 2, 1);
  texts->addWidget(led_->Box(), 3, 1);
  texts->setColumnStretch(1, 1);
  grid->addLayout(texts, row, 0, 4, 4);
  row += 4;
  everyChannel_.Add({custom});
  connect(sequence_->Box(), &QLineEdit::textEdited, this, &ReadSwitchPage::FilterSequence);

  const int firstStep = row;
  for (const auto& [caption, code] : {std::pair{t::kStepStay, readSwitch::kStepStay},
                                      std::pair{t::kStepNext, readSwitch::kStepNext},
                                      std::pair{t::kStepContinuous, readSwitch::kStepContinuous}}) {
    QRadioButton* button = mode_->Add(caption, code);
    grid->addWidget(button, row++, 0);
    stepModes_.Add({button});
  }
  auto* bracket = new Bracket;
  QLabel* stepLabel = MakeLabel(t::kStepModeLabel);
  grid->addWidget(bracket, firstStep, 1, 3, 1);
  grid->addWidget(stepLabel, firstStep, 2, 3, 1);
  stepModes_.Add({bracket, stepLabel});
  connect(mode_, &ChoiceBinding::Clicked, this, &ReadSwitchPage::OnModeClicked);

  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  grid->addWidget(rule, row++, 0, 1, 4);
  press_ = new ChoiceBinding(Document(), fld::continuousStartStop, this);
  grid->addWidget(press_->Add(t::kPressAndHold), row++, 0, 1, 4);
  // The long caption takes two lines; screen readers and tests still get it whole.
  QRadioButton* release = press_->Add(t::kPressAndRelease);
  const QString whole = release->text();
  const qsizetype stop = whole.indexOf(QLatin1String("  To stop"));
  release->setText(whole.left(stop) + '\n' + whole.mid(stop + 2));
  release->setAccessibleName(desktop::FromUtf8(t::kPressAndRelease));
  grid->addWidget(release, row++, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  return group;
}

QWidget* ReadSwitchPage::BuildContactBounceGroup() {
  QGroupBox* group = MakeGroup(t::kGroupContactBounce);
  auto* row = new QHBoxLayout(group);
  bounce_ = new NumberBinding(Document(), fld::contactBounceMs, box::kContactBounce, this);
  FitToCharacters(bounce_->Box(), 4);
  bounce_->StoreWhenLeft();
  QLabel* label = LabelFor(t::kOpenTime, bounce_->Box());
  QLabel* unit = MakeLabel(t::kMsec);
  row->addWidget(label);
  row->addWidget(bounce_->Box());
  row->addWidget(unit);
  row->addStretch();
  everyChannel_.Add({label, bounce_->Box(), unit});
  return group;
}

void ReadSwitchPage::ApplyEnabling() {
  ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  const int mode = image.Get(fld::readSwitchMode, c);
  const bool usable = c != channel::kE && image.Get(fld::gageType, c) != gage::kDisabled;

  everyChannel_.SetEnabled(usable);
  for (QRadioButton* button : press_->Buttons())
    button->setEnabled(usable && IsContinuous(mode));
  sequence_->Box()->setEnabled(usable && mode == readSwitch::kCustomSequence);
  led_->Box()->setEnabled(usable && mode == readSwitch::kCustomSequence && c == channel::kA);

  // The host string belongs to the whole interface and is edited on channel A only.
  mode_->Button(readSwitch::kSendString)->setEnabled(c == channel::kA);
  if (c == channel::kA) {
    hostString_.SetEnabled(image.Get(fld::readSwitchMode, channel::kA) == readSwitch::kSendString);
  } else {
    host_->Box()->clear();
    hostString_.SetEnabled(false);
  }

  const ModelIndex model = Document().CurrentModel();
  stepModes_.SetEnabled(usable && HasToggleSwitch(model));
  ApplyReadSwitchRule(image, model, c);
}

void ReadSwitchPage::OnModeClicked(int mode) {
  ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  image.Set(fld::readSwitchMode, static_cast<uint8_t>(mode), c);
  if (mode == readSwitch::kSendString) {
    hostString_.SetEnabled(true);
    ApplyEnabling();
  } else if (mode == readSwitch::kCustomSequence) {
    sequence_->Box()->setEnabled(true);
    led_->Box()->setEnabled(c == channel::kA);
    ApplyEnabling();
  } else {
    hostString_.SetEnabled(false);
    sequence_->Box()->setEnabled(false);
    led_->Box()->setEnabled(false);
  }
  for (QRadioButton* button : press_->Buttons())
    button->setEnabled(IsContinuous(mode));
}

void ReadSwitchPage::FilterSequence() {
  QLineEdit* box = sequence_->Box();
  const QString typed = box->text();
  const int caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
  QString kept;
  int droppedBeforeCaret = 0;
  bool dropped = false;
  for (qsizetype i = 0; i < typed.size(); ++i) {
    if (const QChar c = SequenceCharacter(typed[i]); !c.isNull()) {
      kept += c;
    } else {
      dropped = true;
      droppedBeforeCaret += i < caret ? 1 : 0;
    }
  }
  if (kept != typed) {
    box->setText(kept);
    box->setCursorPosition(caret - droppedBeforeCaret);
  }
  if (dropped)
    QApplication::beep();
  sequence_->Store();
}

void ReadSwitchPage::LoadFromImage() {
  ParameterImage& image = Document().Image();
  const int c = Document().CurrentChannel();
  ApplyEnabling();
  mode_->Load();
  press_->Load();
  sequence_->Load();
  bounce_->Load();
  if (c == channel::kA) {
    host_->Load();
    led_->Load();
    led_->Box()->setEnabled(image.Get(fld::readSwitchMode, channel::kA) ==
                                readSwitch::kCustomSequence &&
                            image.Get(fld::gageType, channel::kA) != gage::kDisabled);
  } else {
    host_->Box()->clear();
    led_->Box()->setChecked(false);
    led_->Box()->setEnabled(false);
  }
}

void ReadSwitchPage::StoreToImage() {
  ParameterImage& image = Document().Image();
  mode_->Store();
  press_->Store();
  if (Document().CurrentChannel() == channel::kA) {
    led_->Store();
    host_->Store();
    image.Set(fld::hostStringLength,
              static_cast<uint8_t>(
                  DecodeTypedText(image, fld::hostStringText, fld::hostStringBytes, channel::kA)));
  }
  bounce_->Store();
}

void ReadSwitchPage::FocusFirstChoice() {
  mode_->FocusSelected();
}

void ReadSwitchPage::showEvent(QShowEvent* event) {
  SetupPage::showEvent(event);
  ApplyEnabling();
}

void ReadSwitchPage::hideEvent(QHideEvent* event) {
  // The view stores this tab when it is left; doing it as the tab is hidden, before the next tab
  // loads, lets Toggle Sw see the LED choice just made here.
  if (!event->spontaneous())
    StoreToImage();
  SetupPage::hideEvent(event);
}

}  // namespace mx::editor
