// The channel plan in use on a device, as the window takes it.
#pragma once

#include <cstdint>
#include <vector>

#include "params/channel_plan.h"

namespace zelvane::cli {

// The channels of the stored country; of the first country when the device
// stores none or an index that names no country.
std::vector<ChannelEntry> CurrentPlan(std::uint8_t storedCountry);

}  // namespace zelvane::cli
