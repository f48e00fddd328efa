// A stored index of "none" still gives the channel buttons a plan.
#include "params/country_selection.h"

#include "device/commands.h"
#include "params/channel_plan.h"

namespace zelvane {

std::optional<std::size_t> SelectedCountry(std::uint8_t stored, std::size_t countryCount) {
  const std::size_t index = stored == kNoCountry ? 0 : stored;
  if (index >= countryCount) return std::nullopt;
  return index;
}

std::optional<std::string> CountryName(std::uint8_t index) {
  if (index >= CountryNames.size()) return std::nullopt;
  return std::string(CountryNames[index]);
}

// The plans are built afresh for each call: a front end that keeps them
// looks its plan up by SelectedCountry.
std::vector<ChannelEntry> CurrentPlan(std::uint8_t storedCountry) {
  std::vector<ChannelPlan> plans = BuildChannelPlans();
  const std::size_t plan = SelectedCountry(storedCountry, plans.size()).value_or(0);
  return std::move(plans.at(plan).Channels);
}

}  // namespace zelvane
