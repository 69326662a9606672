// The RS232 tab: its rules, filters and clamps against the image bytes of the channel shown.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include "core/ImageOperations.h"
#include "editor/pages/FieldBinding.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

constexpr int kChannelE = 4;

struct Rs232Bench : test::WindowBench {
  // The RS232 tab shown for `channel` of `model`, that channel's gage an RS232 one.
  explicit Rs232Bench(ModelIndex model = 6, int channel = 0) {
    View().SelectModelCommand(model);
    View().ChannelSelect(channel);
    Image().Set(fld::gageType, gage::kRs232, channel);
    View().Pages().RefreshPages();
    View().Tabs()->setCurrentIndex(kRs232Tab);
  }
  QWidget* Page() { return View().Pages().Page(kRs232Tab); }
  QAbstractButton* Button(const char* caption, const char* group = "") {
    QAbstractButton* button = test::FindButton(Page(), caption, group);
    EXPECT_NE(button, nullptr) << caption;
    return button;
  }
  QLineEdit* Box(const char* name) {
    auto* box = test::FindNamed<QLineEdit>(Page(), name);
    EXPECT_NE(box, nullptr) << name;
    return box;
  }
  // Types into a box and leaves it, as a user would.
  void Type(const char* name, const QString& text) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    emit box->editingFinished();  // focus changes are not delivered to an inactive window
  }
  int Channel() { return document->CurrentChannel(); }
};

TEST(Rs232PageTest, EveryControlIsOffUnlessTheGageIsAnRs232One) {
  Rs232Bench bench(4, 0);
  EXPECT_TRUE(bench.Button("9600")->isEnabled());
  // The chaining boxes belong to channel E only.
  EXPECT_FALSE(bench.Button("Send commands to next Mesurix in chain")->isEnabled());

  bench.Image().Set(fld::gageType, gage::kAutoSelect, 0);
  bench.View().Pages().RefreshPages();
  for (QWidget* control : bench.Page()->findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) {
      EXPECT_FALSE(control->isEnabled()) << test::AccessibleName(control).toStdString();
    }
  }

  bench.View().ChannelSelect(kChannelE);
  EXPECT_TRUE(bench.Button("Set channel E to default Mesurix baud")->isEnabled());
}

TEST(Rs232PageTest, EvenOrOddParityTakesSevenDataBits) {
  Rs232Bench bench;
  bench.Button("None", "Parity: ")->click();
  bench.Button("8", "Data Bits: ")->click();
  bench.Button("Odd", "Parity: ")->click();
  EXPECT_TRUE(bench.Button("7", "Data Bits: ")->isChecked());
  EXPECT_FALSE(bench.Button("8", "Data Bits: ")->isEnabled());
  bench.Button("None", "Parity: ")->click();
  EXPECT_TRUE(bench.Button("8", "Data Bits: ")->isEnabled());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::gageParity, 0), 'N');
  EXPECT_EQ(bench.Image().Get(fld::gageDataBits, 0), '7');
}

TEST(Rs232PageTest, HexBoxKeepsOneLowerCaseByte) {
  Rs232Bench bench;
  bench.Button("Custom  (hex values only)")->click();
  QLineEdit* hex = bench.Box("Custom  (hex values only)");
  ASSERT_TRUE(hex->isEnabled());
  const struct {
    const char* typed;
    const char* shown;
    int caret;
  } typing[] = {{"A", "a", 1},  {"g", "", 0},        {"1g", "1", 1},
                {"Fx", "f", 1}, {"0x0D", "0x0d", 4}, {"0X7f1", "0X7f", 4}};
  for (const auto& c : typing) {
    hex->clear();
    QTest::keyClicks(hex, c.typed);
    EXPECT_EQ(hex->text(), c.shown) << c.typed;
    EXPECT_EQ(hex->cursorPosition(), c.caret) << c.typed;
  }
  bench.Type("Custom  (hex values only)", "d");
  EXPECT_EQ(hex->text(), "0d");
  bench.Type("Custom  (hex values only)", "0x0a");
  EXPECT_EQ(hex->text(), "0a");  // a C prefix is read as one
  bench.Type("Custom  (hex values only)", "7F");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::endOfPacketChar, 0), 0x7F);
  hex->clear();
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::endOfPacketChar, 0), 0x0D);
  EXPECT_EQ(hex->text(), "0d");
}

TEST(Rs232PageTest, CharactersBeyondLatin1AreRefusedAsTheyAreTyped) {
  Rs232Bench bench;
  bench.Button("Command string")->click();
  QLineEdit* command = bench.Box("Command string");
  command->setFocus();
  for (const char16_t typed : {u'\u20ac', u'R', u'\u201d'})
    QTest::sendKeyEvent(QTest::Click, command, Qt::Key_unknown, QString(QChar(typed)),
                        Qt::NoModifier);
  EXPECT_EQ(command->text(), "R");
  EXPECT_EQ(QToolTip::text(), BeyondLatin1Hint());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Text(fld::commandText, 0), "R");
}

