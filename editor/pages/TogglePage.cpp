#include "editor/pages/TogglePage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/FieldCodes.h"
#include "core/ModelTable.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/PageMetrics.h"
#include "editor/pages/TabVisibility.h"
#include "editor/pages/ToggleTexts.h"

namespace mx::editor {
namespace {

namespace t = text::toggle;

}  // namespace

TogglePage::TogglePage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kToggle, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildOperationGroup());
  layout->addStretch();

  LoadFromImage();
  WhenTabShowsOrHides(
      this, [this] { LoadFromImage(); }, [this] { ApplyEnabling(); });
}

QWidget* TogglePage::BuildOperationGroup() {
  QGroupBox* group = MakeGroup(t::kGroupOperation);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(16);
  mode_ = new ChoiceBinding(Document(), fld::toggleMode, this, 0);
  const QString nameFormat = desktop::FromUtf8(t::kOperationName);
  // One operation per row: the left direction on the button, the right one beside it.
  const auto operation = [&](int row, std::string_view left, int code, std::string_view right) {
    QRadioButton* button = mode_->Add(left, code);
    grid->addWidget(button, row, 0, Qt::AlignTop);
    if (right.empty())
      return std::pair<QRadioButton*, QLabel*>{button, nullptr};
    QLabel* caption = MakeLabel(right);
    grid->addWidget(caption, row, 1, Qt::AlignTop);
    NameAfter(button, nameFormat.arg(button->text(), caption->text()));
    return std::pair{button, caption};
  };
  std::tie(stepForward_, stepForwardCaption_) =
      operation(0, t::kStepBack, toggle::kStepBackStepForward, t::kStepForward);
  std::tie(restartSequence_, restartCaption_) =
      operation(1, t::kStepBack, toggle::kRestartSequence, t::kRestartSequence);
  restartCaption_->setText(restartCaption_->text() + '\n' + desktop::FromUtf8(t::kChannelAOnly));
  QRadioButton* disabled = operation(2, t::kDisabled, toggle::kDisabled, {}).first;
  const auto [readActive, readActiveCaption] =
      operation(3, t::kStepBack, toggle::kStepBackRead, t::kReadActive);
  const auto [readActiveStep, readActiveStepCaption] =
      operation(4, t::kStepBack, toggle::kStepBackReadAndStep, t::kReadActiveStep);
  const auto [readChannels, readChannelsCaption] =
      operation(5, t::kLeftReadChannels, toggle::kReadChannels, t::kRightReadChannels);
  freeChoices_ = {
      disabled,     readActive,         readActiveCaption, readActiveStep, readActiveStepCaption,
      readChannels, readChannelsCaption};

  maxChannel_ =
      new NumberBinding(Document(), fld::toggleMaxChannel, box::kToggleMaxChannel, this, 0);
  FitToCharacters(maxChannel_->Box(), 3);
  maxLabel_ = LabelFor(t::kMaxChannel, maxChannel_->Box());
  // Below the caption it belongs to, so the page keeps to the width of the window.
  auto* restart = new QVBoxLayout;
  grid->removeWidget(restartCaption_);
  restart->addWidget(restartCaption_);
  auto* max = new QHBoxLayout;
  max->setSpacing(6);
  max->addWidget(maxLabel_);
  max->addWidget(maxChannel_->Box());
  max->addStretch();
  restart->addLayout(max);
  grid->addLayout(restart, 1, 1, Qt::AlignTop);

  auto* columns = new QHBoxLayout;
  columns->addWidget(
      BuildColumn(left_, t::kLeftColumn, fld::toggleLeftChannels, fld::toggleLeftContinuous));
  columns->addWidget(
      BuildColumn(right_, t::kRightColumn, fld::toggleRightChannels, fld::toggleRightContinuous));
  columns->addStretch();
  grid->addLayout(columns, 6, 0, 1, 2);
  grid->setColumnStretch(2, 1);

  connect(mode_, &ChoiceBinding::Clicked, this, [this](int code) {
    // Restarting the custom sequence is never chosen by hand: the rules select it.
    if (code == toggle::kRestartSequence)
      return;
    mode_->Store();
    ApplyEnabling();
  });
  connect(maxChannel_->Box(), &QLineEdit::editingFinished, this, &TogglePage::OnMaxChannelLeft);
  return group;
}

