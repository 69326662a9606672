// The Read Sw tab: enabling by channel and model, the step-mode rule, the sequence filter, the
// contact bounce clamp, the host string of channel A, and the commit points.
#include <gtest/gtest.h>
#include <QRadioButton>

#include "core/ImageOperations.h"
#include "editor/pages/SetupPages.h"
#include "tests/editor/pages/PageBench.h"

namespace mx::editor {
namespace {

using test::PageBench;

const QString kOperation = "Read Switch Operation: ";
const QString kHold = "Press and hold read switch for continuous read & TIR operations.";
const QString kRelease =
    "Press and release read switch to start continuous read & TIR operations.  To stop, press & "
    "release read switch.";
const QString kStepNext = "Single read on a channel & step to next channel";

QStringList EnabledControls(PageBench& bench) {
  QStringList names;
  for (QWidget* control : bench.View().Pages().Page(kReadSwitchTab)->findChildren<QWidget*>()) {
    const bool operable = control->inherits("QAbstractButton") || control->inherits("QLineEdit");
    if (operable && control->isEnabled())
      names << test::AccessibleName(control);
  }
  return names;
}

TEST(ReadSwitchPageTest, ChannelEAndDisabledChannelsOfferNothing) {
  for (const bool channelE : {true, false}) {
    PageBench bench;
    bench.Choose("Mesurix5 Plus");
    bench.ShowChannel(channelE ? 4 : 2);
    bench.Image().Set(fld::gageType, channelE ? gage::kRs232 : gage::kDisabled, bench.Channel());
    bench.Image().Set(fld::readSwitchMode, uint8_t{2}, bench.Channel());
    bench.Reload();
    bench.ShowTab(kReadSwitchTab);
    EXPECT_EQ(EnabledControls(bench), QStringList()) << channelE;
  }
}

TEST(ReadSwitchPageTest, StepModesExistOnlyOnModelsWithAToggleSwitch) {
  for (const char* model : {"Mesurix3 Plus", "Mesurix5 Plus"}) {
    PageBench bench;
    bench.Choose(model);
    bench.Image().Set(fld::readSwitchMode, uint8_t{7}, 1);
    bench.ShowChannel(1);
    bench.ShowTab(kReadSwitchTab);
    const bool stepModes = std::string_view(model) == "Mesurix5 Plus";
    EXPECT_EQ(bench.Image().Get(fld::readSwitchMode, 1), stepModes ? 7 : 1) << model;
    EXPECT_TRUE(
        bench.Button(stepModes ? kStepNext : "Single read on channel", kOperation)->isChecked());
    EXPECT_EQ(bench.Button(kStepNext, kOperation)->isEnabled(), stepModes);
  }
}

TEST(ReadSwitchPageTest, ModeClicksWriteAtOnceAndOnlyContinuousReadsTakeThePressChoice) {
  const struct {
    const char* button;
    int code;
    bool press;
  } cases[] = {{"Continuous read on channel", 2, true},
               {"Continuous read on all channels", 4, true},
               {"Single read on all channels", 3, false},
               {"Custom read sequence", 6, false},
               {"Send string to host computer", 9, false},
               {"Continuous read on a channel & stay on current channel", 8, false}};
  PageBench bench;
  bench.Choose("Mesurix6 Plus");
  bench.ShowTab(kReadSwitchTab);
  for (const auto& c : cases) {
    bench.Click(c.button, kOperation);
    EXPECT_EQ(bench.Image().Get(fld::readSwitchMode, 0), c.code) << c.button;
    EXPECT_EQ(bench.Button(kHold, kOperation)->isEnabled(), c.press) << c.button;
    EXPECT_EQ(bench.Button(kRelease, kOperation)->isEnabled(), c.press) << c.button;
  }
  bench.Click("Continuous read on channel", kOperation);
  bench.Click(kRelease, kOperation);
  EXPECT_EQ(bench.Image().Get(fld::continuousStartStop, 0), 0);
  bench.ShowTab(kBasicTab);  // the view stores this tab when it is left
  EXPECT_EQ(bench.Image().Get(fld::continuousStartStop, 0), 1);
}

TEST(ReadSwitchPageTest, SequenceFilterKeepsChannelLettersAndStoresAsYouType) {
  PageBench bench;
  bench.ShowTab(kReadSwitchTab);
  bench.Click("Custom read sequence", kOperation);
  QLineEdit* sequence = bench.Box("Custom read sequence");
  bench.Type(sequence, "ab1cPW");
  EXPECT_EQ(sequence->text(), "ABCpw");
  EXPECT_EQ(bench.Image().Text(fld::customReadSequence, 0), "ABCpw");
  sequence->setCursorPosition(1);
  QTest::keyClicks(sequence, "z");
  EXPECT_EQ(sequence->text(), "ABCpw");
  EXPECT_EQ(sequence->cursorPosition(), 1);  // the caret stays where the character was refused
  QTest::keyClicks(sequence, "o");
  EXPECT_EQ(sequence->text(), "AOBCpw");
  EXPECT_EQ(bench.Image().Text(fld::customReadSequence, 0), "AOBCpw");
}

TEST(ReadSwitchPageTest, ContactBounceIsHeldToASecondWhenLeft) {
  PageBench bench;
  bench.ShowTab(kReadSwitchTab);
  QLineEdit* bounce = bench.Box("Time read switch must be open before next switch closure");
  for (const auto& [typed, stored] : {std::pair{"1500", 1000}, {"", 0}, {"250", 250}}) {
    bench.Type(bounce, typed);
    bench.Leave(bounce);
    EXPECT_EQ(bench.Image().Get(fld::contactBounceMs, 0), static_cast<uint32_t>(stored));
    EXPECT_EQ(bounce->text(), QString::number(stored));
  }
}

// What the image holds when a page is shown.
class ShowProbe : public QObject {
 public:
  explicit ShowProbe(const ParameterImage& image) : image_(image) {}
  int ledWhenShown = -1;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show)
      ledWhenShown = image_.Get(fld::useLedForNext);
    return false;
  }