TEST(Rs232PageTest, NumberBoxesAreHeldToTheirRanges) {
  Rs232Bench bench;
  bench.Button("Gap time")->click();
  bench.Button("Set handshake low for ")->click();
  bench.Button("Character positions")->click();
  // Box, typed, value in the image after leaving the box and storing the page.
  const struct {
    const char* box;
    const char* typed;
    int stored;
  } cases[] = {
      {"Gap time", "5", 20},
      {"Gap time", "9999", 2000},
      {"Gap time", "", 100},
      {"Set handshake low for ", "1500", 1000},
      {"Time to wait for reading", "6000", 5000},
      {"Time to wait for reading", "", 0},
      {"Start", "0", 1},
  };
  const auto fields = [](const QString& box) {
    if (box == "Gap time")
      return IntegerField(fld::gapTimeMs);
    if (box == "Start")
      return IntegerField(fld::charStart);
    return box == "Time to wait for reading" ? IntegerField(fld::responseWaitMs)
                                             : IntegerField(fld::handshakeLowMs);
  };
  for (const auto& c : cases) {
    bench.Type(c.box, c.typed);
    bench.View().Pages().CommitPages();
    EXPECT_EQ(fields(c.box).Get(bench.Image(), 0), c.stored) << c.box << " " << c.typed;
    EXPECT_EQ(bench.Box(c.box)->text(), QString::number(c.stored)) << c.box << " " << c.typed;
  }
  // An end before the start is put nine characters after it.
  bench.Type("Start", "5");
  bench.Type("End", "3");
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::charEnd, 0), 14);
  EXPECT_EQ(bench.Box("End")->text(), "14");
}

TEST(Rs232PageTest, AskingForTheNextReadingRulesOutAcceptingAny) {
  Rs232Bench bench;
  bench.Button("Accept next reading with read switch press or computer command")->click();
  bench.Button("Accept any reading when it arrives")->click();  // disabled: no effect
  EXPECT_FALSE(bench.Button("Accept any reading when it arrives")->isEnabled());
  EXPECT_TRUE(bench.Button("Accept this reading whenever it arrives")->isChecked());
  bench.Image().Set(fld::noResponseAction, uint8_t{0});
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::readCommandMode, 0), 1);
  EXPECT_EQ(bench.Image().Get(fld::noResponseAction, 0), 1);
}

TEST(Rs232PageTest, PassThroughSwitchesParsingAndResponseOff) {
  Rs232Bench bench;
  bench.Button("Set handshake low for ")->click();
  EXPECT_TRUE(bench.Box("Time to wait for reading")->isEnabled());
  bench.Button("None  (Immediate pass through mode)")->click();
  for (const char* caption : {"Remove end-of-packet character", "Find first numeric field",
                              "Character positions", "Accept this reading whenever it arrives"})
    EXPECT_FALSE(bench.Button(caption)->isEnabled()) << caption;
  EXPECT_FALSE(bench.Box("Time to wait for reading")->isEnabled());

  // Packets passed on as received are not parsed either.
  bench.Button("Carriage return  (hex = 0d)")->click();
  bench.Button("Character positions")->click();
  EXPECT_TRUE(bench.Box("Start")->isEnabled());
  bench.Button("Transfer packet as received")->click();
  EXPECT_EQ(bench.Image().Get(fld::transferAsReceived, 0), 1);
  for (const char* caption :
       {"Remove end-of-packet character", "Find first numeric field", "Character positions"})
    EXPECT_FALSE(bench.Button(caption)->isEnabled()) << caption;
  EXPECT_FALSE(bench.Box("Start")->isEnabled());
  // ... and choosing another end of packet does not bring the positions back.
  bench.Button("Line feed  (hex = 0a)")->click();
  EXPECT_FALSE(bench.Box("End")->isEnabled());
  bench.View().Pages().RefreshPages();
  EXPECT_FALSE(bench.Box("End")->isEnabled());
}

