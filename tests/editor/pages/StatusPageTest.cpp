// The Status tab: its controls against the image bytes, the clamps and the parity rule.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "editor/pages/StatusPage.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using test::WindowBench;

QLineEdit* EditWithLimit(WindowBench& bench, int limit) {
  for (QLineEdit* edit : bench.View().Status()->findChildren<QLineEdit*>()) {
    if (edit->maxLength() == limit)
      return edit;
  }
  return nullptr;
}

// Types into the Custom edit and leaves it, as a user would.
QString TypeCustom(WindowBench& bench, const QString& typed) {
  QLineEdit* custom = EditWithLimit(bench, 2);
  custom->setFocus();
  custom->selectAll();
  if (typed.isEmpty())
    QTest::keyClick(custom, Qt::Key_Delete);
  else
    QTest::keyClicks(custom, typed);
  EditWithLimit(bench, 79)->setFocus();
  emit custom->editingFinished();  // focus changes are not delivered to an inactive window
  return custom->text();
}

TEST(StatusPageTest, CustomNumberIsClampedWhenTheEditIsLeft) {
  WindowBench bench;
  bench.Click("Custom", "Starting Channel: ");
  EXPECT_TRUE(EditWithLimit(bench, 2)->isEnabled());
  EXPECT_EQ(TypeCustom(bench, "0"), "1");
  EXPECT_EQ(TypeCustom(bench, "99"), "98");
  EXPECT_EQ(bench.Image().Get(fld::startChannelNumber), 98);
  EXPECT_EQ(TypeCustom(bench, ""), "1");
  EXPECT_EQ(TypeCustom(bench, "-5"), "1");
  EXPECT_EQ(TypeCustom(bench, "42"), "42");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::startChannelMode), 5);
  EXPECT_EQ(bench.Image().Get(fld::startChannelNumber), 42);

  bench.Click("Channel B  ( 2 )", "Starting Channel: ");
  EXPECT_FALSE(EditWithLimit(bench, 2)->isEnabled());
}

TEST(StatusPageTest, ClampReadsTheNumberLikeScanf) {
  EXPECT_EQ(ClampStartChannelNumber(" 7x"), 7);
  EXPECT_EQ(ClampStartChannelNumber("x7"), 1);
  EXPECT_EQ(ClampStartChannelNumber("+98"), 98);
  EXPECT_EQ(ClampStartChannelNumber("500"), 98);
}

TEST(StatusPageTest, ArrowKeysWalkTheModelsWithoutChoosingThem) {
  WindowBench bench;
  for (int channel = 0; channel < 5; ++channel)
    bench.Image().Set(fld::gageType, static_cast<int8_t>(channel + 1), channel);
  QAbstractButton* start = bench.Button("Mesurix3 Plus", "Mesurix Model: ");
  start->setFocus();
  const std::pair<Qt::Key, const char*> steps[] = {
      {Qt::Key_Right, "Mesurix4 Plus"},   {Qt::Key_Right, "Mesurix5 Plus"},
      {Qt::Key_Down, "Mesurix5 Network"}, {Qt::Key_Down, "Mesurix5 Network"},
      {Qt::Key_Left, "Mesurix4 Network"}, {Qt::Key_Up, "Mesurix4 Plus"}};
  for (const auto& [key, focused] : steps) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(QApplication::focusWidget(), bench.Button(focused, "Mesurix Model: ")) << focused;
  }
  EXPECT_EQ(bench.Model(), 0);
  EXPECT_TRUE(start->isChecked());
  EXPECT_EQ(bench.Image().Get(fld::gageType, 2), 3) << "no model's rules were applied";

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(bench.Model(), 2);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 2), 5);
}

TEST(StatusPageTest, StartingChannelStoresModeAndNumber) {
  WindowBench bench;
  bench.Click("Channel C  ( 3 )", "Starting Channel: ");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::startChannelMode), 2);
  EXPECT_EQ(bench.Image().Get(fld::startChannelNumber), 3);
}

TEST(StatusPageTest, ParityDecidesTheDataBitsOnScreenAndInTheImage) {
  WindowBench bench;
  bench.Image().Set(fld::hostParity, 'E');
  bench.Image().Set(fld::hostDataBits, '8');
  bench.View().Pages().RefreshPages();
  EXPECT_TRUE(bench.Button("Even", "Parity: ")->isChecked());
  EXPECT_TRUE(bench.Button("7", "Data Bits: ")->isChecked());
  EXPECT_FALSE(bench.Button("8", "Data Bits: ")->isEnabled());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::hostDataBits), '7');

  bench.Click("None", "Parity: ");
  EXPECT_TRUE(bench.Button("8", "Data Bits: ")->isChecked());
  EXPECT_FALSE(bench.Button("7", "Data Bits: ")->isEnabled());
  bench.Click("Odd", "Parity: ");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::hostParity), 'O');
  EXPECT_EQ(bench.Image().Get(fld::hostDataBits), '7');
}

