#pragma once
// What discovery and transfer need from whoever runs them: the document and the editor's model,
// the page commits, the progress and notice windows, message boxes, the message pump with its
// Cancel flag and the wait cursor. The Qt view implements it with windows, mxtool on the console,
// and the tests with a recorder. The link layer never calls up into concrete classes.

#include <string_view>

#include "core/ModelTable.h"
#include "core/SetupDocument.h"

namespace mx {

class DeviceCommandHost {
 public:
  virtual ~DeviceCommandHost() = default;

  // The document whose image the commands read and write.
  virtual SetupDocument& Document() = 0;

  // The editor's current model. Identification sets it directly and then calls ModelSelect, which
  // commits the pages, applies the model rules to the image and refreshes the pages (clearing the
  // document's "Update network settings" flag on the way).
  virtual ModelIndex CurrentModel() const = 0;
  virtual void SetCurrentModel(ModelIndex model) = 0;
  virtual void ModelSelect(ModelIndex model) = 0;
  virtual void CommitPages() = 0;
  virtual void RefreshPages() = 0;
  // Single pages, for the fields that Find and Send change behind the pages' backs.
  virtual void CommitStatusPage() = 0;
  virtual void RefreshStatusPage() = 0;
  virtual void CommitNetworkPage() = 0;
  virtual void RefreshNetworkPage() = 0;
  // Shows the connection lines. The link has already updated its state (on false: identity texts
  // emptied, port number -1); the host only displays.
  virtual void UpdateConnectionStatus(bool connected) = 0;

  // The progress window of the scan: two text lines, a percentage bar and Cancel.
  virtual void OpenProgressWindow() = 0;
  virtual void SetProgressLine(int line, std::string_view text) = 0;  // line 0 or 1
  virtual void SetProgress(int position, int total) = 0;
  virtual void CloseProgressWindow() = 0;  // also when Cancel already closed it
  // Lets pending window messages run (paint, the Cancel button).
  virtual void PumpMessages() = 0;
  virtual bool CancelRequested() const = 0;

  virtual void OpenNotice(std::string_view first, std::string_view second) = 0;
  virtual void CloseNotice() = 0;
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
  // A message that reports a failure; front ends that can mark it as one (a warning sign) do.
  virtual void ShowFailure(std::string_view caption, std::string_view text) {
    ShowMessage(caption, text);
  }
  virtual void SetWaitCursor(bool on) = 0;

  // A port of the scan could not be opened; front ends may say why (in use by which process).
  virtual void PortUnavailable(int /*port*/, std::string_view /*reason*/) {}
  // The scan moves on to COM`port`; the progress line that names it follows. Front ends that show
  // the device behind the port take the number from here, not from the line's text.
  virtual void ScanningPort(int /*port*/) {}
  // The interface answered on COM`port`; the notice that says so follows, and front ends show the
  // device behind the port beside it.
  virtual void LocatedOn(int /*port*/) {}
  // The image is on its way to the interface: from here on a send that fails or is cancelled may
  // still have changed the interface's settings.
  virtual void ImageSent() {}
  // A port that another program holds open is probed all the same, as the user named it.
  virtual void PortProbedWhileHeld(int /*port*/, std::string_view /*holder*/) {}
};

}  // namespace mx
