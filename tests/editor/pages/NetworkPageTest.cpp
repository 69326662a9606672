// The Network tab: captions, clamps, the routing grid and the network-edited flag, against the
// image bytes.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "editor/pages/AddressEdit.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

struct NetworkBench : test::WindowBench {
  explicit NetworkBench(ModelIndex model = 7) {
    View().SelectModelCommand(model);
    View().Tabs()->setCurrentIndex(kNetworkTab);
  }
  QWidget* Page() { return View().Pages().Page(kNetworkTab); }
  QCheckBox* Box(const QString& name) {
    auto* box = test::FindNamed<QCheckBox>(Page(), name);
    EXPECT_NE(box, nullptr) << name.toStdString();
    return box;
  }
  QCheckBox* Target(int n) {
    for (QCheckBox* box : Page()->findChildren<QCheckBox*>()) {
      if (box->text().startsWith(QString("Network channel %1").arg(n)))
        return box;
    }
    ADD_FAILURE() << "no target " << n;
    return nullptr;
  }
  QLineEdit* BasePort() { return test::FindNamed<QLineEdit>(Page(), "Base port number"); }
  void ChooseChannels(int count) {
    // On Linux a list announces its entry as its name and its label through the buddy relation.
    QComboBox* list = Page()->findChild<QComboBox*>();
    ASSERT_EQ(list->accessibleName(), "Active network channels");
    ASSERT_TRUE(list->isEnabled());
    list->setCurrentIndex(count - 1);
    emit list->activated(count - 1);
  }
  void LeaveBasePort(const QString& typed) {
    BasePort()->clear();
    QTest::keyClicks(BasePort(), typed);
    emit BasePort()->editingFinished();
  }
};

TEST(NetworkPageTest, TargetCaptionsCarryThePortsOfTheActiveChannels) {
  NetworkBench bench;
  EXPECT_EQ(bench.Target(1)->text(), "Network channel 1     ( Port = 5000 )");
  for (int n = 2; n <= 6; ++n) {
    EXPECT_EQ(bench.Target(n)->text(), QString("Network channel %1").arg(n));
    EXPECT_FALSE(bench.Target(n)->isEnabled());
    EXPECT_FALSE(bench.Target(n)->isChecked());
  }
  bench.Click("Update network settings");
  EXPECT_TRUE(bench.document->Core().NetworkSettingsEdited());
  bench.ChooseChannels(3);
  EXPECT_EQ(bench.Image().Get(fld::networkChannelCount), 3);
  EXPECT_EQ(bench.Target(3)->text(), "Network channel 3     ( Port = 5002 )");
  bench.Target(2)->click();
  bench.Target(3)->click();
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::networkOutput, 2), 1);
  bench.ChooseChannels(1);
  EXPECT_EQ(bench.Image().Get(fld::networkOutput, 1), 0);
  EXPECT_EQ(bench.Image().Get(fld::networkOutput, 2), 0);
  EXPECT_FALSE(bench.Target(2)->isChecked());
}

TEST(NetworkPageTest, BasePortIsHeldSoTheSixthPortStaysValid) {
  NetworkBench bench;
  bench.Click("Update network settings");
  const struct {
    const char* typed;
    int stored;
  } cases[] = {{"0", 1}, {"99999", 65530}, {"", 1}, {"6000", 6000}};
  for (const auto& c : cases) {
    bench.LeaveBasePort(c.typed);
    EXPECT_EQ(bench.Image().Get(fld::basePort), c.stored) << c.typed;
    EXPECT_EQ(bench.BasePort()->text(), QString::number(c.stored)) << c.typed;
  }
  EXPECT_EQ(bench.Target(1)->text(), "Network channel 1     ( Port = 6000 )");
  // A port typed and not yet left still counts when the document is saved.
  QTest::keyClicks(bench.BasePort(), "1");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::basePort), 60001);
}

