// Which country a device's stored index selects in the country list, and
// so which channel plan its channel buttons use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "params/channel_plan.h"

namespace zelvane {

// The first country when the device stores none (255); nothing when the
// index names no country of the list.
std::optional<std::size_t> SelectedCountry(std::uint8_t stored, std::size_t countryCount);

// The name of the built-in country with this index; nothing for none (255)
// and for an index that names no country.
std::optional<std::string> CountryName(std::uint8_t index);

// The channels of the stored country; of the first country when the device
// stores none or an index that names no country.
std::vector<ChannelEntry> CurrentPlan(std::uint8_t storedCountry);

}  // namespace zelvane
