// The result on standard output: the settings in text or as one JSON
// object, and after a write the verification with its report.
#pragma once

#include <string>
#include <vector>

#include "cli/device_view.h"
#include "cli/json.h"
#include "session/block_comparison.h"

namespace zelvane::cli {

// One "name: value" line each: port, module address, recognised, country,
// modulation, frequency with its channel, level with its code, block.
std::string SettingsText(const DeviceView& view);
// The same in one line, tab-separated, without the port: module address,
// revision and whether it is recognised, frequency with its channel,
// level, modulation, country.
std::string SettingsColumns(const DeviceView& view);
// The keys port, module_address, recognised, country_index, country,
// modulation, frequency, frequency_mhz, channel, level, level_db,
// level_code, block: the texts as the window shows them ("62,00"), the
// numbers beside them as JSON numbers.
json::Value SettingsJson(const DeviceView& view);

// The settings the device holds after a write, then "verification: OK",
// or "verification: FAILED" and the report's lines.
std::string WriteResultText(const DeviceView& held, const std::vector<std::string>& report);
// The settings' keys, "verified", and after a failed verification
// "differences": [{"byte": N, "written": X, "held": Y}, ...].
json::Value WriteResultJson(const DeviceView& held, bool verified,
                            const std::vector<ByteDifference>& differences);

}  // namespace zelvane::cli