TEST(NetworkPageTest, AllMeansEveryChannelTheModelHas) {
  for (const ModelIndex model : {1, 7}) {
    NetworkBench bench(model);
    const bool five = model == 7;
    EXPECT_EQ(bench.Box("RS232 port: C")->isVisible(), five);
    bench.Box("RS232 port: All")->click();  // ticked by default: clears the row
    EXPECT_FALSE(bench.Box("RS232 port: A")->isChecked());
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(bench.Image().Get(fld::rs232Source, c), 1) << model << c;
    bench.Box("RS232 port: A")->click();
    bench.Box("RS232 port: B")->click();
    EXPECT_EQ(bench.Box("RS232 port: All")->isChecked(), !five) << model;
    bench.Box("Network channel 1: All")->click();
    bench.Box("Network channel 1: All")->click();
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(bench.Image().Get(fld::networkSource, c), 0) << model << c;
    EXPECT_TRUE(bench.Box("Network channel 1: E")->isChecked());
  }
}

TEST(NetworkPageTest, PlusModelsRouteNothingOverTheNetwork) {
  for (const ModelIndex model : {0, 2, 4, 6}) {
    NetworkBench bench(model);
    EXPECT_FALSE(bench.Button("Enable network connection")->isEnabled()) << model;
    EXPECT_FALSE(bench.Button("RS232 port")->isEnabled()) << model;
    EXPECT_FALSE(bench.Target(1)->isEnabled()) << model;
    EXPECT_FALSE(bench.Box("RS232 port: A")->isEnabled()) << model;
    EXPECT_FALSE(bench.Box("Network channel 1: All")->isEnabled()) << model;
  }
}

TEST(NetworkPageTest, DisablingTheNetworkRoutesEverythingToTheRs232Port) {
  NetworkBench bench;
  bench.Click("Update network settings");
  bench.Box("RS232 port: All")->click();
  bench.Click("Enable network connection");
  EXPECT_EQ(bench.Image().Get(fld::networkEnabled), 0);
  EXPECT_FALSE(bench.document->Core().NetworkSettingsEdited());
  EXPECT_FALSE(bench.Button("Update network settings")->isChecked());
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(bench.Image().Get(fld::rs232Source, c), 0) << c;
  EXPECT_FALSE(bench.Target(1)->isEnabled());
}

TEST(NetworkPageTest, StoringWithNoTargetTickedKeepsTheRs232Port) {
  NetworkBench bench;
  bench.Click("RS232 port");
  bench.Target(1)->click();
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::outputToRs232Port), 1);
  EXPECT_EQ(bench.Image().Get(fld::networkOutput, 0), 0);
}

TEST(NetworkPageTest, SettingsAreReadOnlyUntilUpdateIsTickedAndClientNeverChosen) {
  NetworkBench bench;
  auto* address = test::FindNamed<AddressEdit>(bench.Page(), "TCP/IP address");
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(address->Text(), "192.168.0.10");
  EXPECT_FALSE(address->isEnabled());
  EXPECT_FALSE(bench.Button("Server")->isEnabled());
  bench.Click("Update network settings");
  EXPECT_TRUE(address->isEnabled());
  EXPECT_TRUE(bench.Button("Server")->isEnabled());
  EXPECT_FALSE(bench.Button("Client  (not currently supported)")->isEnabled());
  ASSERT_TRUE(address->SetText("10.1.2.3"));
  auto* gateway = test::FindNamed<AddressEdit>(bench.Page(), "Default gateway");
  EXPECT_FALSE(gateway->isEnabled());
  bench.Click("Specify default gateway");
  EXPECT_EQ(bench.Image().Get(fld::gatewayEnabled), 1);
  ASSERT_TRUE(gateway->SetText("10.1.2.254"));
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::ipAddress, 0), 10);
  EXPECT_EQ(bench.Image().Get(fld::ipAddress, 3), 3);
  EXPECT_EQ(bench.Image().Get(fld::gatewayAddress, 3), 254);

  bench.Image().Set(fld::serverMode, uint8_t{0});
  bench.View().Pages().RefreshPages();
  EXPECT_TRUE(bench.Button("Client  (not currently supported)")->isChecked());
  // A model change forgets the edit: the interface's own settings count again.
  bench.View().SelectModelCommand(5);
  EXPECT_FALSE(bench.Button("Update network settings")->isChecked());
  EXPECT_FALSE(address->isEnabled());
}

}  // namespace
}  // namespace mx::editor
