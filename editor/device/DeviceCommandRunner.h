#pragma once
// Find, Read and Send in the window: runs the device link's commands with this window as their
// host (progress and notice windows, message boxes, the wait cursor, the pages and the model).
// Waits keep the windows painted; only the scan's fixed points let user input through.

#include <functional>
#include <memory>
#include <optional>

#include "link/DeviceCommandHost.h"
#include "link/DeviceLink.h"
#include "link/PortMap.h"

#include <QString>

class QWidget;

namespace mx::editor {

class CMX3_SetupDoc;
class CMX3_SetupView;
class SetupPages;
class FindProgressWindow;
class NoticeWindow;
struct DeviceEnvironment;

class DeviceCommandRunner : public DeviceCommandHost {
 public:
  DeviceCommandRunner(CMX3_SetupView& view, SetupPages& pages, CMX3_SetupDoc& document,
                      DeviceEnvironment& environment);
  ~DeviceCommandRunner() override;

  bool RunFind();
  bool RunRead();
  bool RunSend();
  // Any other command on the device link, run as those three are (one at a time, windows kept
  // painted while it waits).
  bool RunCommand(const std::function<bool(DeviceLink&)>& command);
  bool Running() const { return running_; }
  // The window that the command windows and message boxes belong over; null: the main window.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // The windows while they are open (null otherwise), for whoever watches the command.
  FindProgressWindow* ProgressWindow() const { return progress_.get(); }
  NoticeWindow* Notice() const { return notice_.get(); }

  // DeviceCommandHost.
  SetupDocument& Document() override;
  ModelIndex CurrentModel() const override;
  void SetCurrentModel(ModelIndex model) override;
  void ModelSelect(ModelIndex model) override;
  void CommitPages() override;
  void RefreshPages() override;
  void CommitStatusPage() override;
  void RefreshStatusPage() override;
  void CommitNetworkPage() override;
  void RefreshNetworkPage() override;
  void UpdateConnectionStatus(bool connected) override;
  void OpenProgressWindow() override;
  void SetProgressLine(int line, std::string_view text) override;
  void SetProgress(int position, int total) override;
  void CloseProgressWindow() override;
  void PumpMessages() override;
  bool CancelRequested() const override { return cancelled_; }
  void OpenNotice(std::string_view first, std::string_view second) override;
  void CloseNotice() override;
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void ShowFailure(std::string_view caption, std::string_view text) override;
  void SetWaitCursor(bool on) override;
  void PortUnavailable(int port, std::string_view reason) override;
  void ScanningPort(int port) override { scanning_ = port; }
  void LocatedOn(int port) override { located_ = port; }
  void ImageSent() override;

 private:
  template <typename Command>
  bool Run(Command command);
  QWidget* Owner() const;
  QString Caption() const;
  // The transfer log's line for a Send whose image went out; a log that cannot be written is a
  // note in the status bar.
  void LogSend(bool ok);

  CMX3_SetupView& view_;
  SetupPages& pages_;
  CMX3_SetupDoc& document_;
  DeviceEnvironment& environment_;
  QWidget* owner_ = nullptr;
  PortMap ports_;
  std::unique_ptr<FindProgressWindow> progress_;
  std::unique_ptr<NoticeWindow> notice_;
  bool cancelled_ = false;
  bool running_ = false;
  // The link as it was when the image went out: a failed send forgets where it was.
  std::optional<LinkState> sending_;
  std::string lastMessage_;
  int waitCursors_ = 0;
  int scanning_ = 0;  // the port progress line 0 names
  int located_ = 0;   // the port the next notice names
};

}  // namespace mx::editor
