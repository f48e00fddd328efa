// The plans are built afresh: a command runs once.
#include "cli/current_plan.h"

#include "params/country_selection.h"

namespace zelvane::cli {

std::vector<ChannelEntry> CurrentPlan(std::uint8_t storedCountry) {
  std::vector<ChannelPlan> plans = BuildChannelPlans();
  const std::size_t plan = SelectedCountry(storedCountry, plans.size()).value_or(0);
  return std::move(plans.at(plan).Channels);
}

}  // namespace zelvane::cli
