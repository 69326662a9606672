// The Extended tab: number boxes, the whole-page switch, the decimal lists and the equation box.
#include <gtest/gtest.h>
#include <QComboBox>

#include "core/ImageOperations.h"
#include "editor/pages/SetupPages.h"
#include "tests/editor/pages/PageBench.h"

namespace mx::editor {
namespace {

using test::PageBench;

TEST(ExtendedPageTest, NumberBoxesStoreSinglePrecisionWhenLeft) {
  PageBench bench;
  bench.ShowTab(kExtendedTab);
  bench.Click("Enable equation", "Equation Setup: ");
  QLineEdit* constant = bench.Box("Equation constant  ( A )");
  bench.Type(constant, "2.54");
  EXPECT_EQ(bench.Image().Get(fld::equationA), 0.0F);
  bench.Leave(constant);
  EXPECT_EQ(bench.Image().Get(fld::equationA), 2.54F);
  EXPECT_EQ(constant->text(), "2.54");

  QLineEdit* slope = bench.Box("Equation slope  ( B )");
  bench.Type(slope, "abc");
  bench.Leave(slope);
  EXPECT_EQ(bench.Image().Get(fld::equationB), 0.0F);
  EXPECT_EQ(slope->text(), "");
}

TEST(ExtendedPageTest, ChannelsThatPassReadingsOnUntouchedShowThePageDisabled) {
  const struct {
    int8_t gage;
    uint8_t endOfPacket;
    uint8_t asReceived;
    bool enabled;
  } cases[] = {
      {gage::kDisabled, 1, 0, false}, {gage::kAutoSelect, 1, 1, false}, {gage::kRs232, 0, 0, false},
      {gage::kRs232, 1, 0, true},     {gage::kAutoSelect, 0, 0, true},
  };
  for (const auto& c : cases) {
    PageBench bench;
    bench.ShowChannel(1);
    bench.Image().Set(fld::gageType, c.gage, 1);
    bench.Image().Set(fld::endOfPacketMode, c.endOfPacket, 1);
    bench.Image().Set(fld::transferAsReceived, c.asReceived, 1);
    bench.Image().Set(fld::unitsConversion, uint8_t{1}, 1);
    bench.Image().Set(fld::equationEnabled, uint8_t{1}, 1);
    bench.ShowTab(kExtendedTab);
    QWidget* page = bench.View().Pages().Page(kExtendedTab);
    for (QWidget* control : page->findChildren<QWidget*>()) {
      if (control->inherits("QAbstractButton") || control->inherits("QLineEdit") ||
          control->inherits("QComboBox")) {
        const bool future = test::AccessibleName(control) == "Future";
        EXPECT_EQ(control->isEnabled(), c.enabled && !future)
            << test::AccessibleName(control).toStdString() << " gage " << int{c.gage};
      }
    }
  }
}

TEST(ExtendedPageTest, DecimalListsAndTheEquationSwitch) {
  PageBench bench;
  bench.Image().Set(fld::equationA, 1.5F);
  bench.Image().Set(fld::equationEnabled, uint8_t{1});
  bench.ShowTab(kExtendedTab);
  auto* conversionPlaces = test::FindNamed<QComboBox>(
      test::FindGroup(bench.frame.get(), "Units Conversion:"), "Decimal places");
  ASSERT_NE(conversionPlaces, nullptr);
  EXPECT_FALSE(conversionPlaces->isEnabled());
  bench.Click("Convert from inch to mm", "Units Conversion:");
  EXPECT_TRUE(conversionPlaces->isEnabled());
  conversionPlaces->setCurrentIndex(4);
  bench.ShowTab(kStatusTab);  // leaving the tab stores it
  EXPECT_EQ(bench.Image().Get(fld::unitsConversion), 2);
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals), 3);

  bench.ShowTab(kExtendedTab);
  conversionPlaces->setCurrentIndex(0);
  bench.Click("Enable equation", "Equation Setup: ");
  EXPECT_FALSE(bench.Box("Equation constant  ( A )")->isEnabled());
  bench.Commit();
  EXPECT_EQ(bench.Image().Get(fld::unitsDecimals), 0xFF);
  EXPECT_EQ(bench.Image().Get(fld::equationEnabled), 0);
  EXPECT_EQ(bench.Image().Get(fld::equationA), 1.5F);
  bench.Click("Enable equation", "Equation Setup: ");
  EXPECT_EQ(bench.Box("Equation constant  ( A )")->text(), "1.5");
}

}  // namespace
}  // namespace mx::editor
