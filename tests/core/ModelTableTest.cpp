#include <gtest/gtest.h>

#include "core/ModelTable.h"

namespace mx {
namespace {

TEST(ModelTable, LookupsAgree) {
  for (const ModelInfo& m : kModelTable) {
    EXPECT_EQ(ModelByIndex(m.index), &m);
    EXPECT_EQ(ModelByIdentification(m.identification), &m);
    EXPECT_EQ(ModelByAnyName(m.name), &m);
    EXPECT_EQ(ModelByAnyName(std::to_string(m.index)), &m);
  }
  EXPECT_EQ(ModelByAnyName("mx5-ntwk-00")->index, 5);
  EXPECT_EQ(ModelByAnyName("mesurix6 plus")->index, 6);
  EXPECT_EQ(ModelByIndex(8), nullptr);
  EXPECT_EQ(ModelByIndex(-1), nullptr);
  EXPECT_EQ(ModelByAnyName("8"), nullptr);
  EXPECT_EQ(ModelByIdentification("MX5-NTWK-00: 9600-N-8-1"), nullptr);
}

TEST(ModelTable, DerivedRules) {
  const bool network[] = {false, true, false, true, false, true, false, true};
  const bool rs232[] = {false, false, true, true, false, false, true, true};
  for (int i = 0; i < kModelCount; ++i) {
    EXPECT_EQ(IsNetworkModel(i), network[i]) << i;
    EXPECT_EQ(IsRs232Only(i), rs232[i]) << i;
    EXPECT_EQ(HasToggleSwitch(i), i >= 4) << i;
    EXPECT_EQ(ChannelCount(i), i >= 4 ? 5 : 2) << i;
  }
  EXPECT_FALSE(IsNetworkModel(9));
  EXPECT_EQ(ModelCaption(9), "MXSetup");
  EXPECT_EQ(ModelCommandPrompt(1), "Set model to Mesurix3 Network");
}

}  // namespace
}  // namespace mx
