#pragma once
// The device commands' host on a terminal: progress and notices on stderr, message box texts on
// stdout, a caught signal (Ctrl+C) as the Cancel button of any device command.

#include <ostream>
#include <string>

#include "link/HeadlessCommandHost.h"
#include "link/LinkState.h"
#include "link/PortMap.h"

namespace mx::tool {

class DeviceConsoleHost : public HeadlessCommandHost {
 public:
  DeviceConsoleHost(std::ostream& out, std::ostream& err, const PortMap& ports,
                    const LinkState& state);

  void UpdateConnectionStatus(bool connected) override;
  void OpenProgressWindow() override {}
  void SetProgressLine(int line, std::string_view text) override;
  void SetProgress(int position, int total) override;
  void CloseProgressWindow() override {}
  void PumpMessages() override {}
  bool CancelRequested() const override;
  void OpenNotice(std::string_view first, std::string_view second) override;
  void CloseNotice() override {}
  void ShowMessage(std::string_view caption, std::string_view text) override;
  void SetWaitCursor(bool) override {}
  void PortUnavailable(int port, std::string_view reason) override;
  void ScanningPort(int port) override;
  void LocatedOn(int port) override { located_ = port; }
  void ImageSent() override { imageSent_ = true; }
  // On stderr itself, even for one port of a fleet whose progress lines are not shown.
  void PortProbedWhileHeld(int port, std::string_view holder) override;

  // The Status tab's connection lines, for `find`.
  void PrintConnection();
  // After a scan that found nothing: "COM1 (/dev/ttyUSB0) is in use by process 1234 (minicom)"
  // for each port another program holds.
  void PrintPortsInUse();
  // Whether an image went out to the interface (a cancelled send may still have taken effect).
  bool ImageWentOut() const { return imageSent_; }
  // Why the last port that could not be opened could not ("No such file or directory").
  const std::string& LastUnavailable() const { return unavailable_; }

 private:
  std::string PathBeside(int port) const;

  std::ostream& out_;
  std::ostream& err_;
  const PortMap& ports_;
  const LinkState& state_;
  int percent_ = -1;
  int scanning_ = 0;
  int located_ = 0;  // the port the next notice names
  bool imageSent_ = false;
  std::string unavailable_;
};

}  // namespace mx::tool
