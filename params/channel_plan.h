// The TV channel plans by country, built from the built-in tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvane {

constexpr std::size_t kChannelCount = 16;
// The channel button of plan row r is "RadioButton" + (r + 3).
constexpr int kFirstChannelButton = 3;

extern const std::array<const char*, 1> CountryNames;
extern const std::array<const char*, kChannelCount> ChannelRows;

struct ChannelEntry {
  std::uint8_t Index = 0;
  std::uint8_t ImageIndex = 0;
  float FrequencyMHz = 0;
  std::int32_t Extra = 0;
};

struct ChannelPlan {
  std::string Name;
  std::vector<ChannelEntry> Channels;
};

// The fields of one row ("00 52,5 256"), split at single blanks and read
// with the decimal comma; nothing when a field is no number.
std::optional<std::vector<double>> ParseChannelRow(const std::string& text);

// One plan per country, each parsed from the whole row table.
std::vector<ChannelPlan> BuildChannelPlans();

// The first row whose frequency, formatted, equals `text` exactly.
std::optional<std::size_t> FindChannelByFrequencyText(const std::vector<ChannelEntry>& plan,
                                                      const std::string& text);

std::string ChannelButtonName(std::size_t row);

}  // namespace zelvane
