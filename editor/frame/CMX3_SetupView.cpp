#include "editor/frame/CMX3_SetupView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/ImageOperations.h"
#include "editor/device/DeviceCommandRunner.h"
#include "editor/device/PortText.h"
#include "editor/dialogs/CopyChannelsDialog.h"
#include "editor/dialogs/ResetDialog.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/PrintCommands.h"
#include "editor/pages/SetupPages.h"
#include "editor/pages/StatusPage.h"
#include "link/ConnectionStatus.h"

namespace mx::editor {

CMX3_SetupView::CMX3_SetupView(CMX3_SetupDoc& document, DeviceEnvironment& environment,
                               QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  tabs_->setFocusPolicy(Qt::StrongFocus);
  // All seven captions stay in view; the window is sized around them.
  tabs_->tabBar()->setUsesScrollButtons(false);
  tabs_->tabBar()->setElideMode(Qt::ElideNone);
  layout->addWidget(tabs_);

  pages_ = std::make_unique<SetupPages>(document_, *tabs_);

  commands_ = std::make_unique<DeviceCommandRunner>(*this, *pages_, document_, environment);
  printing_ = std::make_unique<PrintCommands>(*this, document_);
  StatusPage* status = Status();
  connect(status, &StatusPage::FindRequested, this, &CMX3_SetupView::OnFind);
  connect(status, &StatusPage::ModelClicked, this, &CMX3_SetupView::SelectModelCommand);
  connect(tabs_, &QTabWidget::currentChanged, this, &CMX3_SetupView::OnTabChanged);
  document_.AttachView(this);
  qApp->installEventFilter(this);
}

CMX3_SetupView::~CMX3_SetupView() {
  qApp->removeEventFilter(this);
  document_.AttachView(nullptr);
}

StatusPage* CMX3_SetupView::Status() const {
  return pages_->Status();
}

int CMX3_SetupView::CurrentHelpTopic() const {
  return pages_->Page(tabs_->currentIndex())->HelpTopic();
}

void CMX3_SetupView::SelectModelCommand(ModelIndex model) {
  if (model == model_)
    return;
  model_ = model;
  UpdateConnectionStatus(false);
  if (IsKnownModel(model))
    ModelSelect(model);
}

void CMX3_SetupView::ModelSelect(ModelIndex model) {
  if (IsKnownModel(model))
    model_ = model;
  document_.Core().UpdateCaption();
  Status()->CheckModel(model);
  document_.Core().SetNetworkSettingsEdited(false);
  pages_->CommitPages();
  ApplyModelRules(document_.Image(), model_);
  pages_->RefreshPages();
  if (ChannelCount(model_) == 2 && document_.CurrentChannel() >= 2) {
    document_.SetCurrentChannel(0);
    RefreshAfterChannelChange();
  }
  emit CommandStateChanged();
}

void CMX3_SetupView::SelectLoadedModel(ModelIndex model) {
  model_ = model;
  Status()->CheckModel(model);
  if (ChannelCount(model_) == 2 && document_.CurrentChannel() >= 2) {
    document_.SetCurrentChannel(0);
    pages_->CaptionChannelTabs(0);
  }
  emit CommandStateChanged();
}

void CMX3_SetupView::ChannelSelect(int channel) {
  if (channel == document_.CurrentChannel() || channel < 0 || channel > 4)
    return;
  pages_->CommitPages();
  document_.SetCurrentChannel(channel);
  RefreshAfterChannelChange();
  emit CommandStateChanged();
}

void CMX3_SetupView::RefreshAfterChannelChange() {
  QWidget* frame = window();
  frame->setUpdatesEnabled(false);
  pages_->CaptionChannelTabs(document_.CurrentChannel());
  pages_->RefreshPages();
  frame->setUpdatesEnabled(true);
  frame->update();
  if (IsChannelTab(tabs_->currentIndex()))
    FocusFirstChoice(tabs_->currentIndex());
}

void CMX3_SetupView::UpdateConnectionStatus(bool connected) {
  LinkState& link = document_.Link();
  if (!connected) {
    ForgetConnection(link);
    Status()->ShowConnectionLines(nullptr);
    return;
  }
  ConnectionStatusLines lines = ComposeConnectionStatus(link, model_);
  QString serialTip;
  if (!link.portPath.empty()) {
    // The device by its kernel name keeps the line settings in view; the full path is the tip.
    lines.serial = link.identityTexts[0] + " (" + KernelDeviceName(link.portPath) + ")  @  " +
                   link.identityTexts[1];
    serialTip = QString::fromLocal8Bit(link.portPath);
  }
  Status()->ShowConnectionLines(&lines, serialTip);
}

void CMX3_SetupView::OnFind() {
  commands_->RunFind();
  document_.Core().UpdateCaption();
  emit CommandStateChanged();
}

void CMX3_SetupView::OnRead() {
  // The read replaces the whole image, so unsaved edits are offered for saving first.
  if (!document_.SaveModified())
    return;
  commands_->RunRead();
  emit CommandStateChanged();
}

void CMX3_SetupView::OnSend() {
  commands_->RunSend();
  emit CommandStateChanged();
}

void CMX3_SetupView::OnCopyChannels() {
  modalOpen_ = true;
  CopyChannelsDialog dialog(
      document_.Image(), model_, [this] { pages_->CommitPages(); },
      [this] { pages_->RefreshPages(); }, window());
  dialog.exec();
  modalOpen_ = false;
}

void CMX3_SetupView::OnReset() {
  modalOpen_ = true;
  ResetDialog dialog(
      document_.Image(), model_, [this] { pages_->CommitPages(); },
      [this] { pages_->RefreshPages(); }, window());
  dialog.exec();
  modalOpen_ = false;
}

void CMX3_SetupView::OnTabChanged(int index) {
  // The page left behind writes back what only it keeps up to date.
  if (shownTab_ == kReadSwitchTab) {
    pages_->Page(kReadSwitchTab)->StoreToImage();
  } else if (shownTab_ == kStatusTab) {
    Status()->StoreToImage();
    Status()->FindMesurixButton()->setFocus();
  }
  shownTab_ = index;
  if (index < 0)
    return;
  pages_->Page(index)->setFocus();
  if (IsChannelTab(index))
    FocusFirstChoice(index);
  emit HelpTopicChanged(pages_->Page(index)->HelpTopic());
}

void CMX3_SetupView::FocusFirstChoice(int tab) {
  pages_->Page(tab)->FocusFirstChoice();
}

bool CMX3_SetupView::HandleKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool control = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const int key = event->key();
  const bool tabKey = control && (key == Qt::Key_Tab || key == Qt::Key_Backtab);
  // Behind an open dialog the tab control must not move on its own either.
  if (modalOpen_ || testWindowOpen_)
    return tabKey;
  if (tabKey) {
    const int step = (shift || key == Qt::Key_Backtab) ? kTabCount - 1 : 1;
    tabs_->setCurrentIndex((tabs_->currentIndex() + step) % kTabCount);
    return true;
  }
  // A page is not a dialog: Enter and Escape must never close it.
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

bool CMX3_SetupView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == window())
      return HandleKey(static_cast<QKeyEvent*>(event));
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace mx::editor
