#include "editor/device/DeviceCommandRunner.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <algorithm>
#include <utility>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"
#include "editor/device/DeviceEnvironment.h"
#include "editor/device/DeviceTexts.h"
#include "editor/device/FindProgressWindow.h"
#include "editor/device/NoticeWindow.h"
#include "editor/device/PaintingClock.h"
#include "editor/device/PaintingSerialLine.h"
#include "editor/device/PortText.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/pages/SetupPages.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
#include "link/TransferLog.h"

namespace mx::editor {
DeviceCommandRunner::DeviceCommandRunner(CMX3_SetupView& view, SetupPages& pages,
                                         CMX3_SetupDoc& document, DeviceEnvironment& environment)
    : view_(view), pages_(pages), document_(document), environment_(environment) {}

DeviceCommandRunner::~DeviceCommandRunner() {
  while (waitCursors_ > 0)
    SetWaitCursor(false);
}

template <typename Command>
bool DeviceCommandRunner::Run(Command command) {
  if (running_ || !environment_.line || !environment_.clock || !environment_.store)
    return false;
  running_ = true;
  cancelled_ = false;
  ports_ = environment_.ports ? environment_.ports() : PortMap{};
  PaintingClock clock(*environment_.clock);
  PaintingSerialLine line(*environment_.line, *environment_.clock);
  DeviceLink link{*this, document_.Link(), *environment_.store, line, clock, ports_};
  const bool ok = command(link);
  progress_.reset();
  notice_.reset();
  while (waitCursors_ > 0)
    SetWaitCursor(false);
  running_ = false;
  return ok;
}

bool DeviceCommandRunner::RunFind() {
  return Run([](DeviceLink& link) { return RunFindCommand(link); });
}

bool DeviceCommandRunner::RunRead() {
  return Run([](DeviceLink& link) { return ReadParameters(link); });
}

bool DeviceCommandRunner::RunSend() {
  sending_.reset();
  lastMessage_.clear();
  const bool ok = Run([](DeviceLink& link) { return SendParameters(link); });
  if (sending_)
    LogSend(ok);
  return ok;
}

bool DeviceCommandRunner::RunCommand(const std::function<bool(DeviceLink&)>& command) {
  return Run(command);
}

QWidget* DeviceCommandRunner::Owner() const {
  return owner_ ? owner_ : view_.window();
}

QString DeviceCommandRunner::Caption() const {
  return desktop::FromUtf8(document_.Link().messageCaption);
}

SetupDocument& DeviceCommandRunner::Document() {
  return document_.Core();
}

ModelIndex DeviceCommandRunner::CurrentModel() const {
  return view_.CurrentModel();
}

void DeviceCommandRunner::SetCurrentModel(ModelIndex model) {
  view_.SetCurrentModel(model);
}

void DeviceCommandRunner::ModelSelect(ModelIndex model) {
  view_.ModelSelect(model);
}

void DeviceCommandRunner::CommitPages() {
  pages_.CommitPages();
}

void DeviceCommandRunner::RefreshPages() {
  pages_.RefreshPages();
}

void DeviceCommandRunner::CommitStatusPage() {
  pages_.Page(kStatusTab)->StoreToImage();
}

void DeviceCommandRunner::RefreshStatusPage() {
  pages_.Page(kStatusTab)->LoadFromImage();
}

void DeviceCommandRunner::CommitNetworkPage() {
  pages_.Page(kNetworkTab)->StoreToImage();
}

void DeviceCommandRunner::RefreshNetworkPage() {
  pages_.Page(kNetworkTab)->LoadFromImage();
}

void DeviceCommandRunner::UpdateConnectionStatus(bool connected) {
  view_.UpdateConnectionStatus(connected);
}

void DeviceCommandRunner::OpenProgressWindow() {
  progress_ =
      std::make_unique<FindProgressWindow>(Owner(), Caption(), [this] { cancelled_ = true; });
  progress_->Open();
}

void DeviceCommandRunner::SetProgressLine(int line, std::string_view text) {
  if (!progress_)
    return;
  // Line 0 names the port being scanned: its device goes beside it, the full path in the tooltip.
  const int port = line == 0 ? scanning_ : 0;
  progress_->SetLine(
      line, desktop::FromLatin1(std::string(text) + DeviceBeside(port, ports_)),
      desktop::FromLatin1(std::string(text) + DeviceBeside(port, ports_, DeviceForm::FullPath)));
}

void DeviceCommandRunner::SetProgress(int position, int total) {
  if (progress_)
    progress_->SetProgress(position, total);
}

void DeviceCommandRunner::CloseProgressWindow() {
  progress_.reset();
}

void DeviceCommandRunner::PumpMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void DeviceCommandRunner::ImageSent() {
  sending_ = document_.Link();
}

void DeviceCommandRunner::OpenNotice(std::string_view first, std::string_view second) {
  // The notice has room for the whole device path, and is where the user learns it.
  const std::string device = DeviceBeside(std::exchange(located_, 0), ports_, DeviceForm::FullPath);
  notice_ = std::make_unique<NoticeWindow>(Owner(), Caption(), desktop::FromLatin1(first),
                                           desktop::FromLatin1(std::string(second) + device));
  notice_->Open();
}

void DeviceCommandRunner::CloseNotice() {
  notice_.reset();
}

void DeviceCommandRunner::ShowMessage(std::string_view caption, std::string_view text) {
  lastMessage_ = text;
  desktop::ShowMessageBox(Owner(), desktop::FromLatin1(caption), desktop::FromLatin1(text));
}

void DeviceCommandRunner::ShowFailure(std::string_view caption, std::string_view text) {
  lastMessage_ = text;
  desktop::ShowMessageBox(Owner(), desktop::FromLatin1(caption), desktop::FromLatin1(text),
                          QMessageBox::Warning);
}

void DeviceCommandRunner::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitCursors_;
  } else if (waitCursors_ > 0) {
    QApplication::restoreOverrideCursor();
    --waitCursors_;
  }
}

void DeviceCommandRunner::LogSend(bool ok) {
  const ModelInfo* model = ModelByIndex(CurrentModel());
  SetupDocument& core = document_.Core();
  TransferRecord record = MakeTransferRecord(*sending_, model ? std::string(model->name) : "",
                                             core.Image().Bytes(), core.PathName());
  record.outcome = ok ? "ok" : "failed";
  record.message = lastMessage_;
  std::replace(record.message.begin(), record.message.end(), '\n', ' ');
  const TransferLogResult logged = AppendTransferRecord(record);
  if (auto* frame = qobject_cast<QMainWindow*>(Owner()); frame && !logged.ok)
    frame->statusBar()->showMessage(
        desktop::FromUtf8(text::kTransferLogNotWritten).arg(desktop::FromUtf8(logged.error)));
}

void DeviceCommandRunner::PortUnavailable(int port, std::string_view reason) {
  // Ports that do not exist are the rule during a scan; only a real device that refused is news.
  if (reason.empty() || !ports_.PathOf(port))
    return;
  if (auto* frame = qobject_cast<QMainWindow*>(Owner()))
    frame->statusBar()->showMessage(
        desktop::FromUtf8(text::kPortUnavailable)
            .arg(desktop::FromLatin1("COM" + std::to_string(port) + DeviceBeside(port, ports_)),
                 desktop::FromLatin1(reason)),
        4000);
}

}  // namespace mx::editor
