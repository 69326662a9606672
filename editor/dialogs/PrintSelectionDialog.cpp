#include "editor/dialogs/PrintSelectionDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/frame/CommandIds.h"

namespace mx::editor {

namespace {

// The channel boxes answer to the channel commands' identifiers, as the Reset dialog's do; the
// global box has an identifier of its own.
constexpr int kGlobalBox = 1;

constexpr int BoxId(report::PageKind kind) {
  return kind == report::PageKind::Global ? kGlobalBox
                                          : cmd::kChannelCommands[report::ChannelOf(kind)];
}

report::PageKind PageKindOf(int boxId) {
  for (const report::PageKind kind : report::kPageKinds) {
    if (BoxId(kind) == boxId)
      return kind;
  }
  return report::PageKind::Global;
}

}  // namespace

PrintSelectionDialog::PrintSelectionDialog(const report::PageSelection& stored, ModelIndex model,
                                           report::SelectionMode mode, QWidget* parent)
    : QDialog(parent), state_(stored, model, mode) {
  setWindowTitle(desktop::FromUtf8(state_.Title()));
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox(desktop::FromUtf8(report::kSelectionGroup));
  auto* groupLayout = new QVBoxLayout(group);
  boxes_ = new QButtonGroup(this);
  boxes_->setExclusive(false);
  for (const report::PageKind kind : report::kPageKinds) {
    auto* box = new QCheckBox(desktop::FromUtf8(report::kPageBoxCaptions[report::IndexOf(kind)]));
    boxes_->addButton(box, BoxId(kind));
    groupLayout->addWidget(box);
  }
  connect(boxes_, &QButtonGroup::idToggled, this, &PrintSelectionDialog::BoxToggled);
  layout->addWidget(group);

  auto* buttons = new QVBoxLayout;
  auto* selectAll = new QPushButton(desktop::FromUtf8(report::kSelectAllButton));
  clearAll_ = new QPushButton(desktop::FromUtf8(report::kClearAllButton));
  action_ = new QPushButton(desktop::FromUtf8(state_.ActionCaption()));
  action_->setDefault(true);
  auto* cancel = new QPushButton(desktop::FromUtf8(report::kCancelButton));
  for (QPushButton* button : {selectAll, clearAll_, action_, cancel})
    buttons->addWidget(button);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(selectAll, &QPushButton::clicked, this, &PrintSelectionDialog::SelectAll);
  connect(clearAll_, &QPushButton::clicked, this, &PrintSelectionDialog::ClearAll);
  connect(action_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowState();
  desktop::PlaceOnScreen(this);
}

void PrintSelectionDialog::BoxToggled(int id, bool checked) {
  state_.SetChecked(PageKindOf(id), checked);
  ShowState();
}

void PrintSelectionDialog::SelectAll() {
  state_.SelectAll();
  ShowState();
}

void PrintSelectionDialog::ClearAll() {
  state_.ClearAll();
  ShowState();
}

void PrintSelectionDialog::ShowState() {
  // The boxes follow the state; their own toggles must not come back as clicks.
  const QSignalBlocker quiet(boxes_);
  for (const report::PageKind kind : report::kPageKinds) {
    QAbstractButton* box = boxes_->button(BoxId(kind));
    box->setEnabled(state_.Enabled(kind));
    box->setChecked(state_.Checked(kind));
  }
  clearAll_->setEnabled(state_.ActionEnabled());
  action_->setEnabled(state_.ActionEnabled());
}

}  // namespace mx::editor
