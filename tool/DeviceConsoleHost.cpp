#include "tool/DeviceConsoleHost.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <utility>

#include "link/ConnectionStatus.h"
#include "tool/SignalCancel.h"

namespace mx::tool {

DeviceConsoleHost::DeviceConsoleHost(std::ostream& out, std::ostream& err, const PortMap& ports,
                                     const LinkState& state)
    : out_(out), err_(err), ports_(ports), state_(state) {}

bool DeviceConsoleHost::CancelRequested() const {
  return SignalCancel::Caught() != 0;
}

void DeviceConsoleHost::UpdateConnectionStatus(bool) {}

void DeviceConsoleHost::ScanningPort(int port) {
  scanning_ = port;
}

// " (<device path>)" for a port of this machine.
std::string DeviceConsoleHost::PathBeside(int port) const {
  const std::optional<std::string> path = ports_.PathOf(port);
  return path ? " (" + *path + ")" : std::string();
}

void DeviceConsoleHost::SetProgressLine(int line, std::string_view text) {
  if (text.empty())
    return;
  if (line == 0) {
    // The line names the port being scanned; the device path goes beside it.
    err_ << text << PathBeside(scanning_) << "\n";
  } else {
    err_ << "  " << text << "\n";
  }
}

void DeviceConsoleHost::SetProgress(int position, int total) {
  const int percent = total == 0 ? 100 : std::clamp((position * 100 + total / 2) / total, 0, 100);
  if (percent == percent_)
    return;
  percent_ = percent;
  err_ << "  " << percent << "% of the ports checked\n";
}

void DeviceConsoleHost::OpenNotice(std::string_view first, std::string_view second) {
  err_ << first;
  if (!second.empty())
    err_ << " " << second;
  err_ << PathBeside(std::exchange(located_, 0)) << "\n";
}

void DeviceConsoleHost::ShowMessage(std::string_view, std::string_view text) {
  if (CancelRequested())
    return;  // the failure is the cancel's doing; the command says it was cancelled instead
  out_ << text << "\n";
  out_.flush();
}

void DeviceConsoleHost::PortUnavailable(int port, std::string_view reason) {
  if (!ports_.PathOf(port))
    return;  // not a port of this machine: nothing to say
  unavailable_ = reason;
  err_ << "  " << ports_.Describe(port) << ": " << reason << "\n";
}

void DeviceConsoleHost::PortProbedWhileHeld(int port, std::string_view holder) {
  // One insertion, so that the lines of ports probed at once do not mix.
  std::cerr << "mxtool: warning: " + ports_.Describe(port) + " is " + std::string(holder) +
                   "; probing it as named\n";
}

void DeviceConsoleHost::PrintPortsInUse() {
  for (const PortInUse& busy : state_.portsInUse)
    out_ << ports_.Describe(busy.port) << " is " << busy.holder << "\n";
  out_.flush();
}

void DeviceConsoleHost::PrintConnection() {
  const ConnectionStatusLines lines = ComposeConnectionStatus(state_, CurrentModel());
  out_ << "Serial communications = " << lines.serial;
  if (!state_.portPath.empty())
    out_ << "  (" << state_.portPath << ")";
  out_ << "\nNetwork setup = " << lines.network << "\nSerial number = " << lines.serialNumber
       << "\nModel & Version = " << lines.modelAndVersion << "\n";
  const ModelInfo* model = ModelByIndex(CurrentModel());
  if (model)
    out_ << "Model = " << model->name << "\n";
  out_.flush();
}

}  // namespace mx::tool
