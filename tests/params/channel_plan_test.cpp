// The built-in channel plan and the lookups on it.
#include <gtest/gtest.h>

#include "params/channel_plan.h"
#include "params/format_value.h"

namespace zelvane {
namespace {

TEST(ParseChannelRow, SplitsAtBlanksWithDecimalComma) {
  EXPECT_EQ(ParseChannelRow("00 52,5 256"), (std::vector<double>{0, 52.5, 256}));
  EXPECT_FALSE(ParseChannelRow("00 52.5 256"));
  EXPECT_FALSE(ParseChannelRow("00  52,5"));
}

TEST(BuildChannelPlans, OneCountryWithSixteenRows) {
  const std::vector<ChannelPlan> plans = BuildChannelPlans();
  ASSERT_EQ(plans.size(), 1U);
  EXPECT_EQ(plans[0].Name, "Russia");
  const char* texts[kChannelCount] = {"52,50",  "62,00",  "80,00",  "88,00",
                                      "96,00",  "178,00", "186,00", "192,00",
                                      "114,00", "122,00", "130,00", "138,00",
                                      "146,00", "154,00", "162,00", "170,00"};
  ASSERT_EQ(plans[0].Channels.size(), kChannelCount);
  for (std::size_t row = 0; row < kChannelCount; ++row) {
    const ChannelEntry& entry = plans[0].Channels[row];
    EXPECT_EQ(entry.Index, row);
    EXPECT_EQ(entry.ImageIndex, 0);
    EXPECT_EQ(entry.Extra, 256);
    EXPECT_EQ(FormatValue(entry.FrequencyMHz), texts[row]);
  }
  EXPECT_EQ(plans[0].Channels[0].FrequencyMHz, 52.5f);
}

TEST(FindChannelByFrequencyText, FirstRowWithTheSameText) {
  const std::vector<ChannelEntry> plan = BuildChannelPlans()[0].Channels;
  struct Case { const char* text; std::optional<std::size_t> row; };
  const Case cases[] = {{"52,50", 0}, {"62,00", 1}, {"192,00", 7}, {"146,00", 12},
                        {"194,00", std::nullopt}, {"62,01", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(FindChannelByFrequencyText(plan, c.text), c.row) << c.text;
}

TEST(ChannelButtonName, RowPlusThree) {
  EXPECT_EQ(ChannelButtonName(0), "RadioButton3");
  EXPECT_EQ(ChannelButtonName(15), "RadioButton18");
}

}  // namespace
}  // namespace zelvane