QGroupBox* TogglePage::BuildColumn(Column& column, std::string_view title,
                                   Field<FieldType::U8> channels, Field<FieldType::U8> continuous) {
  column.group = MakeGroup(title);
  // The two columns hold the same captions: a screen reader names the column with each of them.
  const QString columnName = column.group->title();
  const QString nameFormat = desktop::FromUtf8(t::kOperationName);
  column.group->setAccessibleName(columnName);
  auto* box = new QVBoxLayout(column.group);
  CompactGroup(box);
  for (int c = 0; c < 5; ++c) {
    const std::string caption = desktop::FromUtf8(t::kChannel).arg(QChar('A' + c)).toStdString();
    auto* channel = new CheckBinding(Document(), channels, caption, this, c);
    NameAfter(channel->Box(), nameFormat.arg(columnName, channel->Box()->text()));
    box->addWidget(channel->Box());
    // Any box writes the whole column.
    connect(channel, &CheckBinding::Clicked, this, [&column] {
      for (CheckBinding* each : column.channels)
        each->Store();
    });
    column.channels[static_cast<std::size_t>(c)] = channel;
  }
  box->addSpacing(6);
  column.readMode = new ChoiceBinding(Document(), continuous, this, 0);
  box->addWidget(column.readMode->Add(t::kSingleRead));
  box->addWidget(column.readMode->Add(t::kContinuousRead));
  for (QRadioButton* button : column.readMode->Buttons())
    NameAfter(button, nameFormat.arg(columnName, button->text()));
  connect(column.readMode, &ChoiceBinding::Clicked, column.readMode, &ChoiceBinding::Store);
  return column.group;
}

void TogglePage::ApplyEnabling() {
  ParameterImage& image = Document().Image();
  const ControlSet stepBack{stepForward_, stepForwardCaption_};
  const ControlSet restart{restartSequence_, restartCaption_, maxLabel_, maxChannel_->Box()};
  const ControlSet columns{left_.group, right_.group};
  const auto enable = [&](bool free, bool step, bool custom, bool channels) {
    freeChoices_.SetEnabled(free);
    stepBack.SetEnabled(step);
    restart.SetEnabled(custom);
    columns.SetEnabled(channels);
  };
  switch (ApplyToggleRules(image, Document().CurrentModel())) {
    case ToggleChoice::None:
      enable(false, false, false, false);
      FocusOn(nullptr);
      break;
    case ToggleChoice::RestartSequence:
      // The LED shows the next channel of the custom sequence; the switch restarts it.
      enable(false, false, true, false);
      FocusOn(restartSequence_);
      break;
    case ToggleChoice::StepForward:
      enable(false, true, false, false);
      FocusOn(stepForward_);
      break;
    case ToggleChoice::Free:
      enable(true, false, false, image.Get(fld::toggleMode) == toggle::kReadChannels);
      FocusOn(nullptr);
      break;
  }
}

void TogglePage::FocusOn(QRadioButton* button) {
  setFocusProxy(button);
  if (button && isVisible())
    button->setFocus(Qt::OtherFocusReason);
}

void TogglePage::LoadFromImage() {
  ApplyEnabling();
  mode_->Load();
  for (Column* column : {&left_, &right_}) {
    for (CheckBinding* channel : column->channels)
      channel->Load();
    column->readMode->Load();
  }
  maxChannel_->Write(ToggleMaxChannel(Document().Image().Get(fld::toggleMaxChannel)));
}

void TogglePage::StoreToImage() {
  // A number typed but not yet left is what the user sees, so it is what gets saved or sent.
  if (maxChannel_->Box()->isModified())
    OnMaxChannelLeft();
  ApplyEnabling();
}

void TogglePage::OnMaxChannelLeft() {
  maxChannel_->Write(ToggleMaxChannel(maxChannel_->Typed()));
}

}  // namespace mx::editor
