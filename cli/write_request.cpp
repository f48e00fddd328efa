// The held country byte goes back as it is, 255 included: a device that
// stores no country keeps storing none unless one is given.
#include "cli/write_request.h"

#include "cli/current_plan.h"
#include "params/level_table.h"

namespace zelvane::cli {

WriteRequest ChangedSettings(const DeviceSettings& held, std::uint8_t modulation,
                             const Changes& changes) {
  WriteRequest request{held.block, modulation, changes.country.value_or(held.country)};
  if (changes.channelRow) {
    EncodeFrequency(CurrentPlan(held.country).at(*changes.channelRow).FrequencyMHz, request.block);
  }
  if (changes.levelPosition) EncodeLevel(*changes.levelPosition, BuildLevelCodes(), request.block);
  return request;
}

WriteRequest FileSettings(const SettingsRecord& record, std::uint8_t modulation) {
  return {record.block, modulation, record.country};
}

}  // namespace zelvane::cli