 private:
  const ParameterImage& image_;
};

TEST(ReadSwitchPageTest, HostStringAndLedBelongToChannelA) {
  PageBench bench;
  ShowProbe toggle(bench.Image());
  bench.View().Pages().Page(kToggleTab)->installEventFilter(&toggle);
  bench.Choose("Mesurix5 Network");
  bench.ShowTab(kReadSwitchTab);
  bench.Click("Send string to host computer", kOperation);
  QLineEdit* host = bench.Box("Send string to host computer");
  EXPECT_TRUE(host->isEnabled());
  bench.Type(host, QString("\\x1b") + QString(37, 'h'));
  bench.Click("Custom read sequence", kOperation);
  bench.Click("Use LED to show next channel to read", kOperation);
  EXPECT_EQ(bench.Image().Get(fld::useLedForNext), 0);
  bench.ShowTab(kToggleTab);
  EXPECT_EQ(toggle.ledWhenShown, 1);  // stored before the next tab loads
  EXPECT_EQ(bench.Image().Text(fld::hostStringText), "\\x1b" + std::string(36, 'h'));
  EXPECT_EQ(bench.Image().Get(fld::hostStringLength), 37);

  bench.ShowTab(kReadSwitchTab);
  bench.ShowChannel(1);
  EXPECT_EQ(host->text(), "");
  EXPECT_FALSE(host->isEnabled());
  EXPECT_FALSE(bench.Button("Send string to host computer", kOperation)->isEnabled());
  EXPECT_FALSE(bench.Button("Use LED to show next channel to read", kOperation)->isEnabled());
  bench.Commit();
  EXPECT_EQ(bench.Image().Get(fld::hostStringLength), 37);
  EXPECT_EQ(bench.Image().Get(fld::useLedForNext), 1);
}

}  // namespace
}  // namespace mx::editor
