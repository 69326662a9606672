#pragma once
// A DeviceCommandHost that writes down every call, and the virtual bench the link tests run on:
// twenty virtual ports on a virtual clock with the preferences in memory.

#include <memory>
#include <string>
#include <vector>

#include "link/DeviceLink.h"
#include "link/HeadlessCommandHost.h"
#include "sim/InterfaceSimulator.h"
#include "sim/VirtualSerialLine.h"
#include "tests/support/SimulatedPorts.h"

namespace mx::test {

class RecordingHost : public HeadlessCommandHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> messages;  // texts of the message boxes
  std::vector<std::string> captions;
  int pumps = 0;
  int cancelAtPump = -1;  // the pump at which the user presses Cancel

  void ModelSelect(ModelIndex model) override {
    calls.push_back("ModelSelect " + std::to_string(model));
    HeadlessCommandHost::ModelSelect(model);
  }
  void CommitNetworkPage() override { calls.push_back("CommitNetworkPage"); }
  void RefreshNetworkPage() override { calls.push_back("RefreshNetworkPage"); }
  void CommitStatusPage() override { calls.push_back("CommitStatusPage"); }
  void RefreshStatusPage() override { calls.push_back("RefreshStatusPage"); }
  void UpdateConnectionStatus(bool connected) override {
    calls.push_back(connected ? "Status connected" : "Status cleared");
  }
  void OpenProgressWindow() override { calls.push_back("OpenProgress"); }
  void SetProgressLine(int line, std::string_view text) override {
    calls.push_back("Line" + std::to_string(line) + " " + std::string(text));
  }
  void SetProgress(int position, int total) override {
    calls.push_back("Progress " + std::to_string(position) + "/" + std::to_string(total));
  }
  void CloseProgressWindow() override { calls.push_back("CloseProgress"); }
  void PumpMessages() override {
    if (pumps++ == cancelAtPump)
      cancelled_ = true;
  }
  bool CancelRequested() const override { return cancelled_; }
  void OpenNotice(std::string_view first, std::string_view second) override {
    calls.push_back("Notice " + std::string(first) + " | " + std::string(second));
  }
  void CloseNotice() override { calls.push_back("CloseNotice"); }
  void ShowMessage(std::string_view caption, std::string_view text) override {
    captions.emplace_back(caption);
    messages.emplace_back(text);
  }
  void SetWaitCursor(bool on) override { calls.push_back(on ? "WaitCursor" : "ArrowCursor"); }
  void ScanningPort(int port) override { calls.push_back("Scanning COM" + std::to_string(port)); }
  void ImageSent() override { calls.push_back("ImageSent"); }

  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls)
      n += c == call;
    return n;
  }

 private:
  bool cancelled_ = false;
};

// The bench: COMn is "vcomN" on the bus when added.
struct LinkBench : SimulatedPorts {
  MemoryPreferencesStore store;
  LinkState state;
  RecordingHost host;
  DeviceLink link{host, state, store, line, clock, ports};

  void StorePlace(int port, int baud, char parity, char dataBits) {
    SaveLinkSettings(store, LinkSettings{port, baud, parity, dataBits, '1'});
  }
  // Identification requests the host wrote on a port.
  int IdentifyRequests(int port) {
    const sim::VirtualPort* p = bus.Find(PathOf(port));
    const std::string written(p->written.begin(), p->written.end());
    int n = 0;
    for (std::size_t at = written.find("<$B"); at != std::string::npos;
         at = written.find("<$B", at + 1))
      ++n;
    return n;
  }
  uint64_t Elapsed() const { return clock.Now64() - 1000; }
};

}  // namespace mx::test
