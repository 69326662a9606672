#include "editor/dialogs/CopyChannelsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/dialogs/DialogTexts.h"

namespace mx::editor {

CopyChannelsDialog::CopyChannelsDialog(ParameterImage& image, ModelIndex model,
                                       std::function<void()> commit, std::function<void()> refresh,
                                       QWidget* parent)
    : QDialog(parent),
      image_(image),
      twoChannels_(ChannelCount(model) == 2),
      commit_(std::move(commit)),
      refresh_(std::move(refresh)) {
  setWindowTitle(desktop::FromUtf8(text::kCopyTitle));
  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  auto* sourceBox = new QGroupBox(desktop::FromUtf8(text::kGroupSource));
  auto* sourceLayout = new QVBoxLayout(sourceBox);
  auto* targetBox = new QGroupBox(desktop::FromUtf8(text::kGroupTargets));
  auto* targetLayout = new QVBoxLayout(targetBox);
  sources_ = new QButtonGroup(this);
  for (int channel = 0; channel < 5; ++channel) {
    const QString name = desktop::FromUtf8(text::kChannelName).arg(QChar('A' + channel));
    auto* source = new QRadioButton(name);
    source->setEnabled(!(twoChannels_ && channel >= 2));
    sources_->addButton(source, channel);
    sourceLayout->addWidget(source);
    auto* target = new QCheckBox(name);
    target->setEnabled(false);
    targets_[static_cast<std::size_t>(channel)] = target;
    targetLayout->addWidget(target);
    connect(target, &QCheckBox::clicked, this, &CopyChannelsDialog::UpdateCopyButton);
  }
  connect(sources_, &QButtonGroup::idClicked, this, &CopyChannelsDialog::SourceChosen);
  groups->addWidget(sourceBox);
  groups->addWidget(targetBox);
  layout->addLayout(groups);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  copy_ = new QPushButton(desktop::FromUtf8(text::kCopy));
  copy_->setEnabled(false);
  auto* cancel = new QPushButton(desktop::FromUtf8(text::kCancel));
  buttons->addWidget(copy_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(copy_, &QPushButton::clicked, this, &CopyChannelsDialog::Copy);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  desktop::PlaceOnScreen(this);
}

void CopyChannelsDialog::SourceChosen(int source) {
  for (int channel = 0; channel < 5; ++channel) {
    QCheckBox* target = targets_[static_cast<std::size_t>(channel)];
    if (channel == source) {
      target->setChecked(false);
      target->setEnabled(false);
    } else {
      target->setEnabled(!(twoChannels_ && channel >= 2));
    }
  }
  UpdateCopyButton();
}

void CopyChannelsDialog::UpdateCopyButton() {
  bool any = false;
  for (const QCheckBox* target : targets_)
    any = any || target->isChecked();
  copy_->setEnabled(any);
}

void CopyChannelsDialog::Copy() {
  const int source = sources_->checkedId();
  if (source < 0)
    return;
  if (commit_)
    commit_();
  for (int channel = 0; channel < 5; ++channel) {
    if (targets_[static_cast<std::size_t>(channel)]->isChecked())
      CopyChannel(image_, source, channel);
  }
  if (refresh_)
    refresh_();
  accept();
}

}  // namespace mx::editor
