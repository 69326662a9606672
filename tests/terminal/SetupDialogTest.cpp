// The "Communications Test Setup: " dialog's logic: what it shows on opening, the port check,
// Find, and what OK does to the window's settings and the stored buttons.
#include "terminal/SetupDialogModel.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/terminal/TerminalBench.h"

namespace mx::terminal {
namespace {

using test::TerminalBench;

struct FakeServices : SetupDialogModel::Services {
  std::set<int> opening;  // the ports that open
  std::optional<PortSettings> found;
  int tests = 0;
  bool TestOpen(int port) override {
    ++tests;
    return opening.count(port) > 0;
  }
  std::optional<PortSettings> FindInterface() override { return found; }
};

std::vector<int> Enabled(const SetupDialogModel& model) {
  std::vector<int> ports;
  for (int port = 1; port <= 20; ++port) {
    if (model.portEnabled[static_cast<std::size_t>(port)])
      ports.push_back(port);
  }
  return ports;
}

TEST(SetupDialogTest, OpeningShowsOnlyWhatTheDialogOffers) {
  FakeServices services;
  const SetupDialogModel odd(services, {5, 14400, 'X', '9', '7'}, false, {}, 8);
  EXPECT_EQ(odd.selected, (PortSettings{5, 9600, 'N', '5', '1'}));
  EXPECT_EQ(odd.printerFontSize, 9);
  const SetupDialogModel usual(services, {2, 57600, 'M', '6', '0'}, false, {}, 7);
  EXPECT_EQ(usual.selected, (PortSettings{2, 57600, 'M', '6', '0'}));
  EXPECT_EQ(usual.printerFontSize, 7);
}

TEST(SetupDialogTest, PortCheckEnablesWhatOpensAndMovesTheChoice) {
  FakeServices services;
  services.opening = {4, 9};
  SetupDialogModel model(services, {2, 9600, 'N', '8', '1'}, false, {}, 9);
  model.RunPortCheck();
  EXPECT_EQ(Enabled(model), (std::vector<int>{4, 9}));
  EXPECT_EQ(model.selected.port, 4);
  model.selected.port = 9;
  model.SetEnableAll(true);
  EXPECT_EQ(Enabled(model).size(), 20u);
  EXPECT_EQ(services.tests, 20);  // "Enable all" opens nothing
  EXPECT_EQ(model.selected.port, 9);
  model.SetEnableAll(false);
  EXPECT_EQ(model.selected.port, 9);

  services.found = PortSettings{9, 19200, 'O', '7', '1'};
  EXPECT_TRUE(model.FindMx());
  EXPECT_EQ(model.selected, *services.found);
}

TEST(SetupDialogTest, OkStoresTheChoiceAndTheUseFoundRule) {
  TerminalBench bench;
  bench.AddPort(1);
  bench.AddPort(2);
  bench.AddInterface(3, 1, 19200, 'E', '7');
  bench.state.linkSettings = LinkSettings{3, 19200, 'E', '7', '1'};
  bench.controller.Start();

  // The dialog opens on the found line; choosing it again keeps the window on the found place.
  PortSettings shown;
  bench.view.dialog = [&](SetupDialogModel& model) {
    shown = model.selected;
    EXPECT_EQ(Enabled(model), (std::vector<int>{1, 2, 3}));
    return true;
  };
  bench.controller.RunSetupDialog();
  EXPECT_EQ(shown, (PortSettings{3, 19200, 'E', '7', '1'}));
  EXPECT_TRUE(bench.settings.useFound);

  // Any difference is the user's own line.
  bench.view.dialog = [](SetupDialogModel& model) {
    model.selected.stopBits = '2';
    model.printerFontSize = kSmallPrinterFont;
    model.enableAll = true;
    return true;
  };
  bench.controller.RunSetupDialog();
  EXPECT_FALSE(bench.settings.useFound);
  EXPECT_EQ(bench.settings.line, (PortSettings{3, 19200, 'E', '7', '2'}));
  EXPECT_EQ(bench.settings.printerFontSize, kSmallPrinterFont);
  EXPECT_TRUE(bench.settings.enableAllPorts);
  EXPECT_EQ(bench.controller.InUse(), bench.settings.line);

  // Cancel changes nothing but reopens the port.
  bench.view.dialog = [](SetupDialogModel& model) {
    model.selected.port = 1;
    return false;
  };
  bench.controller.RunSetupDialog();
  EXPECT_EQ(bench.settings.line.port, 3);
  EXPECT_TRUE(bench.controller.Status().portOpen);
}

TEST(SetupDialogTest, ButtonsSurviveOkAndReopeningAtTheirLimits) {
  TerminalBench bench;
  bench.AddPort(1);
  bench.controller.Start();
  const std::string label = "Fünfzehn Zeich.";  // 15 characters, 16 bytes
  const std::string command(70, 'c');
  bench.view.dialog = [&](SetupDialogModel& model) {
    model.buttons[0] = {label + "!", command + "!"};  // one past each limit
    model.buttons[1] = {label, command};
    return true;
  };
  bench.controller.RunSetupDialog();
  EXPECT_EQ(bench.store.ReadText("Settings", "LinkTest_Button_Label_1", ""), label);
  EXPECT_EQ(bench.store.ReadText("Settings", "LinkTest_Button_Cmd_1", ""), command);
  UserButtons shown;
  bench.view.dialog = [&](SetupDialogModel& model) {
    shown = model.buttons;
    return false;
  };
  bench.controller.RunSetupDialog();
  EXPECT_EQ(shown[0], (UserButton{label, command}));
  EXPECT_EQ(shown[1], (UserButton{label, command}));
  EXPECT_EQ(bench.controller.Status().buttons, shown);
}

TEST(SetupDialogTest, FindInTheDialogSelectsTheFoundLine) {
  TerminalBench bench;
  bench.AddPort(1);
  bench.AddInterface(2, 0, 2400, 'N', '8');
  bench.controller.Start();
  bench.view.dialog = [](SetupDialogModel& model) { return model.FindMx(); };
  bench.controller.RunSetupDialog();
  EXPECT_EQ(bench.settings.line, (PortSettings{2, 2400, 'N', '8', '1'}));
  EXPECT_TRUE(bench.settings.useFound);
  EXPECT_TRUE(bench.controller.Status().portOpen);
}

}  // namespace
}  // namespace mx::terminal