TEST(Rs232PageTest, DefaultMesurixBaudLocksChannelEAtNineSixHundredN81) {
  Rs232Bench bench(6, kChannelE);
  bench.Button("19.2K")->click();
  bench.Button("Even", "Parity: ")->click();
  bench.Button("2", "Stop Bits: ")->click();
  bench.Button("Set channel E to default Mesurix baud")->click();
  EXPECT_EQ(bench.Image().Get(fld::chainDefaultBaudE), 1);
  for (const char* caption : {"9600", "None", "8", "1"})
    EXPECT_TRUE(bench.Button(caption)->isChecked()) << caption;
  // A click on the selected "None" must not open the lock.
  bench.Button("None", "Parity: ")->click();
  for (const char* caption : {"1200", "38.4K", "Even", "Odd", "7", "2"})
    EXPECT_FALSE(bench.Button(caption)->isEnabled()) << caption;
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::gageBaud, kChannelE), 9600);
  EXPECT_EQ(bench.Image().Get(fld::gageParity, kChannelE), 'N');
  EXPECT_EQ(bench.Image().Get(fld::gageDataBits, kChannelE), '8');
  EXPECT_EQ(bench.Image().Get(fld::gageStopBits, kChannelE), '1');

  bench.Button("Command string")->click();
  bench.Button("Send commands to next Mesurix in chain")->click();
  EXPECT_TRUE(bench.Button("Accept  all readings from serial device")->isChecked());
  EXPECT_FALSE(bench.Button("Command string")->isEnabled());

  // On the other channels the boxes are clear and the image keeps what channel E set.
  bench.View().ChannelSelect(0);
  EXPECT_FALSE(bench.Button("Set channel E to default Mesurix baud")->isChecked());
  EXPECT_TRUE(bench.Button("Even", "Parity: ")->isEnabled());
  bench.View().Pages().CommitPages();
  EXPECT_EQ(bench.Image().Get(fld::chainDefaultBaudE), 1);
  EXPECT_EQ(bench.Image().Get(fld::chainCommands), 1);
}

TEST(Rs232PageTest, HandshakeLevelExistsOnlyWhereTheModelHasTheLine) {
  const struct {
    ModelIndex model;
    int channel;
    bool level;
  } cases[] = {{0, 1, false},        {1, 0, false}, {5, 3, false},
               {4, kChannelE, true}, {3, 1, true},  {7, 0, true}};
  for (const auto& c : cases) {
    Rs232Bench bench(c.model, c.channel);
    // Bit 4 is the level; bits 0..3 are the interface's and pass unchanged.
    bench.Image().Set(fld::gageHandshakeFlags, uint8_t{0xF3}, c.channel);
    bench.View().Pages().RefreshPages();
    EXPECT_EQ(bench.Button("Low")->isChecked(), c.level) << c.model << c.channel;
    EXPECT_EQ(bench.Button("Low")->isEnabled(), c.level) << c.model << c.channel;
    bench.View().Pages().CommitPages();
    EXPECT_EQ(bench.Image().Get(fld::gageHandshakeFlags, c.channel), c.level ? 0x13 : 0x03)
        << c.model << c.channel;
  }
}

TEST(Rs232PageTest, FocusGoesToTheCheckedBaudAndEditsStayOnTheirChannel) {
  Rs232Bench bench(6, 1);
  bench.Button("2400")->click();
  bench.View().Tabs()->setCurrentIndex(kStatusTab);
  EXPECT_EQ(bench.Image().Get(fld::gageBaud, 1), 2400);  // stored when the tab was left
  bench.View().Tabs()->setCurrentIndex(kRs232Tab);
  EXPECT_EQ(QApplication::focusWidget(), bench.Button("2400"));
  bench.View().ChannelSelect(0);
  EXPECT_EQ(QApplication::focusWidget(), bench.Button("4800"));
  EXPECT_EQ(bench.Image().Get(fld::gageBaud, 0), 4800);
}

TEST(Rs232PageTest, PassThroughSwitchesTheOutputOfBasicAndExtendedOff) {
  // Clicks on the RS232 tab, then whether Basic and Extended still format this channel's output.
  const struct {
    std::vector<const char*> clicks;
    bool formatting;
  } cases[] = {
      {{"None  (Immediate pass through mode)"}, false},
      {{"Line feed  (hex = 0a)", "Transfer packet as received"}, false},
      {{"Line feed  (hex = 0a)"}, true},
  };
  for (const auto& c : cases) {
    Rs232Bench bench(7, 1);
    for (const char* caption : c.clicks)
      bench.Button(caption)->click();
    bench.View().Tabs()->setCurrentIndex(kBasicTab);
    EXPECT_EQ(test::FindButton(bench.View().Pages().Page(kBasicTab), "TIR")->isEnabled(),
              c.formatting)
        << c.clicks.back();
    bench.View().Tabs()->setCurrentIndex(kExtendedTab);
    EXPECT_EQ(test::FindButton(bench.View().Pages().Page(kExtendedTab), "None", "Units Conversion:")
                  ->isEnabled(),
              c.formatting)
        << c.clicks.back();
  }
}

}  // namespace
}  // namespace mx::editor
