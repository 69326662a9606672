#pragma once
// The test window's controller on the virtual bench: twenty virtual ports on a virtual clock, the
// preferences in memory, and a window that writes down what it is told.

#include <functional>
#include <string>
#include <vector>

#include "support/RecordingHost.h"
#include "terminal/TerminalController.h"

namespace mx::terminal::test {

class RecordingView : public TerminalView {
 public:
  std::string pane;  // '\n' between lines
  std::vector<std::string> messages;
  std::vector<Focus> focus;
  int statusChanges = 0;
  std::function<bool(SetupDialogModel&)> dialog = [](SetupDialogModel&) { return false; };
  std::function<void()> duringAppend;

  void AppendToPane(std::string_view text, PaneOrigin) override {
    pane += text;
    if (duringAppend)
      duringAppend();
  }
  void ClearPane() override { pane.clear(); }
  void MoveFocus(Focus where) override { focus.push_back(where); }
  void StatusChanged() override { ++statusChanges; }
  void ShowMessage(std::string_view, std::string_view text) override {
    messages.emplace_back(text);
  }
  bool RunSetupDialog(SetupDialogModel& model) override { return dialog(model); }
};

struct TerminalBench : mx::test::LinkBench {
  TestSettings settings;
  RecordingView view;
  TerminalController controller{link, settings, view};

  std::vector<uint8_t>& Written(int port) { return bus.Find(PathOf(port))->written; }
  std::string WrittenText(int port) {
    const auto& bytes = Written(port);
    return {bytes.begin(), bytes.end()};
  }
  // Bytes the device on COM`port` sends, arriving now.
  void Arrive(int port, const std::string& bytes) {
    bus.Inject(PathOf(port), {bytes.begin(), bytes.end()}, clock.Now64());
  }
  void Poll(int times = 1) {
    for (int i = 0; i < times; ++i) {
      clock.SleepMs(kPollIntervalMs);
      controller.PollReceive();
    }
  }
};

}  // namespace mx::terminal::test
