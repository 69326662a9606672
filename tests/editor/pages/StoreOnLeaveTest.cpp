// The boxes that store when left: a channel change while one of them has the focus never writes
// its text into the channel switched to, even when that channel's page disables the box.
#include <gtest/gtest.h>
#include <QLineEdit>

#include "core/ImageOperations.h"
#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPages.h"
#include "tests/editor/pages/PageBench.h"

namespace mx::editor {
namespace {

using test::PageBench;

// Channel B an RS232 gage with every store-on-leave box enabled; channel C's gage switched off.
void PrepareChannels(PageBench& bench) {
  ParameterImage& image = bench.Image();
  image.Set(fld::gageType, gage::kRs232, 1);
  image.Set(fld::endOfPacketMode, uint8_t{1}, 1);
  image.Set(fld::useCharPositions, uint8_t{1}, 1);
  image.Set(fld::readCommandMode, uint8_t{2}, 1);  // handshake low
  image.Set(fld::equationEnabled, uint8_t{1}, 1);
  image.Set(fld::gageType, gage::kDisabled, 2);
  bench.Reload();
}

TEST(StoreOnLeaveTest, AFocusedBoxNeverStoresIntoTheChannelSwitchedTo) {
  const struct {
    int tab;
    const char* box;
    IntegerField field;
  } numbers[] = {
      {kReadSwitchTab, "Time read switch must be open before next switch closure",
       fld::contactBounceMs},
      {kRs232Tab, "Set handshake low for ", fld::handshakeLowMs},
      {kRs232Tab, "Time to wait for reading", fld::responseWaitMs},
      {kRs232Tab, "Start", fld::charStart},
      {kRs232Tab, "End", fld::charEnd},
  };
  for (const auto& c : numbers) {
    PageBench bench;
    bench.View().SelectModelCommand(6);
    bench.ShowChannel(1);
    PrepareChannels(bench);
    bench.ShowTab(c.tab);
    const long long before = c.field.Get(bench.Image(), 2);
    QLineEdit* box = bench.Box(c.box);
    ASSERT_TRUE(box->isEnabled()) << c.box;
    bench.Type(box, "7");
    bench.ShowChannel(2);
    EXPECT_EQ(c.field.Get(bench.Image(), 2), before) << c.box;
    EXPECT_EQ(c.field.Get(bench.Image(), 1), 7) << c.box;
  }
  const struct {
    const char* box;
    Field<FieldType::F32> field;
  } decimals[] = {{"Equation constant  ( A )", fld::equationA},
                  {"Equation slope  ( B )", fld::equationB}};
  for (const auto& [name, field] : decimals) {
    PageBench bench;
    bench.View().SelectModelCommand(6);
    bench.ShowChannel(1);
    PrepareChannels(bench);
    bench.ShowTab(kExtendedTab);
    const float before = bench.Image().Get(field, 2);
    QLineEdit* box = bench.Box(name);
    ASSERT_TRUE(box->isEnabled()) << name;
    bench.Type(box, "-0.5");
    bench.ShowChannel(2);
    EXPECT_EQ(bench.Image().Get(field, 2), before);
    EXPECT_EQ(bench.Image().Get(field, 1), -0.5F);
  }
}

}  // namespace
}  // namespace mx::editor