TEST(StatusPageTest, HostLineDescriptionAndButtonReachTheirBytes) {
  WindowBench bench;
  bench.Image().Set(fld::hostStopBits, '2');
  bench.Click("19.2K", "Baud Rate: ");
  bench.Click("Hardware", "Handshake: ");
  bench.Click("Enable button", "Default Pushbutton: ");
  QLineEdit* description = EditWithLimit(bench, 79);
  description->clear();
  QTest::keyClicks(description, QString(100, 'd'));
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 19200);
  EXPECT_EQ(bench.Image().Get(fld::hostHandshake), 1);
  EXPECT_EQ(bench.Image().Get(fld::defaultButtonDisabled),
            bench.Button("Enable button")->isChecked() ? 0 : 1);
  EXPECT_EQ(bench.Image().Text(fld::description), std::string(79, 'd'));
  EXPECT_EQ(bench.Image().Get(fld::hostStopBits), '2');  // never written by this tab
  EXPECT_TRUE(bench.Button("1", "Stop Bits: ")->isChecked());
}

TEST(StatusPageTest, ADescriptionCharacterBeyondLatin1ShowsAsTheQuestionMarkStored) {
  WindowBench bench;
  QLineEdit* description = EditWithLimit(bench, 79);
  description->setText(QString::fromUtf8("Gage \u03b1-1"));
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Text(fld::description), "Gage ?-1");
  EXPECT_EQ(description->text(), "Gage ?-1");
}

TEST(StatusPageTest, UnknownValuesLeaveTheRadiosAsTheyAre) {
  WindowBench bench;
  bench.Click("2400", "Baud Rate: ");
  bench.Image().Set(fld::hostBaud, uint16_t{31250});
  bench.Image().Set(fld::hostHandshake, uint8_t{7});
  bench.View().Pages().RefreshPages();
  EXPECT_TRUE(bench.Button("2400", "Baud Rate: ")->isChecked());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::hostBaud), 2400);
}

TEST(StatusPageTest, ConnectionLinesShowTheNetworkOfTheModel) {
  WindowBench bench;
  LinkState& link = bench.document->Link();
  link.identityTexts = {"COM2", "9600-N-8-1", "SN 41", "MX3 V1.7", "Bench"};
  // A long stable device name: the line shows the kernel's short one, the tip the whole path.
  link.portPath = bench.folder.File("usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0");
  { std::ofstream device(bench.folder.File("ttyUSB0")); }
  std::filesystem::create_symlink(bench.folder.File("ttyUSB0"), link.portPath);
  link.networkStatus = {{192, 168, 1, 20}, 3001, 1, 1, true};
  bench.View().UpdateConnectionStatus(true);
  QStringList texts;
  for (QLabel* label : bench.View().Status()->findChildren<QLabel*>())
    texts << label->text();
  EXPECT_TRUE(texts.contains("COM2 (ttyUSB0)  @  9600-N-8-1"));
  for (QLabel* label : bench.View().Status()->findChildren<QLabel*>()) {
    if (label->text().startsWith("COM2")) {
      EXPECT_EQ(label->toolTip(), QString::fromStdString(link.portPath));
    }
  }
  EXPECT_TRUE(texts.contains("Network communications not supported"));
  EXPECT_TRUE(texts.contains("SN 41"));
  EXPECT_TRUE(texts.contains("Model & Version"));

  bench.View().SetCurrentModel(5);
  bench.View().UpdateConnectionStatus(true);
  texts.clear();
  for (QLabel* label : bench.View().Status()->findChildren<QLabel*>())
    texts << label->text();
  EXPECT_TRUE(texts.contains("Server  @  192.168.1.20      Port  3001"));

  bench.View().UpdateConnectionStatus(false);
  for (QLabel* label : bench.View().Status()->findChildren<QLabel*>())
    EXPECT_FALSE(label->text().contains("SN 41"));
  EXPECT_EQ(link.linkSettings.portNumber, -1);
}

}  // namespace
}  // namespace mx::editor
