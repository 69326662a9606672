// The Basic tab: gage types across models and channels, the enabling groups and format rule, the
// clamps, the decoded texts, and what reaches the image when.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "core/ImageOperations.h"
#include "editor/pages/SetupPages.h"
#include "tests/editor/pages/PageBench.h"

namespace mx::editor {
namespace {

using test::PageBench;

const QString kGage = "Gage Type: ";
const QString kFormat = "Output Format: ";
const QStringList kDigitalGages = {"Auto select", "CDI", "Federal", "Mitutoyo", "Ono Sokki"};
const QStringList kGages = kDigitalGages + QStringList{"RS232", "Disable channel"};

// The controls of the page a user can operate, by accessible name, that are enabled.
QStringList EnabledControls(PageBench& bench) {
  QStringList names;
  for (QWidget* control : bench.View().Pages().Page(kBasicTab)->findChildren<QWidget*>()) {
    const bool operable = control->inherits("QAbstractButton") || control->inherits("QLineEdit");
    if (operable && control->isEnabled())
      names << test::AccessibleName(control);
  }
  return names;
}

TEST(BasicPageTest, DigitalGagesOnlyWhereTheModelAndChannelTakeThem) {
  const struct {
    const char* model;
    int channel;
    int8_t stored;
    int8_t shown;  // after the tab is opened
    bool digital;
  } cases[] = {
      {"Mesurix6 Network", 1, gage::kAutoSelect, gage::kRs232, false},
      {"Mesurix4 Plus", 0, gage::kDisabled, gage::kDisabled, false},
      {"Mesurix5 Plus", 4, gage::kRs232, gage::kRs232, false},
      {"Mesurix5 Plus", 3, gage::kMitutoyo, gage::kMitutoyo, true},
      {"Mesurix3 Network", 1, gage::kCdi, gage::kCdi, true},
  };
  for (const auto& c : cases) {
    PageBench bench;
    bench.Choose(c.model);
    bench.ShowChannel(c.channel);
    bench.Image().Set(fld::gageType, c.stored, c.channel);
    bench.ShowTab(kBasicTab);
    EXPECT_EQ(bench.Image().Get(fld::gageType, c.channel), c.shown) << c.model;
    EXPECT_TRUE(bench.Button(kGages[c.shown], kGage)->isChecked());
    for (const QString& digital : kDigitalGages)
      EXPECT_EQ(bench.Button(digital, kGage)->isEnabled(), c.digital) << c.model << c.channel;
    EXPECT_TRUE(bench.Button("RS232", kGage)->isEnabled());
    EXPECT_TRUE(bench.Button("Disable channel", kGage)->isEnabled());
  }
}

TEST(BasicPageTest, GageClicksWriteAtOnceAndReloadOnlyAcrossRs232OrDisabled) {
  PageBench bench;
  bench.Image().Set(fld::gageType, gage::kMitutoyo, 0);
  bench.Image().Set(fld::endOfPacketMode, uint8_t{0}, 0);
  bench.Reload();
  bench.ShowTab(kBasicTab);
  bench.Click("Custom", kFormat);  // not stored yet: a reload would undo it
  bench.Click("Federal", kGage);
  EXPECT_EQ(bench.Image().Get(fld::gageType, 0), gage::kFederal);
  EXPECT_EQ(bench.Image().Get(fld::outputFormat, 0), 0);
  EXPECT_TRUE(bench.Button("Custom", kFormat)->isChecked());

  // RS232 in immediate pass-through: stored first, then nothing of the output is left to set.
  bench.Click("RS232", kGage);
  EXPECT_EQ(bench.Image().Get(fld::outputFormat, 0), 5);
  QStringList enabled = EnabledControls(bench);
  enabled.sort();
  EXPECT_EQ(enabled, QStringList({"Auto select", "CDI", "Disable channel", "Federal", "Mitutoyo",
                                  "Ono Sokki", "RS232"}));
}

TEST(BasicPageTest, DisabledChannelLeavesOnlyWhatTheModeBoxesKeep) {
  PageBench bench;
  bench.Image().Set(fld::idMode, uint8_t{2}, 0);
  bench.Image().Set(fld::endOfOutputMode, uint8_t{3}, 0);
  bench.Image().Set(fld::outputFormat, uint8_t{4}, 0);
  bench.Reload();
  bench.ShowTab(kBasicTab);
  bench.Click("Disable channel", kGage);
  QStringList enabled = EnabledControls(bench);
  for (const QString& gage : kGages)
    enabled.removeOne(gage);
  enabled.sort();
  EXPECT_EQ(enabled, QStringList({"Chan ID", "Custom", "Number of TIR readings"}));
}

TEST(BasicPageTest, FormatRuleSwitchesTheCalculatedControls) {
  PageBench bench;
  bench.ShowTab(kBasicTab);
  QLineEdit* readings = bench.Box("Number of readings");
  QLineEdit* tirReadings = bench.Box("Number of TIR readings");
  QAbstractButton* include = bench.Button("Include calculated results", kFormat);

  bench.Click("TIR", kFormat);
  EXPECT_FALSE(include->isEnabled());
  EXPECT_FALSE(readings->isEnabled());
  EXPECT_TRUE(tirReadings->isEnabled());
  EXPECT_TRUE(bench.Box("Minimum meas  ( Min )")->isEnabled());

  bench.Click("Standard  (10 digit field)", kFormat);
  EXPECT_FALSE(bench.Box("Output Format (TIR / Custom / Calculated): ")->isEnabled());
  EXPECT_FALSE(bench.Box("Minimum meas  ( Min )")->isEnabled());
  EXPECT_FALSE(bench.Box("String after end of data")->isEnabled());
  EXPECT_FALSE(tirReadings->isEnabled());

  bench.Click("Include calculated results", kFormat);
  EXPECT_EQ(bench.Image().Get(fld::includeCalculated, 0), 1);  // at once
  EXPECT_TRUE(readings->isEnabled());
  EXPECT_TRUE(bench.Box("Minimum meas  ( Min )")->isEnabled());
  EXPECT_TRUE(bench.Box("Output Format (TIR / Custom / Calculated): ")->isEnabled());
}

TEST(BasicPageTest, CountsAndOrderBoxesAreHeldToTheirRanges) {
  PageBench bench;
  bench.ShowTab(kBasicTab);
  bench.Click("Include calculated results", kFormat);
  QLineEdit* readings = bench.Box("Number of readings");
  bench.Type(readings, "");
  bench.Commit();
  EXPECT_EQ(bench.Image().Get(fld::calcReadingCount, 0), 5);
  EXPECT_EQ(readings->text(), "5");
  bench.Type(readings, "45000");
  bench.Type(bench.Box("Number of TIR readings"), "0");
  QLineEdit* minimum = bench.Box("Minimum meas  ( Min )");
  bench.Type(minimum, "0");
  EXPECT_EQ(minimum->text(), "");  // erased as it is typed
  bench.Type(bench.Box("Average  ( Avg )"), "7");
  bench.Commit();
  EXPECT_EQ(bench.Image().Get(fld::calcReadingCount, 0), 30000);
  EXPECT_EQ(bench.Image().Get(fld::tirReadingCount, 0), 0);
  EXPECT_EQ(bench.Box("Number of TIR readings")->text(), "");
  EXPECT_EQ(bench.Image().Get(fld::orderMin, 0), 0);
  EXPECT_EQ(bench.Image().Get(fld::orderAvg, 0), 7);
  EXPECT_EQ(bench.Image().Get(fld::orderNum, 0), 1);
}

TEST(BasicPageTest, TypedTextsAreDecodedWhenTheirModeUsesThem) {
  PageBench bench;
  bench.ShowTab(kBasicTab);
  bench.Click("Custom", kFormat);
  bench.Click("Include calculated results", kFormat);
  bench.Click("Prefix", "Channel or Measurement ID: ");
  bench.Type(bench.Box("Chan ID"), "\\X02ABC");
  bench.Click("Custom", "End of Output String: ");
  bench.Type(bench.Box("Custom"), "\\x0d\\x0a");
  bench.Type(bench.Box("String after end of data"), "\\x1b");
  bench.Type(bench.Box("Output Format (TIR / Custom / Calculated): "), "LL MMMM");
  bench.Commit();
  const ParameterImage& image = bench.Image();
  EXPECT_EQ(image.Text(fld::idText), "\\x02ABC");
  EXPECT_EQ(image.Get(fld::idLength), 4);
  EXPECT_EQ(image.Span(fld::idBytes)[0], 0x02);
  EXPECT_EQ(image.Span(fld::idBytes)[3], 'C');
  EXPECT_EQ(image.Get(fld::endOfOutputLength), 2);
  EXPECT_EQ(image.Get(fld::afterDataLength), 1);
  EXPECT_EQ(image.Get(fld::customFormatCount), 3);

  bench.Type(bench.Box("Chan ID"), QString(31, 'i'));
  bench.Click("None", "Channel or Measurement ID: ");
  EXPECT_FALSE(bench.Box("Chan ID")->isEnabled());
  bench.Commit();
  EXPECT_EQ(bench.Image().Text(fld::idText), std::string(30, 'i'));
  EXPECT_EQ(bench.Image().Get(fld::idLength), 0);
  EXPECT_EQ(bench.Image().Span(fld::idBytes)[0], 0);
}

TEST(BasicPageTest, PassThroughRs232TurnsTheOutputFormattingOff) {
  const struct {
    uint8_t endOfPacket;
    uint8_t asReceived;
    bool formatting;
  } cases[] = {{0, 0, false}, {1, 1, false}, {1, 0, true}};
  for (const auto& c : cases) {
    PageBench bench;
    bench.Choose("Mesurix4 Plus");
    bench.ShowChannel(1);
    bench.Image().Set(fld::endOfPacketMode, c.endOfPacket, 1);
    bench.Image().Set(fld::transferAsReceived, c.asReceived, 1);
    bench.Image().Set(fld::idMode, uint8_t{1}, 1);
    bench.ShowTab(kBasicTab);
    EXPECT_EQ(bench.Button("TIR", kFormat)->isEnabled(), c.formatting);
    EXPECT_EQ(bench.Box("Chan ID")->isEnabled(), c.formatting);
    EXPECT_EQ(bench.Box("Average  ( Avg )")->isEnabled(), false);
  }
}

TEST(BasicPageTest, EditsStayWithTheirChannelAndReachTheImageWhenTheTabIsLeft) {
  PageBench bench;
  bench.Choose("Mesurix5 Network");
  bench.ShowChannel(1);
  bench.ShowTab(kBasicTab);
  bench.Click("Suffix", "Channel or Measurement ID: ");
  bench.Type(bench.Box("Chan ID"), "B1");
  bench.Click("Left-justify", kFormat);
  EXPECT_EQ(bench.Image().Get(fld::outputFormat, 1), 0);
  bench.ShowTab(kReadSwitchTab);
  EXPECT_EQ(bench.Image().Get(fld::outputFormat, 1), 1);
  bench.ShowTab(kBasicTab);

  bench.Type(bench.Box("Chan ID"), "B2");
  bench.ShowChannel(0);
  EXPECT_EQ(bench.Image().Text(fld::idText, 1), "B2");
  EXPECT_EQ(bench.Image().Text(fld::idText, 0), "");
  EXPECT_EQ(bench.Image().Get(fld::idMode, 0), 0);
  EXPECT_EQ(bench.Box("Chan ID")->text(), "");
  EXPECT_TRUE(bench.Button("None", "Channel or Measurement ID: ")->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), bench.Button("Auto select", kGage));
}

}  // namespace
}  // namespace mx::editor
