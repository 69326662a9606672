#include "editor/dialogs/ResetDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/dialogs/DialogTexts.h"

namespace mx::editor {

ResetDialog::ResetDialog(ParameterImage& image, ModelIndex model, std::function<void()> commit,
                         std::function<void()> refresh, QWidget* parent)
    : QDialog(parent),
      image_(image),
      model_(model),
      twoChannels_(ChannelCount(model) == 2),
      commit_(std::move(commit)),
      refresh_(std::move(refresh)) {
  setWindowTitle(desktop::FromUtf8(text::kResetTitle));
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupResetWhat));
  auto* groupLayout = new QVBoxLayout(group);
  for (int i = 0; i < kBoxCount; ++i) {
    QString caption;
    if (i == 0)
      caption = desktop::FromUtf8(text::kResetStatus);
    else if (i == 1)
      caption = desktop::FromUtf8(text::kResetNetwork);
    else
      caption = desktop::FromUtf8(text::kChannelName).arg(QChar('A' + i - kFirstChannelBox));
    auto* box = new QCheckBox(caption);
    box->setEnabled(!(twoChannels_ && i >= kFirstChannelBox + 2));
    boxes_[static_cast<std::size_t>(i)] = box;
    groupLayout->addWidget(box);
    connect(box, &QCheckBox::clicked, this, &ResetDialog::UpdateResetButton);
  }
  layout->addWidget(group);

  auto* buttons = new QVBoxLayout;
  auto* selectAll = new QPushButton(desktop::FromUtf8(text::kSelectAll));
  reset_ = new QPushButton(desktop::FromUtf8(text::kReset));
  reset_->setEnabled(false);
  auto* cancel = new QPushButton(desktop::FromUtf8(text::kCancel));
  buttons->addWidget(selectAll);
  buttons->addWidget(reset_);
  buttons->addWidget(cancel);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(selectAll, &QPushButton::clicked, this, &ResetDialog::SelectAll);
  connect(reset_, &QPushButton::clicked, this, &ResetDialog::Reset);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  desktop::PlaceOnScreen(this);
}

void ResetDialog::SelectAll() {
  for (int i = 0; i < kBoxCount; ++i) {
    if (!(twoChannels_ && i >= kFirstChannelBox + 2))
      boxes_[static_cast<std::size_t>(i)]->setChecked(true);
  }
  reset_->setEnabled(true);
}

void ResetDialog::UpdateResetButton() {
  bool any = false;
  for (const QCheckBox* box : boxes_)
    any = any || box->isChecked();
  reset_->setEnabled(any);
}

void ResetDialog::Reset() {
  if (commit_)
    commit_();
  if (boxes_[0]->isChecked()) {
    ResetHostSerialDefaults(image_);
    ResetGlobalDefaults(image_);
  }
  if (boxes_[1]->isChecked())
    ResetNetworkDefaults(image_);
  for (int channel = 0; channel < 5; ++channel) {
    if (boxes_[static_cast<std::size_t>(kFirstChannelBox + channel)]->isChecked())
      ResetChannelDefaults(image_, channel, model_);
  }
  if (refresh_)
    refresh_();
  accept();
}

}  // namespace mx::editor
