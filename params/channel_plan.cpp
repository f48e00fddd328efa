// The built-in channel plan and its lookups.
#include "params/channel_plan.h"

#include <cmath>

#include "params/format_value.h"

namespace zelvane {
namespace {

constexpr char kButtonPrefix[] = "RadioButton";
constexpr std::size_t kRowFields = 3;

}  // namespace

const std::array<const char*, 1> CountryNames = {"Russia"};

const std::array<const char*, kChannelCount> ChannelRows = {
    "00 52,5 256",  "00 62,0 256",  "00 80,0 256",  "00 88,0 256",
    "00 96,0 256",  "00 178,0 256", "00 186,0 256", "00 192,0 256",
    "00 114,0 256", "00 122,0 256", "00 130,0 256", "00 138,0 256",
    "00 146,0 256", "00 154,0 256", "00 162,0 256", "00 170,0 256"};

std::optional<std::vector<double>> ParseChannelRow(const std::string& text) {
  std::vector<double> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t blank = text.find(' ', start);
    const std::optional<double> field = ParseDecimal(text.substr(start, blank - start));
    if (!field) return std::nullopt;
    fields.push_back(*field);
    if (blank == std::string::npos) return fields;
    start = blank + 1;
  }
}

std::vector<ChannelPlan> BuildChannelPlans() {
  std::vector<ChannelPlan> plans;
  for (const char* name : CountryNames) {
    ChannelPlan plan{name, {}};
    for (std::size_t row = 0; row < ChannelRows.size(); ++row) {
      // The built-in rows always parse into their three fields.
      const std::vector<double> fields = ParseChannelRow(ChannelRows[row]).value();
      ChannelEntry entry;
      entry.Index = static_cast<std::uint8_t>(row);
      entry.ImageIndex = static_cast<std::uint8_t>(static_cast<int>(std::trunc(fields.at(0))));
      entry.FrequencyMHz = static_cast<float>(fields.at(1));
      entry.Extra = static_cast<std::int32_t>(std::trunc(fields.at(kRowFields - 1)));
      plan.Channels.push_back(entry);
    }
    plans.push_back(std::move(plan));
  }
  return plans;
}

std::optional<std::size_t> FindChannelByFrequencyText(const std::vector<ChannelEntry>& plan,
                                                      const std::string& text) {
  for (std::size_t row = 0; row < plan.size(); ++row) {
    if (FormatValue(plan[row].FrequencyMHz) == text) return row;
  }
  return std::nullopt;
}

std::string ChannelButtonName(std::size_t row) {
  return kButtonPrefix + std::to_string(row + kFirstChannelButton);
}

}  // namespace zelvane
